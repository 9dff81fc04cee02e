#pragma once

#include "files/file_outcome.h"

#include <QByteArray>
#include <QString>

namespace brindo {

// Replaces the file with the bytes in one step: a complete new file is written
// beside it and renamed over it, so the file is never left half-written. The
// problem says in plain words why it failed (a full disk, a read-only file, a
// missing folder).
FileOutcome replaceFile(const QString& nativeFile, const QByteArray& bytes);

} // namespace brindo
