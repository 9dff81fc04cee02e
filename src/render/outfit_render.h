#pragma once

#include "app/outfit_state.h"
#include "document/profile_text.h"
#include "render/reporting_picture.h"

#include <QImage>
#include <QList>
#include <QString>

namespace brindo {

// The outfit that a document describes, read the way Open reads it: every
// layer off, then each slot whose flag is exactly "True" switched on with its
// stored path. No category is current.
OutfitState outfitFromDocument(const ProfileText& document);

// An outfit read for drawing, together with the text of its document.
struct OutfitSource {
    OutfitState state;
    QString documentText; // the document as read, line by line
    QString problem;      // why nothing could be read; empty when it worked

    bool ok() const { return problem.isEmpty(); }
};

// Reads an outfit document as Open does, or a PNG picture that carries one
// under kOutfitTextKey. The problem names the file.
OutfitSource readOutfitSource(const QString& nativeFile);

struct RenderedOutfit {
    QImage picture;                // opaque, the base figure's size
    QList<FailedLoad> failedLoads; // images that were drawn as nothing
    QString problem;               // why there is no picture at all

    bool ok() const { return problem.isEmpty(); }
};

// Draws the outfit as the window shows it after a full redraw: a canvas of the
// base figure's size on the canvas background, then DrawOutfit. Images that
// cannot be loaded are left out and listed; only a missing base figure leaves
// no picture.
RenderedOutfit renderOutfit(const OutfitState& state, const QString& storedInstallFolder);

} // namespace brindo
