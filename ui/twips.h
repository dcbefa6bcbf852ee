// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

// Layouts are given in twips; at 96 dots per inch fifteen make one pixel.
constexpr int pixelsFromTwips(int value)
{
    return (value * 2 + 15) / 30;
}

// A place given in twips, relative to the parent: left, top, width, height. A place
// without a size is a control's corner that sizes itself.
struct Twips {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The same place in pixels.
constexpr QRect inPixels(const Twips &place)
{
    return {pixelsFromTwips(place.left), pixelsFromTwips(place.top), pixelsFromTwips(place.width), pixelsFromTwips(place.height)};
}
