#pragma once

#include "files/profile_text.h"
#include "model/outfit.h"

#include <QImage>
#include <QList>
#include <QString>

namespace brindo {

// An outfit read for drawing, together with the text of its document.
struct OutfitSource {
    Outfit outfit;
    QString documentText; // the document as read, line by line
    QString problem;      // why nothing could be read; empty when it worked

    bool ok() const { return problem.isEmpty(); }
};

// Reads an outfit document as Open does, or a PNG picture that carries one
// under kOutfitTextKey. The problem names the file.
OutfitSource readOutfitSource(const QString& nativeFile);

// Whether the file is a regular file that starts as a PNG picture does; a
// named pipe or device is never opened to find out.
bool isPngFile(const QString& nativeFile);

// The same for the bytes of a document or picture that come from elsewhere
// (standard input); `name` is how messages call them.
OutfitSource readOutfitSource(const QByteArray& bytes, const QString& name);

} // namespace brindo
