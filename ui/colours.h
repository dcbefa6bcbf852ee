// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

// The blue of every link caption on a light background.
inline constexpr QRgb LinkBlue = qRgb(0, 0, 255);
