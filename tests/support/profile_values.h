#pragma once

#include "files/file_outcome.h"

#include <QString>
#include <optional>

namespace brindo::test {

// Single-key reads and writes of a profile file, the way Windows' profile
// functions work: each call reads the whole file, and a write replaces it.

// The value of one key; "" when the file, the section or the key is missing.
// Creates nothing.
QString readProfileValue(const QString& nativeFile, const QString& section, const QString& key);

// Sets one key, creating the file and the section as needed; std::nullopt
// removes the key. A write that changes nothing leaves the file untouched.
FileOutcome writeProfileValue(const QString& nativeFile, const QString& section, const QString& key,
                              const std::optional<QString>& value);

} // namespace brindo::test
