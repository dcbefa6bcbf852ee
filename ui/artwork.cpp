// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/artwork.h"

#include <QImage>
#include <QResource>

#include <cmath>
#include <cstring>

namespace {

// The build stores each rendering as bare pixels, premultiplied unless the format says not.
// Those every start needs are uncompressed and used where they lie; the rest are unpacked.
QPixmap renderedPixels(const QString &resource, QSize size,
                       QImage::Format format = QImage::Format_ARGB32_Premultiplied)
{
    const QResource pixels(resource);
    const qsizetype expected = qsizetype(size.width()) * size.height() * 4;
    if (!pixels.isValid())
        return {};
    if (pixels.compressionAlgorithm() == QResource::NoCompression) {
        if (pixels.size() != expected)
            return {};
        return QPixmap::fromImage(QImage(pixels.data(), size.width(), size.height(), format),
                                  Qt::NoFormatConversion);
    }
    const QByteArray unpacked = pixels.uncompressedData();
    if (unpacked.size() != expected)
        return {};
    QImage image(size, format);
    if (image.isNull())
        return {};
    std::memcpy(image.bits(), unpacked.constData(), std::size_t(expected));
    return QPixmap::fromImage(std::move(image), Qt::NoFormatConversion);
}

} // namespace

namespace artwork {

QIcon programIcon()
{
    static const QIcon icon = [] {
        QIcon sizes;
        for (const int size : WindowIconSizes)
            sizes.addPixmap(
                renderedPixels(QStringLiteral(":/starfold-%1.argb32").arg(size), QSize(size, size),
                               QImage::Format_ARGB32));
        return sizes;
    }();
    return icon;
}

QPixmap signPicture(qreal devicePixelRatio)
{
    // Rendered at whole multiples of its size; take the one the screen needs.
    const int scale = std::clamp(int(std::ceil(devicePixelRatio - 0.01)), 1, SignPictureDensest);
    QPixmap picture = renderedPixels(QStringLiteral(":/aquarius@%1x.argb").arg(scale),
                                     SignPictureSize * scale);
    picture.setDevicePixelRatio(scale);
    return picture;
}

} // namespace artwork
