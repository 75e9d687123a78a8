#include "base/Twips.h"

#include <cmath>

namespace Twips {

static int sane(int dpi)
{
    return dpi > 0 ? dpi : 96;
}

int toPixels(int twips, int dpi)
{
    return int(std::lround(double(twips) * sane(dpi) / 1440.0));
}

int fromPixels(int pixels, int dpi)
{
    return int(std::lround(double(pixels) * 1440.0 / sane(dpi)));
}

} // namespace Twips
