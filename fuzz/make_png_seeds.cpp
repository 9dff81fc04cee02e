// Writes the seed corpus of the PNG fuzz target: small files of every colour
// type and bit depth, interlaced or not, with and without a transparency
// chunk, and broken ones (truncated, bad checksums, absurd sizes).

#include "support/test_images.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <cstdio>

namespace {

using brindo::test::PngColour;
using brindo::test::PngKind;

struct Depths {
    PngColour colour = PngColour::Grey;
    bool mayHaveTransparencyChunk = false;
    QList<int> bitDepths;
};

const Depths kDepths[] = {
    {PngColour::Grey, true, {1, 2, 4, 8, 16}}, {PngColour::Rgb, true, {8, 16}},
    {PngColour::Palette, true, {1, 2, 4, 8}},  {PngColour::GreyAlpha, false, {8, 16}},
    {PngColour::Rgba, false, {8, 16}},
};

bool write(const QDir& folder, const QString& name, const QByteArray& bytes) {
    QFile file(folder.filePath(name));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The same file with one byte of its last chunk's checksum changed.
QByteArray withBadChecksum(QByteArray png) {
    png[png.size() - 1] = static_cast<char>(png.at(png.size() - 1) ^ 0x5A);
    return png;
}

// A file that claims a size and holds no image data.
QByteArray headerOnly(quint32 width, quint32 height) {
    QByteArray header;
    for (const quint32 value : {width, height}) {
        for (int shift = 24; shift >= 0; shift -= 8) {
            header.append(static_cast<char>(value >> shift));
        }
    }
    header.append("\x08\x06\x00\x00\x00", 5); // 8-bit RGBA
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + brindo::test::pngChunk("IHDR", header) +
           brindo::test::pngChunk("IEND", {});
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const QDir folder(QFile::decodeName(argv[1]));
    if (!QDir().mkpath(folder.path())) {
        return 1;
    }
    const QImage picture = brindo::test::samplePicture();
    bool ok = true;
    for (const Depths& depths : kDepths) {
        for (const int depth : depths.bitDepths) {
            for (const bool interlaced : {false, true}) {
                for (const bool chunk : {false, true}) {
                    if (chunk && !depths.mayHaveTransparencyChunk) {
                        continue;
                    }
                    const PngKind kind{depths.colour, depth, interlaced, chunk};
                    const QString name = QStringLiteral("c%1-d%2%3%4")
                                             .arg(static_cast<int>(depths.colour))
                                             .arg(depth)
                                             .arg(interlaced ? "-interlaced" : "")
                                             .arg(chunk ? "-trns" : "");
                    const QByteArray png = brindo::test::encodePng(picture, kind);
                    ok = write(folder, name + QStringLiteral(".png"), png) && ok;
                    if (depth == 8 && !chunk) {
                        ok = write(folder, name + QStringLiteral("-half.png"),
                                   png.first(png.size() / 2)) &&
                             ok;
                        ok = write(folder, name + QStringLiteral("-badcrc.png"),
                                   withBadChecksum(png)) &&
                             ok;
                    }
                }
            }
        }
    }
    const QByteArray rgba = brindo::test::encodePng(picture, PngKind{});
    ok = write(folder, QStringLiteral("header-only.png"), rgba.first(33)) && ok;
    ok = write(folder, QStringLiteral("huge.png"), headerOnly(60000, 60000)) && ok;
    ok = write(folder, QStringLiteral("zero-width.png"), headerOnly(0, 7)) && ok;
    ok = write(folder, QStringLiteral("flat-400x300.png"),
               brindo::test::encodeFlatPng(400, 300, qRgba(10, 20, 30, 128))) &&
         ok;
    ok = write(folder, QStringLiteral("one-by-one.png"),
               brindo::test::encodePng(brindo::test::samplePicture(1, 1), PngKind{})) &&
         ok;
    return ok ? 0 : 1;
}
