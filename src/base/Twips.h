#pragma once

// Settings keep window positions and column widths in twips (1/1440 inch):
// 15 twips a pixel at 96 dpi. dpi is the screen's logical dots per inch (a widget's
// logicalDpiX()); 0 or less counts as 96.
namespace Twips {
int toPixels(int twips, int dpi);
int fromPixels(int pixels, int dpi);
} // namespace Twips
