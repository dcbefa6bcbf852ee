// SPDX-License-Identifier: GPL-3.0-or-later
// Build tool: renders a vector source at the given pixel size, so the program ships crisp
// bitmaps for each pixel density without drawing vectors at start-up. An .argb output holds the
// bare premultiplied pixels, which the program uses in place, undecoded; an .argb32 output the
// same with straight alpha, as the window system takes a window's icon; a .png output is for
// the desktop's icon theme; an .ico output holds the picture at each size Windows shows
// (16 to 64 pixels, and the size given), for the program's icon there; a .bmp output the
// picture in proportion, centred on white, for the installer's pages, which show no alpha.
#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QtEndian>

#include <cstdio>

namespace {

QImage render(QSvgRenderer &renderer, int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    return image;
}

template<typename T>
void put(QByteArray &bytes, T value)
{
    value = qToLittleEndian(value);
    bytes.append(reinterpret_cast<const char *>(&value), sizeof value);
}

QImage renderOnWhite(QSvgRenderer &renderer, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QSizeF size = QSizeF(renderer.defaultSize()).scaled(width, height, Qt::KeepAspectRatio);
    renderer.render(&painter, QRectF(QPointF((width - size.width()) / 2,
                                             (height - size.height()) / 2), size));
    return image;
}

// An icon file of PNG pictures, which every Windows since Vista reads.
QByteArray iconFile(QSvgRenderer &renderer, int largest)
{
    QList<QByteArray> pictures;
    QList<int> sizes{16, 24, 32, 48, 64};
    sizes.removeIf([largest](int size) { return size >= largest; });
    sizes << largest;
    for (const int size : std::as_const(sizes)) {
        QBuffer png;
        png.open(QIODevice::WriteOnly);
        render(renderer, size, size).save(&png, "PNG");
        pictures << png.data();
    }
    QByteArray bytes;
    put<quint16>(bytes, 0);
    put<quint16>(bytes, 1);
    put<quint16>(bytes, quint16(sizes.size()));
    auto offset = quint32(6 + 16 * sizes.size());
    for (qsizetype i = 0; i < sizes.size(); ++i) {
        const auto side = quint8(sizes[i] >= 256 ? 0 : sizes[i]);
        put<quint8>(bytes, side);
        put<quint8>(bytes, side);
        put<quint16>(bytes, 0);
        put<quint16>(bytes, 1);
        put<quint16>(bytes, 32);
        put<quint32>(bytes, quint32(pictures[i].size()));
        put<quint32>(bytes, offset);
        offset += quint32(pictures[i].size());
    }
    for (const QByteArray &picture : std::as_const(pictures))
        bytes += picture;
    return bytes;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s SOURCE.svg WIDTH HEIGHT OUT.argb|OUT.argb32|OUT.png|OUT.ico|OUT.bmp\n",
                     argv[0]);
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const int width = QString::fromLocal8Bit(argv[2]).toInt();
    const int height = QString::fromLocal8Bit(argv[3]).toInt();
    const QString out = QString::fromLocal8Bit(argv[4]);
    if (out.endsWith(QLatin1String(".ico"))) {
        const QByteArray icon = iconFile(renderer, width);
        QFile file(out);
        return file.open(QIODevice::WriteOnly) && file.write(icon) == icon.size() && file.flush()
                   ? 0
                   : 1;
    }
    if (out.endsWith(QLatin1String(".bmp")))
        return renderOnWhite(renderer, width, height).save(out, "BMP") ? 0 : 1;
    QImage image = render(renderer, width, height);
    if (out.endsWith(QLatin1String(".argb32")))
        image.convertTo(QImage::Format_ARGB32);
    if (out.endsWith(QLatin1String(".png")))
        return image.save(out, "PNG") ? 0 : 1;
    QFile file(out);
    const auto bytes = qsizetype(image.sizeInBytes());
    const bool written = file.open(QIODevice::WriteOnly)
                         && file.write(reinterpret_cast<const char *>(image.constBits()), bytes)
                                == bytes;
    return written && file.flush() ? 0 : 1;
}
