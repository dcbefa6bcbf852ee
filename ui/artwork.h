// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QPixmap>

// Pictures rendered from the vector sources at build time, one per pixel density.
namespace artwork {

// The program icon, in the sizes windows ask for.
QIcon programIcon();
// The sign's picture at its logical size (150 x 244) for the given pixel ratio.
QPixmap signPicture(qreal devicePixelRatio);

inline constexpr QSize SignPictureSize{150, 244};

} // namespace artwork
