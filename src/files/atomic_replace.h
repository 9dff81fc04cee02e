#pragma once

#include "files/file_outcome.h"

#include <QByteArray>
#include <QString>
#include <functional>

namespace brindo {

// Replaces the file with the bytes in one step: a complete new file is written
// beside it and renamed over it, so the file is never left half-written. The
// problem says in plain words why it failed (a full disk, a read-only file, a
// missing folder).
FileOutcome replaceFile(const QString& nativeFile, const QByteArray& bytes);

// Appends the next piece of a file to `piece` and answers whether more
// pieces follow.
using NextPiece = std::function<bool(QByteArray& piece)>;

// The same for a file of `size` bytes made and written piece by piece, so that
// a large file needs no buffer of its whole size.
FileOutcome replaceFile(const QString& nativeFile, qint64 size, const NextPiece& nextPiece);

} // namespace brindo
