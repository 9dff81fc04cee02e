#pragma once

#include "files/profile_text.h"

#include <QString>

namespace brindo {

// Profile files larger than this are refused: no document comes near it, and
// reading one whole must stay affordable.
inline constexpr qint64 kBytesPerMB = qint64{1024} * 1024;
inline constexpr qint64 kMaxProfileFileBytes = 64 * kBytesPerMB;

struct LoadedProfile {
    // NotText: binary data or far too large; Unreadable: not a regular file,
    // no permission; NoOutfit: text without the outfit section (only
    // loadOutfitDocument tells this).
    enum class Status { Loaded, Missing, NotText, Unreadable, NoOutfit };

    Status status = Status::Missing;
    ProfileText text;
    QString problem; // why a file was refused

    bool refused() const {
        return status == Status::NotText || status == Status::Unreadable ||
               status == Status::NoOutfit;
    }
};

// Reads a whole profile file. A file that is not text (it holds NUL bytes), is
// far too large or cannot be read is refused with the reason.
LoadedProfile loadProfileFile(const QString& nativeFile);

} // namespace brindo
