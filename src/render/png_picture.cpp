#include "render/png_picture.h"

#include "render/read_ahead.h"

#include <QPainter>
#include <thread>
#include <utility>

namespace brindo {

PNGPicture::PNGPicture(QString storedInstallFolder)
    : installFolder_(std::move(storedInstallFolder)) {}

PNGPicture::~PNGPicture() = default;

QImage PNGPicture::decodePng(const QString& nativeFile) {
    return decodePngFile(nativeFile).image;
}

void PNGPicture::expectLoads(const QStringList& paths) {
    forgetExpectedLoads();
    if (std::thread::hardware_concurrency() > 1) {
        expected_ = paths;
    }
}

void PNGPicture::forgetExpectedLoads() {
    if (readAhead_) {
        readAhead_->drop();
    }
    readingAhead_ = -1;
    expected_.clear();
    nextExpected_ = 0;
}

// Loads alternate between the threads: an expected load that was not read
// ahead starts the one after it on the other thread, then decodes here.
int PNGPicture::LoadFile(const QString& path) {
    current_ = {};
    const bool expected = nextExpected_ < expected_.size() && expected_.at(nextExpected_) == path;
    if (!expected) {
        forgetExpectedLoads();
        current_ = loadPicture(path, installFolder_);
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
                    std::make_unique<ReadAhead>([folder = installFolder_](const QString& next) {
                        return loadPicture(next, folder);
                    });
            }
            readAhead_->start(expected_.at(nextExpected_));
            readingAhead_ = nextExpected_;
        }
        current_ = loadPicture(path, installFolder_);
    }
    if (nextExpected_ == expected_.size()) {
        forgetExpectedLoads();
    }
    return current_.result;
}

int PNGPicture::ImageWidth() const {
    return current_.image.width();
}

int PNGPicture::ImageHeight() const {
    return current_.image.height();
}

void PNGPicture::DrawTo(DeviceContext dc, int x, int y) {
    if (dc == nullptr || dc->isNull() || current_.image.isNull() || current_.visible.isEmpty()) {
        return;
    }
    // Fully transparent pixels leave the surface as it is, so only the part
    // of the picture that holds something is drawn.
    QPainter painter(dc);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawImage(QPoint(x, y) + current_.visible.topLeft(), current_.image, current_.visible);
}

} // namespace brindo
