#include "render/png/png_painter.h"

#include "render/png/read_ahead.h"

#include <QPainter>
#include <thread>
#include <utility>

namespace brindo {

PngPainter::PngPainter(QString libraryFolder) : libraryFolder_(std::move(libraryFolder)) {}

PngPainter::~PngPainter() = default;

void PngPainter::expectLoads(const QStringList& paths) {
    forgetExpectedLoads();
    if (std::thread::hardware_concurrency() > 1) {
        expected_ = paths;
    }
}

void PngPainter::forgetExpectedLoads() {
    if (readAhead_) {
        readAhead_->drop();
    }
    readingAhead_ = -1;
    expected_.clear();
    nextExpected_ = 0;
}

// Loads alternate between the threads: an expected load that was not read
// ahead starts the one after it on the other thread, then decodes here.
LoadResult PngPainter::load(const QString& path) {
    current_ = {};
    const bool expected = nextExpected_ < expected_.size() && expected_.at(nextExpected_) == path;
    if (!expected) {
        forgetExpectedLoads();
        current_ = loadPicture(path, libraryFolder_);
        return current_.result;
    }
    const qsizetype index = nextExpected_++;
    if (readingAhead_ == index) {
        current_ = readAhead_->take();
        readingAhead_ = -1;
    } else {
        if (nextExpected_ < expected_.size()) {
            if (!readAhead_) {
                readAhead_ =
                    std::make_unique<ReadAhead>([folder = libraryFolder_](const QString& next) {
                        return loadPicture(next, folder);
                    });
            }
            readAhead_->start(expected_.at(nextExpected_));
            readingAhead_ = nextExpected_;
        }
        current_ = loadPicture(path, libraryFolder_);
    }
    if (nextExpected_ == expected_.size()) {
        forgetExpectedLoads();
    }
    return current_.result;
}

int PngPainter::width() const {
    return current_.image.width();
}

int PngPainter::height() const {
    return current_.image.height();
}

void PngPainter::drawOn(QImage* surface, int x, int y) {
    if (surface == nullptr || surface->isNull() || current_.image.isNull() ||
        current_.visible.isEmpty()) {
        return;
    }
    // Fully transparent pixels leave the surface as it is, so only the part
    // of the picture that holds something is drawn.
    QPainter painter(surface);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawImage(QPoint(x, y) + current_.visible.topLeft(), current_.image, current_.visible);
}

} // namespace brindo
