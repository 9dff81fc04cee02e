#pragma once

#include <QString>
#include <QStringList>

namespace brindo::test {

// The sample library that the build draws beside the program.
QString sampleLibraryFolder();

// Copies a picture library: its folders and PNG files, nothing else (no
// programs), so that a test can change the copy.
void copyLibrary(const QString& from, const QString& to);

// Breaks a copy of the sample library the ways libraries get broken: images
// missing or undecodable, an empty category, a hair item with files missing,
// folders that cannot be read. Returns what was done, for the test log.
QStringList breakLibrary(const QString& root);

// Gives folders back the permissions breakLibrary took away, so that the copy
// can be removed.
void repairPermissions(const QString& root);

} // namespace brindo::test
