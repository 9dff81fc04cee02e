#pragma once

#include "model/outfit.h"
#include "render/canvas_image.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace brindo::bench {

// A sample library that the benchmarks run against, under a short name
// ("native", "large") that goes into every benchmark's name.
struct BenchLibrary {
    QString name;
    QString native; // the folder, as the file system names it
    QString stored; // the same folder in stored form

    QString file(const QString& relative) const; // stored path below the folder
};

// The libraries given on the command line.
QList<BenchLibrary>& libraries();

// Every layer slot on: with the two figure images and the watermark, the
// redraw draws 17 images.
Outfit fullOutfit(const BenchLibrary& library);

// The ready-made outfit "01" with the eyes: 9 images with the watermark.
Outfit readyMadeOutfit(const BenchLibrary& library);

// Whether the canvas holds, pixel for pixel, the picture of the plan as a
// full redraw with nothing kept from before draws it (every file decoded).
bool equalsFullRedraw(const CanvasImage& canvas, const QStringList& plan,
                      const QString& libraryFolder);

// A copy of the library with two more categories, "Tops 200" and "Tops 2000"
// (rows "0001", "0002", ...), of items the size of its base figure: each a
// shape of its own over transparency, for the timings of the previews. Made
// once a run in a temporary folder; answers that folder.
QString previewLibrary(const BenchLibrary& library);

// Ends the run with a message when a library lacks a file the benchmarks use.
void requireFiles(const BenchLibrary& library);

} // namespace brindo::bench
