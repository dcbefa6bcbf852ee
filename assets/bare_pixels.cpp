// SPDX-License-Identifier: GPL-3.0-or-later
// Build tool: copies a picture the style draws from (one of Qt's own, found among the
// resources Qt Widgets carries) as bare premultiplied pixels after its width and height,
// so the program draws the same picture without decoding it at start-up.
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QtEndian>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s IMAGE OUT.argb\n", argv[0]);
        return 2;
    }
    const QImage image = QImage(QString::fromLocal8Bit(argv[1]))
                             .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const quint32 size[2] = {qToLittleEndian(quint32(image.width())),
                             qToLittleEndian(quint32(image.height()))};
    QFile file(QString::fromLocal8Bit(argv[2]));
    const auto bytes = qsizetype(image.sizeInBytes());
    const bool written =
        file.open(QIODevice::WriteOnly)
        && file.write(reinterpret_cast<const char *>(size), sizeof size) == qint64(sizeof size)
        && file.write(reinterpret_cast<const char *>(image.constBits()), bytes) == bytes;
    return written && file.flush() ? 0 : 1;
}
