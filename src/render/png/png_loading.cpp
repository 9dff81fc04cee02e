#include "render/png/png_loading.h"

#include "catalogue/stored_path.h"
#include "render/png/png_decode.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QtEndian>
#include <algorithm>
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

// Whether the file is worth reading whole for decodeCommonPng: a PNG header
// with a size Qt would allocate, and no more bytes than such a picture could
// plausibly hold. Anything else is streamed to Qt's reader, which refuses a
// huge or broken file after reading only its start.
bool worthReadingWhole(QFile& file) {
    constexpr qsizetype kHeaderEnd = 24; // signature, IHDR length and type, width, height
    const QByteArray head = file.peek(kHeaderEnd);
    if (head.size() < kHeaderEnd || !head.startsWith(kPngSignature) || head.mid(12, 4) != "IHDR") {
        return false;
    }
    const auto* size = reinterpret_cast<const uchar*>(head.constData() + 16);
    const quint64 width = qFromBigEndian<quint32>(size);
    const quint64 height = qFromBigEndian<quint32>(size + 4);
    // A valid file's sides are below 2^31, so that the byte count below fits.
    constexpr quint64 kLargestSide = 0x7FFFFFFF;
    if (width > kLargestSide || height > kLargestSide) {
        return false;
    }
    const quint64 pixelBytes = width * height * 4;
    const qint64 limit = qint64{QImageReader::allocationLimit()} * 1024 * 1024;
    if (limit > 0 && pixelBytes > static_cast<quint64>(limit)) {
        return false;
    }
    constexpr quint64 kPlentyOfBytes = quint64{1} << 62;
    return static_cast<quint64>(file.size()) <=
           2 * std::min(pixelBytes, kPlentyOfBytes) + (1 << 20);
}

} // namespace

LoadedPicture decodePngFile(const QString& nativeFile) {
    try {
        QFile file(nativeFile);
        if (!file.open(QIODevice::ReadOnly)) {
            return {};
        }
        QImage image;
        if (worthReadingWhole(file)) {
            const QByteArray bytes = file.readAll();
            if (auto decoded = decodeCommonPng(bytes)) {
                return {LoadResult::Loaded, std::move(decoded->image), decoded->visible};
            }
            QBuffer buffer;
            buffer.setData(bytes);
            buffer.open(QIODevice::ReadOnly);
            image = decodeWithQt(buffer);
        } else {
            image = decodeWithQt(file);
        }
        if (image.isNull()) {
            return {};
        }
        const QRect whole = image.rect();
        return {LoadResult::Loaded, std::move(image), whole};
    } catch (const std::exception&) {
        return {}; // out of memory for this picture
    }
}

LoadedPicture loadPicture(const QString& storedPath, const QString& libraryFolder) {
    const QString file = locateImage(storedPath, libraryFolder);
    if (file.isEmpty()) {
        return {LoadResult::FileNotFound, {}, {}};
    }
    return decodePngFile(file);
}

} // namespace brindo
