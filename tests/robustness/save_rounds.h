#pragma once

#include "app/outfit_state.h"

#include <QByteArray>
#include <QImage>
#include <QString>

namespace brindo::test {

// The two outfits and the two pictures that save_child writes in turn. Each
// save of a document rewrites a whole file of a few hundred kilobytes, so that
// a kill lands inside a write as often as not.
OutfitState savedOutfit(int which);
QImage exportedPicture(int which);

// The text of another program that the documents are saved into.
QByteArray otherProgramsText();

} // namespace brindo::test
