#pragma once

#include "files/file_outcome.h"

#include <QString>
#include <optional>

namespace brindo::test {

// Single-key profile file reads and writes, each reading the whole file as Windows does.

// The value of one key; "" when the file, the section or the key is missing.
QString readProfileValue(const QString& nativeFile, const QString& section, const QString& key);

// Sets one key, creating file and section; std::nullopt removes it; no change writes nothing.
FileOutcome writeProfileValue(const QString& nativeFile, const QString& section, const QString& key,
                              const std::optional<QString>& value);

} // namespace brindo::test
