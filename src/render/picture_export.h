#pragma once

#include "files/file_outcome.h"

#include <QByteArray>
#include <QImage>
#include <QLatin1String>
#include <QString>
#include <optional>

namespace brindo {

// A PNG picture of an outfit carries the outfit's document text in a text
// chunk under this key, so that the picture can be read as the outfit again.
inline constexpr QLatin1String kOutfitTextKey{"BrindoOutfit"};

enum class PictureFormat { Bmp, Png };

// The format that a file name asks for by its extension (".bmp" or ".png",
// any letter case); std::nullopt for any other name.
std::optional<PictureFormat> pictureFormatFor(const QString& fileName);

// The picture as a standard Windows bitmap: 24 bits a pixel, the picture's
// size. An empty byte array when there is no picture to encode.
QByteArray encodeBmp(const QImage& picture);

// The picture as an opaque PNG that carries the document text under
// kOutfitTextKey.
QByteArray encodePng(const QImage& picture, const QString& documentText);

// Writes the picture to the file in the format, whatever the name's extension,
// replacing the file in one step: an existing file is never left half-written.
// The problem is a message for the user that names the file and says why.
FileOutcome exportPicture(const QImage& picture, const QString& nativeFile,
                          PictureFormat format = PictureFormat::Bmp,
                          const QString& documentText = {});

} // namespace brindo
