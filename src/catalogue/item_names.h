#pragma once

#include <QLatin1String>
#include <QString>

namespace brindo {

// Library images carry this extension, written in lower case whenever a path
// is formed from an item or variant name.
inline constexpr QLatin1String kImageExtension{".png"};

// The item or variant name listed for a file: its name without the last four
// characters (the extension). A name shorter than that is listed whole.
QString listedName(const QString& fileName);

// The image file of an item or variant name ("01" -> "01.png").
QString imageFileName(const QString& name);

// The two-digit number of a numbered variant row: row index 0 -> "01",
// index 11 -> "12"; from 100 on the number has three digits.
QString variantNumber(int rowIndex);

} // namespace brindo
