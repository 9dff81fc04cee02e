#pragma once

#include <QImage>
#include <QString>

namespace brindo::sample {

// The program's icon: the character's head and shoulders on a rounded square,
// `size` pixels wide and high.
QImage drawIcon(int size);

// Writes the icon at the sizes of the hicolor icon theme, as
// <folder>/<N>x<N>/apps/brindo.png. Throws std::runtime_error when a folder
// or file cannot be written.
void writeIcons(const QString& folder);

} // namespace brindo::sample
