#pragma once

#include "files/file_outcome.h"

#include <QByteArray>
#include <QImage>
#include <QLatin1String>
#include <QString>
#include <optional>
#include <utility>

namespace brindo {

// A PNG picture of an outfit carries the outfit's document text in a text
// chunk under this key, so that the picture can be read as the outfit again.
inline constexpr QLatin1String kOutfitTextKey{"BrindoOutfit"};
// Who made what the picture shows, one line a credit (see creditsText).
inline constexpr QLatin1String kCreditsTextKey{"Credits"};

// The texts a PNG picture carries besides its pixels; an empty one is left out.
struct PictureTexts {
    PictureTexts(QString outfitText = {}, QString creditsText = {}) // NOLINT: a document text alone
        : outfit(std::move(outfitText)), credits(std::move(creditsText)) {}

    QString outfit;  // under kOutfitTextKey: an outfit document
    QString credits; // under kCreditsTextKey
};

enum class PictureFormat { Bmp, Png };

// The format that a file name asks for by its extension (".bmp" or ".png",
// any letter case); std::nullopt for any other name.
std::optional<PictureFormat> pictureFormatFor(const QString& fileName);

// The picture as a standard Windows bitmap: 24 bits a pixel, the picture's
// size. An empty byte array when there is no picture to encode.
QByteArray encodeBmp(const QImage& picture);

// The picture as a PNG that carries the texts (see encodePngFile). A picture
// with an alpha channel (a transparent render) keeps it; any other is
// written opaque.
QByteArray encodePng(const QImage& picture, const PictureTexts& texts);

// Writes the picture to the file in the format, whatever the name's extension,
// replacing the file in one step; a BMP file is made from the picture's rows a
// few at a time, without a buffer of the whole file. The problem says only why
// (see replaceFile).
FileOutcome writePictureFile(const QImage& picture, const QString& nativeFile, PictureFormat format,
                             const PictureTexts& texts);

// Writes the picture to the file in the format, whatever the name's extension,
// replacing the file in one step: an existing file is never left half-written.
// The problem is a message for the user that names the file and says why.
FileOutcome exportPicture(const QImage& picture, const QString& nativeFile,
                          PictureFormat format = PictureFormat::Bmp,
                          const PictureTexts& texts = {});

} // namespace brindo
