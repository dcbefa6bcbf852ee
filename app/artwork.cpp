// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/artwork.h"

#include <QImage>

#include <cmath>

namespace {

// Naming the format keeps Qt from loading every image plugin to sniff the file.
QPixmap loadPng(const QString &resource)
{
    return QPixmap::fromImage(QImage(resource, "PNG"));
}

} // namespace

namespace artwork {

QIcon programIcon()
{
    // Bitmaps rendered from the vector source at build time, one per common size.
    static const QIcon icon = [] {
        QIcon sizes;
        for (int size : {16, 32, 48})
            sizes.addPixmap(loadPng(QStringLiteral(":/starfold-%1.png").arg(size)));
        return sizes;
    }();
    return icon;
}

QPixmap signPicture(qreal devicePixelRatio)
{
    // The build renders the picture at one, two and three times its size.
    const int scale = std::clamp(int(std::ceil(devicePixelRatio - 0.01)), 1, 3);
    QPixmap picture = loadPng(scale == 1 ? QStringLiteral(":/aquarius.png")
                                         : QStringLiteral(":/aquarius@%1x.png").arg(scale));
    picture.setDevicePixelRatio(scale);
    return picture;
}

} // namespace artwork
