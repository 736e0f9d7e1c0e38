#include "ui/qt/ListKeys.h"

#include <Qt>
#include <algorithm>

namespace zqk {

bool MovesListRow(int key) {
  switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
      return true;
    default:
      return false;
  }
}

size_t ListRowAfterKey(int key, int64_t current, bool hasCurrent, int64_t page, size_t count) {
  const int64_t last = static_cast<int64_t>(count) - 1;
  int64_t target = current;
  switch (key) {
    case Qt::Key_Up:
      target = hasCurrent ? current - 1 : current;
      break;
    case Qt::Key_Down:
      target = hasCurrent ? current + 1 : current;
      break;
    case Qt::Key_PageUp:
      target = current - page;
      break;
    case Qt::Key_PageDown:
      target = current + page;
      break;
    case Qt::Key_Home:
      target = 0;
      break;
    case Qt::Key_End:
      target = last;
      break;
    default:
      break;
  }
  return static_cast<size_t>(std::clamp<int64_t>(target, 0, last));
}

}  // namespace zqk
