#include "app/Twips.h"

#include <QWidget>
#include <cmath>

namespace Twips {

static int dpi(const QWidget *w)
{
    const int d = w ? w->logicalDpiX() : 96;
    return d > 0 ? d : 96;
}

int toPixels(int twips, const QWidget *w)
{
    return int(std::lround(double(twips) * dpi(w) / 1440.0));
}

int fromPixels(int pixels, const QWidget *w)
{
    return int(std::lround(double(pixels) * 1440.0 / dpi(w)));
}

} // namespace Twips
