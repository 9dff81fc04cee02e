#pragma once

#include "document/profile_text.h"

#include <QString>
#include <optional>

namespace brindo {

// What came of changing a file. An empty problem means it worked; otherwise the
// problem says why not, in plain words (a clause such as "the disk is full").
struct FileOutcome {
    QString problem;

    bool ok() const { return problem.isEmpty(); }
};

// Profile files larger than this are refused: no document comes near it, and
// reading one whole must stay affordable.
inline constexpr qint64 kBytesPerMB = qint64{1024} * 1024;
inline constexpr qint64 kMaxProfileFileBytes = 64 * kBytesPerMB;

struct LoadedProfile {
    // NotText: binary data or far too large; Unreadable: a folder, no permission.
    enum class Status { Loaded, Missing, NotText, Unreadable };

    Status status = Status::Missing;
    ProfileText text;
    QString problem; // why a file was refused

    bool refused() const { return status == Status::NotText || status == Status::Unreadable; }
};

// Reads a whole profile file. A file that is not text (it holds NUL bytes), is
// far too large or cannot be read is refused with the reason.
LoadedProfile loadProfileFile(const QString& nativeFile);

// Replaces the file with the bytes in one step: a complete new file is written
// beside it and renamed over it, so the file is never left half-written.
FileOutcome replaceFile(const QString& nativeFile, const QByteArray& bytes);

// The value of one key; "" when the file, the section or the key is missing.
// Creates nothing.
QString ReadProfileValue(const QString& nativeFile, const QString& section, // NOLINT
                         const QString& key);

// Sets one key, creating the file and the section as needed; std::nullopt
// removes the key. A write that changes nothing leaves the file untouched.
FileOutcome WriteProfileValue(const QString& nativeFile, const QString& section, // NOLINT
                              const QString& key, const std::optional<QString>& value);

} // namespace brindo
