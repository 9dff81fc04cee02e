#pragma once

#include "app/outfit_state.h"
#include "document/profile_file.h"

#include <QLatin1String>
#include <QString>
#include <QStringList>

namespace brindo {

// The one section of an outfit document.
inline constexpr QLatin1String kOutfitSection{"Brindo"};

// Writes the outfit's thirty keys: every slot's flag ("True"/"False") in slot
// order, then every slot's path in slot order, removing the path key of a slot
// whose path was never set. When a path cannot be stored (it holds a line
// break) nothing is written and the problem names the slot.
FileOutcome writeOutfit(ProfileText& document, const OutfitState& state);

// The flag and path values that a document holds for every slot, read in one
// pass.
class OutfitValues {
public:
    explicit OutfitValues(const ProfileText& document);

    // When the slot's flag is exactly "True", switches the slot on with the
    // stored path ("" when missing) and returns true; otherwise leaves the slot
    // alone.
    bool applyTo(const SlotInfo& info, OutfitState& state) const;

private:
    QStringList values_; // the flags in slot order, then the paths
};

void switchAllLayersOff(OutfitState& state);

// A fresh outfit: no document, every layer off but the default bottoms. The
// other slots keep their paths.
void startNewOutfit(OutfitState& state, const QString& installFolder);

// Loads a document for Open. A refused file's problem is a message for the
// user that names the file.
LoadedProfile loadOutfitDocument(const QString& nativeFile);

// Saves the outfit into the file, keeping its other sections and lines, and
// replacing it in one step. The problem is a message for the user that names
// the file; a failed save leaves the file as it was.
FileOutcome saveOutfitDocument(const QString& nativeFile, const OutfitState& state);

} // namespace brindo
