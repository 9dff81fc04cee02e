#pragma once

#include "model/outfit.h"
#include "render/png/reporting_painter.h"

#include <QImage>
#include <QList>
#include <QString>

namespace brindo {

struct RenderedOutfit {
    QImage picture;                // opaque, the base figure's size
    QList<FailedLoad> failedLoads; // images that were drawn as nothing
    QString problem;               // why there is no picture at all

    bool ok() const { return problem.isEmpty(); }
};

// Draws the outfit as the window shows it after a full redraw: a canvas of the
// base figure's size on the canvas background, then drawOutfit. Images that
// cannot be loaded are left out and listed; only a missing base figure leaves
// no picture.
RenderedOutfit renderOutfit(const Outfit& outfit, const QString& libraryFolder);

} // namespace brindo
