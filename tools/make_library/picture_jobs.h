#pragma once

#include "paint.h"

#include <QString>
#include <vector>

namespace brindo::sample {

struct PictureJob {
    QString file;
    Piece piece;
};

// Saves the image as PNG with a fixed resolution, so that the file is the same
// on every machine. Throws std::runtime_error when it cannot be written.
void savePicture(QImage image, const QString& file);

// Draws every picture at the given scale and saves it as PNG, creating
// folders as needed. The pictures are independent, so they are drawn on all
// processor cores; the files are the same whatever the order. Throws
// std::runtime_error naming the first file or folder that cannot be written.
void drawAndSave(const std::vector<PictureJob>& jobs, double scale);

} // namespace brindo::sample
