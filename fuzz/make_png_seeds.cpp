// Writes the seed corpus of the PNG fuzz targets: small files of every colour
// type and bit depth, interlaced or not, with and without a transparency
// chunk, and broken ones (truncated, bad checksums, absurd sizes).

#include "support/test_images.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <cstdio>

namespace {

using namespace brindo::test;

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

// The same file with one byte of its last chunk's checksum changed.
QByteArray withBadChecksum(QByteArray png) {
    png[png.size() - 1] = static_cast<char>(png.at(png.size() - 1) ^ 0x5A);
    return png;
}

// A file that claims a size and holds no image data.
QByteArray headerOnly(int width, int height) {
    return pngHeader({width, height}, {}) + pngChunk("IEND", {});
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
    QMap<QString, QByteArray> seeds;
    const QImage picture = samplePicture();
    for (const Depths& depths : kDepths) {
        for (const int depth : depths.bitDepths) {
            for (const bool interlaced : {false, true}) {
                for (const bool chunk : {false, depths.mayHaveTransparencyChunk}) {
                    const QString name = QStringLiteral("c%1-d%2%3%4")
                                             .arg(static_cast<int>(depths.colour))
                                             .arg(depth)
                                             .arg(interlaced ? "-interlaced" : "")
                                             .arg(chunk ? "-trns" : "");
                    const QByteArray png =
                        encodePng(picture, {depths.colour, depth, interlaced, chunk});
                    seeds.insert(name + ".png", png);
                    if (depth == 8 && !chunk) {
                        seeds.insert(name + "-half.png", png.first(png.size() / 2));
                        seeds.insert(name + "-badcrc.png", withBadChecksum(png));
                    }
                }
            }
        }
    }
    seeds.insert("header-only.png", encodePng(picture, {}).first(33));
    seeds.insert("huge.png", headerOnly(60000, 60000));
    seeds.insert("zero-width.png", headerOnly(0, 7));
    seeds.insert("flat-400x300.png", encodeFlatPng(400, 300, qRgba(10, 20, 30, 128)));
    seeds.insert("one-by-one.png", encodePng(samplePicture(1, 1), {}));
    for (auto seed = seeds.cbegin(); seed != seeds.cend(); ++seed) {
        QFile file(folder.filePath(seed.key()));
        if (!file.open(QIODevice::WriteOnly) || file.write(seed.value()) != seed.value().size()) {
            return 1;
        }
    }
    return 0;
}
