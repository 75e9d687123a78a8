#pragma once

class QWidget;

// Settings keep window positions and column widths in twips (1/1440 inch):
// 15 twips a pixel at 96 dpi.
namespace Twips {
int toPixels(int twips, const QWidget *w);
int fromPixels(int pixels, const QWidget *w);
} // namespace Twips
