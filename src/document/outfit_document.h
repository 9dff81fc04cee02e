#pragma once

#include "document/profile_file.h"
#include "files/file_outcome.h"
#include "model/outfit.h"

#include <QLatin1String>
#include <QList>
#include <QString>

namespace brindo {

// The one section of an outfit document.
inline constexpr QLatin1String kOutfitSection{"Brindo"};

// Writes the outfit's thirty keys: every slot's flag ("True"/"False") in slot
// order, then every slot's path in slot order, removing the path key of a slot
// whose path was never set. When a path cannot be stored (it holds a line
// break) nothing is written and the problem names the slot.
FileOutcome writeOutfit(ProfileText& document, const Outfit& outfit);

// A layer that a document switches on: its flag key is exactly "True", and
// its path is the path key's value ("" when missing).
struct DocumentLayer {
    SlotId slot;
    QString path;
};

// The layers a document switches on, in slot order, read in one pass.
QList<DocumentLayer> layersSwitchedOn(const ProfileText& document);

// The outfit a document describes: every layer of `base` off, then each layer
// the document switches on. The paths of the layers left off stay as `base`
// holds them.
Outfit outfitFromDocument(const ProfileText& document, Outfit base = {});

// Loads a document for Open. A refused file's problem is a message for the
// user that names the file. Text without the outfit section is refused as
// holding no outfit; saving into such a file still adds the section.
LoadedProfile loadOutfitDocument(const QString& nativeFile);

// What Open and brindo-cli say of text without the outfit section, named as
// messages show it.
QString noOutfitProblem(const QString& shownName);

// Saves the outfit into the file, keeping its other sections and lines, and
// replacing it in one step. The problem is a message for the user that names
// the file; a failed save leaves the file as it was.
FileOutcome saveOutfitDocument(const QString& nativeFile, const Outfit& outfit);

} // namespace brindo
