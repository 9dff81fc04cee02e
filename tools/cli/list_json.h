#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace brindo::cli {

// The version of the layout of `list --json`; see docs/LIST-JSON.md.
inline constexpr int kListSchema = 1;

// The library's categories, items and variants as JSON: what each category
// dresses and how, and for every item and variant the names the lists show
// and the stored paths that picking it puts on. std::nullopt when the library
// folder cannot be listed.
std::optional<QByteArray> libraryJson(const QString& libraryFolder);

} // namespace brindo::cli
