// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/artwork.h"

namespace artwork {

QIcon programIcon()
{
    // Bitmaps rendered from the vector source at build time, one per common size.
    static const QIcon icon = [] {
        QIcon sizes;
        for (int size : {16, 24, 32, 48, 64, 128})
            sizes.addFile(QStringLiteral(":/starfold-%1.png").arg(size), QSize(size, size));
        return sizes;
    }();
    return icon;
}

QPixmap signPicture(qreal devicePixelRatio)
{
    // The icon picks aquarius@2x.png or @3x.png where the screen is dense enough.
    static const QIcon picture(QStringLiteral(":/aquarius.png"));
    return picture.pixmap(SignPictureSize, devicePixelRatio);
}

} // namespace artwork
