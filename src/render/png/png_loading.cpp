#include "render/png/png_loading.h"

#include "catalogue/stored_path.h"
#include "files/regular_file.h"
#include "render/png/png_decode.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <exception>

namespace brindo {

namespace {

QImage decodeWithQt(QIODevice& device) {
    QImageReader reader(&device, "png");
    reader.setAutoTransform(false);
    QImage image;
    if (!reader.read(&image) || image.isNull()) {
        return {};
    }
    if (image.format() != QImage::Format_ARGB32_Premultiplied) {
        image.convertTo(QImage::Format_ARGB32_Premultiplied);
    }
    return image;
}

LoadedPicture fromQt(QImage image) {
    if (image.isNull()) {
        return {};
    }
    Coverage coverage = coverageOf(image);
    return {LoadResult::Loaded, std::move(image), std::move(coverage), {}};
}

// Decodes a file whose header is that of a PNG picture within the limit.
// The file is read whole unless it is far larger than its picture could
// need (then Qt's reader streams it), and not read at all when it is far too
// small for it.
LoadedPicture decodeWithHeader(QFile& file, const PngHeader& header) {
    const quint64 inflated = header.inflatedSize();
    const auto fileSize = static_cast<quint64>(file.size());
    if (inflated > kMostInflatedPerByte * fileSize + 1024) {
        return {}; // a decompression bomb, or cut short: no reader makes a picture of it
    }
    constexpr quint64 kRoomForMetadata = quint64{16} << 20;
    if (fileSize > inflated + inflated / 64 + kRoomForMetadata) {
        return fromQt(decodeWithQt(file));
    }
    const QByteArray bytes = file.readAll();
    if (auto decoded = decodePngData(bytes)) {
        return {LoadResult::Loaded, std::move(decoded->image), std::move(decoded->coverage), {}};
    }
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return fromQt(decodeWithQt(buffer));
}

} // namespace

QString pngLimitText() {
    return QStringLiteral("%1 x %1 pixels in all and %2 pixels a side")
        .arg(kLargestPngSquare)
        .arg(kLargestPngSide);
}

LoadedPicture decodePngFile(const QString& nativeFile) {
    try {
        const OpenedFile opened = openRegularFile(nativeFile);
        if (!opened.ok()) {
            // Only a regular file is an image; anything else is missing.
            const bool missing =
                opened.status == ReadStatus::Missing || opened.status == ReadStatus::NotAFile;
            return {missing ? LoadResult::FileNotFound : LoadResult::NotDecodable, {}, {}, {}};
        }
        QFile& file = *opened.file;
        const std::optional<PngHeader> header = readPngHeader(file.peek(33));
        if (!header) {
            return fromQt(decodeWithQt(file));
        }
        if (!withinPngLimit(header->width, header->height)) {
            // readPngHeader refuses sides of 2^31 and more.
            const QSize size(static_cast<int>(header->width), static_cast<int>(header->height));
            return {LoadResult::TooLarge, {}, {}, size};
        }
        return decodeWithHeader(file, *header);
    } catch (const std::exception&) {
        return {}; // out of memory for this picture
    }
}

LoadedPicture loadPicture(const QString& storedPath, const QString& libraryFolder) {
    const QString file = locateImage(storedPath, libraryFolder);
    if (file.isEmpty()) {
        return {LoadResult::FileNotFound, {}, {}, {}};
    }
    return decodePngFile(file);
}

} // namespace brindo
