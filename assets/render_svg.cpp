// SPDX-License-Identifier: GPL-3.0-or-later
// Build tool: renders a vector source at the given pixel size, so the program ships crisp
// bitmaps for each pixel density without drawing vectors at start-up. The output holds the
// bare premultiplied pixels, which the program uses in place, undecoded.
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
        std::fprintf(stderr, "usage: %s SOURCE.svg WIDTH HEIGHT OUT.argb\n", argv[0]);
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
    QFile file(QString::fromLocal8Bit(argv[4]));
    const auto bytes = qsizetype(image.sizeInBytes());
    const bool written = file.open(QIODevice::WriteOnly)
                         && file.write(reinterpret_cast<const char *>(image.constBits()), bytes)
                                == bytes;
    return written && file.flush() ? 0 : 1;
}
