#include "render/picture_export.h"

#include "files/atomic_replace.h"
#include "render/png/png_encode.h"

#include <QDir>
#include <QObject>
#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <utility>

namespace brindo {

namespace {

// 96 dots an inch, the usual resolution of a picture made on screen. Fixed, so
// that the same outfit gives the same file whichever screen, if any, is used.
constexpr int kDotsPerMeter = 3780;

// A picture as a 24-bit BMP file: the headers, then the rows from the bottom
// up, each padded to four bytes, made a few rows at a time so that a large
// picture needs no buffer of the file's size. The bytes are those of Qt's
// own BMP writer.
class BmpPieces {
public:
    explicit BmpPieces(const QImage& picture)
        : picture_(picture.format() == QImage::Format_RGB32
                       ? picture
                       : picture.convertToFormat(QImage::Format_RGB32)),
          rowBytes_((qsizetype{picture_.width()} * 3 + 3) / 4 * 4), rowsLeft_(picture_.height()) {}

    qint64 size() const { return kHeaderBytes + rowBytes_ * picture_.height(); }

    bool next(QByteArray& piece) {
        if (!headerDone_) {
            appendHeader(piece);
            headerDone_ = true;
        }
        constexpr qsizetype kPieceBytes = qsizetype{256} << 10;
        const int rows = static_cast<int>(
            std::min<qsizetype>(rowsLeft_, std::max<qsizetype>(1, kPieceBytes / rowBytes_)));
        const qsizetype start = piece.size();
        piece.resize(start + rows * rowBytes_);
        auto* out = reinterpret_cast<uchar*>(piece.data()) + start;
        for (int i = 0; i < rows; ++i, out += rowBytes_) {
            writeRow(reinterpret_cast<const QRgb*>(picture_.constScanLine(--rowsLeft_)), out);
        }
        return rowsLeft_ > 0;
    }

private:
    static constexpr qsizetype kHeaderBytes = 54;

    void appendHeader(QByteArray& piece) const {
        uchar header[kHeaderBytes] = {'B', 'M'};
        const auto put = [&header](int at, quint32 value) { qToLittleEndian(value, header + at); };
        put(2, static_cast<quint32>(size()));
        put(10, kHeaderBytes);
        put(14, 40); // the size of the information header
        put(18, static_cast<quint32>(picture_.width()));
        put(22, static_cast<quint32>(picture_.height()));
        put(26, 1U | (24U << 16U)); // one plane, 24 bits a pixel
        put(34, static_cast<quint32>(rowBytes_ * picture_.height()));
        put(38, kDotsPerMeter);
        put(42, kDotsPerMeter);
        piece.append(reinterpret_cast<const char*>(header), kHeaderBytes);
    }

    // Blue, green and red of each pixel. Every pixel but the last is stored
    // with four bytes, whose fourth the next pixel overwrites.
    void writeRow(const QRgb* pixels, uchar* out) const {
        const int width = picture_.width();
        for (int x = 0; x + 1 < width; ++x) {
            std::memcpy(out + std::ptrdiff_t{3} * x, pixels + x, 4);
        }
        if (width > 0) {
            const QRgb last = pixels[width - 1];
            uchar* at = out + std::ptrdiff_t{3} * (width - 1);
            at[0] = static_cast<uchar>(qBlue(last));
            at[1] = static_cast<uchar>(qGreen(last));
            at[2] = static_cast<uchar>(qRed(last));
        }
        std::fill(out + qsizetype{width} * 3, out + rowBytes_, uchar{0});
    }

    QImage picture_;
    qsizetype rowBytes_;
    int rowsLeft_;
    bool headerDone_ = false;
};

} // namespace

std::optional<PictureFormat> pictureFormatFor(const QString& fileName) {
    if (fileName.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive)) {
        return PictureFormat::Bmp;
    }
    if (fileName.endsWith(QLatin1String(".png"), Qt::CaseInsensitive)) {
        return PictureFormat::Png;
    }
    return std::nullopt;
}

QByteArray encodeBmp(const QImage& picture) {
    if (picture.isNull()) {
        return {};
    }
    BmpPieces pieces(picture);
    QByteArray bytes;
    bytes.reserve(pieces.size());
    while (pieces.next(bytes)) {
    }
    return bytes;
}

QByteArray encodePng(const QImage& picture, const PictureTexts& texts) {
    QList<PngText> chunks;
    for (const auto& [key, text] :
         {std::pair{kOutfitTextKey, &texts.outfit}, std::pair{kCreditsTextKey, &texts.credits}}) {
        if (!text->isEmpty()) {
            chunks.append({QByteArray(key.data(), key.size()), *text});
        }
    }
    return encodePngFile(picture, chunks, kDotsPerMeter);
}

FileOutcome writePictureFile(const QImage& picture, const QString& nativeFile, PictureFormat format,
                             const PictureTexts& texts) {
    if (picture.isNull()) {
        return {QObject::tr("there is no picture to export")};
    }
    if (format == PictureFormat::Bmp) {
        BmpPieces pieces(picture);
        return replaceFile(nativeFile, pieces.size(),
                           [&pieces](QByteArray& piece) { return pieces.next(piece); });
    }
    const QByteArray bytes = encodePng(picture, texts);
    return bytes.isEmpty() ? FileOutcome{QObject::tr("there is no picture to export")}
                           : replaceFile(nativeFile, bytes);
}

FileOutcome exportPicture(const QImage& picture, const QString& nativeFile, PictureFormat format,
                          const PictureTexts& texts) {
    FileOutcome outcome = writePictureFile(picture, nativeFile, format, texts);
    if (!outcome.ok()) {
        outcome.problem = QObject::tr("Could not export the picture to \"%1\": %2.")
                              .arg(QDir::toNativeSeparators(nativeFile), outcome.problem);
    }
    return outcome;
}

} // namespace brindo
