// Build tool: decodes a picture with Qt's own image readers and writes its
// pixels as they come out, so that the program can show it without loading
// an image plug-in or running the decoder at start-up.
//
//   tellumo_predecode INPUT OUTPUT
//
// OUTPUT: width and height as little-endian 32-bit numbers, then the rows
// of the picture in QImage::Format_RGB32, top to bottom, with no padding.
// The program reads it back with the same byte order (Pictures.cpp).
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QtEndian>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fputs("usage: tellumo_predecode INPUT OUTPUT\n", stderr);
        return 2;
    }
    QImageReader reader(QString::fromLocal8Bit(argv[1]));
    QImage image = reader.read();
    if (image.isNull()) {
        std::fprintf(stderr, "tellumo_predecode: %s: %s\n", argv[1], qPrintable(reader.errorString()));
        return 1;
    }
    if (image.format() != QImage::Format_RGB32)
        image = image.convertToFormat(QImage::Format_RGB32);

    QFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "tellumo_predecode: %s: %s\n", argv[2], qPrintable(out.errorString()));
        return 1;
    }
    uchar header[8];
    qToLittleEndian<quint32>(static_cast<quint32>(image.width()), header);
    qToLittleEndian<quint32>(static_cast<quint32>(image.height()), header + 4);
    out.write(reinterpret_cast<const char*>(header), sizeof header);
    const qsizetype rowBytes = qsizetype(image.width()) * 4;
    for (int y = 0; y < image.height(); ++y)
        out.write(reinterpret_cast<const char*>(image.constScanLine(y)), rowBytes);
    if (!out.flush()) {
        std::fprintf(stderr, "tellumo_predecode: %s: %s\n", argv[2], qPrintable(out.errorString()));
        return 1;
    }
    return 0;
}
