// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/cobrand.h"

#include <cmath>

namespace cobrand {

qint16 Draw(float r)
{
    // r is a multiple of 2^-24, so in double r x 6 + 1 is exact and the only halves
    // are those of r = 0.25 and r = 0.75. Rounded by hand, not by the FPU's mode.
    const double x = double(r) * 6.0 + 1.0;
    const double whole = std::floor(x);
    const double rest = x - whole;
    double rounded = whole;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(whole, 2.0) != 0.0))
        rounded = whole + 1.0;
    return qint16(rounded);
}

Front FrontFor(qint16 draw)
{
    switch (draw) {
    case 1:
    case 3:
    case 5:
        return Front::CoBrand;
    case 2:
    case 4:
    case 6:
        return Front::FullBrand;
    default:
        return Front::Unchanged;
    }
}

int SupportCaptionIndex(float r)
{
    return int(std::floor(double(r) * SupportCaptionCount));
}

} // namespace cobrand
