#pragma once

#include "catalogue/library_names.h"
#include "model/outfit.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace brindo::cli {

// Up to three of the candidates nearest to `given`, nearest first, for a
// message about a name that was not found: those that hold it come first,
// then the fewest letters to change (ignoring case).
QStringList closestNames(const QString& given, QStringList candidates);

// The index of the row that `given` names: the row as listed or the name
// shown for it (`shown`, one a row), exactly, else ignoring case. -1 when
// none does.
qsizetype findRow(const QString& given, const QStringList& rows, const QStringList& shown);

// The category of the library that `given` names, as listed; or a problem
// that lists the closest names.
struct FoundCategory {
    QString name;
    QString problem;
};
FoundCategory findCategory(const QString& libraryFolder, const QString& given);

// Puts on what "CATEGORY=ITEM" or "CATEGORY=ITEM/VARIANT" names, by the same
// picks as clicks in the lists: a name is what the lists show, the listed
// name or the library's name for it. Answers the problem, naming the closest
// names, when a name is not in the library; the outfit is unchanged then.
std::optional<QString> putOnNamed(const QString& libraryFolder, const LibraryNames& names,
                                  const QString& setting, Outfit& outfit);

} // namespace brindo::cli
