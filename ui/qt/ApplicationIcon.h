#pragma once
// The application icon (a small chart glyph), from the library's resources.

#include <QIcon>

namespace zqk {

QIcon ApplicationIcon();

}  // namespace zqk
