#pragma once

#include "app/outfit_state.h"
#include "render/canvas_image.h"
#include "render/picture_component.h"

#include <QString>
#include <QStringList>

namespace brindo {

// The image files, in drawing order, that make up the picture of an outfit:
// the layered order or a ready-made outfit's frames, then the watermark image
// when it is a regular file. Each entry is a stored path, loaded as it stands.
QStringList drawPlan(const OutfitState& state, const QString& installFolder);

// How many draw steps a ready-made outfit has ("01" -> 8); 0 for any name
// that is not a ready-made outfit.
int readyMadeFrameCount(const QString& outfitName);

// The folder whose sub-folders hold the ready-made outfits' frames: the
// installation folder's "ready-made outfits" folder, found ignoring case, or
// else the current category's folder.
QString readyMadeFolder(const QString& installFolder, const QString& currentCategory);

// Rebuilds the picture from scratch: clears the canvas, then loads and draws
// every file of the plan. The canvas is not shown on screen here.
void DrawOutfit(const OutfitState& state, const QString& installFolder, // NOLINT
                PictureComponent& png, CanvasImage& canvas);

} // namespace brindo
