#pragma once

#include <QByteArray>
#include <QString>

namespace brindo::test {

// The whole file; "<missing>" when it cannot be read.
QByteArray readFile(const QString& path);

// Replaces the file's bytes; false when it cannot be written.
bool writeFile(const QString& path, const QByteArray& bytes);

} // namespace brindo::test
