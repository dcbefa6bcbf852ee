// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "assets/artworksizes.h"

#include <QIcon>
#include <QPixmap>

// Pictures rendered from the vector sources at build time, one per pixel density.
namespace artwork {

// The program icon, in the sizes windows ask for.
QIcon programIcon();
// The sign's picture at its logical size (SignPictureSize) for the given pixel ratio.
QPixmap signPicture(qreal devicePixelRatio);

} // namespace artwork
