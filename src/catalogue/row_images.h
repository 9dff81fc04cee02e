#pragma once

#include "catalogue/open_category.h"

#include <QString>
#include <QStringList>

namespace brindo {

// The images that show what a row of a list puts on, as stored paths in
// drawing order (back first): what a click on the row would put on a bare
// outfit. Empty for rows that put nothing on, such as "<none>". They may name
// files that are missing; the folders of item rows are listed here.

// A row of the item list: a ready-made outfit's frames (all but the one the
// eyes take the place of), a hair item's base image with its back image, an
// item folder's base image, or a flat category's file.
QStringList itemRowImages(const OpenCategory& category, const QString& row);

// A row of the variant list of `item`.
QStringList variantRowImages(const OpenCategory& category, const QString& item, int index,
                             const QString& row);

// A row of the category list: the category's first item.
QStringList categoryRowImages(const QString& libraryFolder, const QString& category);

} // namespace brindo
