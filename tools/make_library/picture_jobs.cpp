#include "picture_jobs.h"

#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace brindo::sample {

namespace {

// 96 dots per inch, written into every file so that the output does not
// depend on the screen of the machine that draws it.
constexpr int kDotsPerMeter = 3780;

void createFolders(const std::vector<PictureJob>& jobs) {
    for (const PictureJob& job : jobs) {
        const QString folder = QFileInfo(job.file).path();
        if (!QDir().mkpath(folder)) {
            throw std::runtime_error("cannot create folder " + folder.toStdString());
        }
    }
}

} // namespace

void savePicture(QImage image, const QString& file) {
    image.setDotsPerMeterX(kDotsPerMeter);
    image.setDotsPerMeterY(kDotsPerMeter);
    QImageWriter writer(file, "png");
    if (!writer.write(image)) {
        throw std::runtime_error("cannot write " + file.toStdString() + ": " +
                                 writer.errorString().toStdString());
    }
}

void drawAndSave(const std::vector<PictureJob>& jobs, double scale) {
    createFolders(jobs);
    std::atomic<std::size_t> next{0};
    std::mutex failureLock;
    std::exception_ptr failure;
    const auto work = [&] {
        for (std::size_t i = next++; i < jobs.size(); i = next++) {
            try {
                savePicture(drawPicture(jobs[i].piece, scale), jobs[i].file);
            } catch (...) {
                const std::lock_guard lock(failureLock);
                if (!failure) {
                    failure = std::current_exception();
                }
                next = jobs.size();
            }
        }
    };
    const unsigned threadCount = std::clamp(std::thread::hardware_concurrency(), 1U, 8U);
    std::vector<std::jthread> workers;
    for (unsigned i = 1; i < threadCount; ++i) {
        workers.emplace_back(work);
    }
    work();
    workers.clear();
    if (failure) {
        std::rethrow_exception(failure);
    }
}

} // namespace brindo::sample
