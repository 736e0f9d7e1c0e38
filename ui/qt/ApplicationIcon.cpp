#include "ui/qt/ApplicationIcon.h"

// Resources of a static library register only when asked to, and the macro
// must stand outside any namespace.
static void InitZqkQtResources() {
  Q_INIT_RESOURCE(zqk_qt);
}

namespace zqk {

QIcon ApplicationIcon() {
  static const bool registered = (InitZqkQtResources(), true);
  (void)registered;
  QIcon icon;
  for (int size : {16, 32, 48, 64}) {
    icon.addFile(QStringLiteral(":/zqk/ZQKCommClient-%1.png").arg(size), QSize(size, size));
  }
  return icon;
}

}  // namespace zqk
