#pragma once

#include <QRect>

// The window's layout is drawn in twips (1440 to the inch, 15 to a pixel at
// 96 dpi); these turn it into pixels at the screen's logical resolution.
namespace Twips {

int toPixels(int twips);
QRect rect(int left, int top, int width, int height);

} // namespace Twips
