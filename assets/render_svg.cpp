// SPDX-License-Identifier: GPL-3.0-or-later
// Build tool: renders a vector source at the given pixel size, so the program ships crisp
// bitmaps for each pixel density without drawing vectors at start-up. An .argb output holds the
// bare premultiplied pixels, which the program uses in place, undecoded; a .png output is for
// the desktop's icon theme.
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s SOURCE.svg WIDTH HEIGHT OUT.argb|OUT.png\n", argv[0]);
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    QImage image(QString::fromLocal8Bit(argv[2]).toInt(), QString::fromLocal8Bit(argv[3]).toInt(),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    const QString out = QString::fromLocal8Bit(argv[4]);
    if (out.endsWith(QLatin1String(".png")))
        return image.save(out, "PNG") ? 0 : 1;
    QFile file(out);
    const auto bytes = qsizetype(image.sizeInBytes());
    const bool written = file.open(QIODevice::WriteOnly)
                         && file.write(reinterpret_cast<const char *>(image.constBits()), bytes)
                                == bytes;
    return written && file.flush() ? 0 : 1;
}
