#include "render/layer_compositor.h"

#include "catalogue/stored_path.h"
#include "render/blend.h"

#include <algorithm>
#include <cstring>
#include <thread>
#include <utility>

namespace brindo {

namespace {

int threadForEveryCore() {
    const unsigned cores = std::thread::hardware_concurrency();
    return cores > 1 ? static_cast<int>(cores) : 0;
}

// Calls draw(top, end) for each run of the rows that no layer above `index`
// hides, among `rows`.
template <typename Draw>
void forVisibleRuns(const std::vector<qsizetype>& drawnFrom, qsizetype index, const QRect& rows,
                    Draw draw) {
    const int end = std::min(rows.bottom() + 1, static_cast<int>(drawnFrom.size()));
    for (int y = std::max(rows.top(), 0); y < end;) {
        if (drawnFrom[static_cast<std::size_t>(y)] > index) {
            ++y;
            continue;
        }
        int runEnd = y + 1;
        while (runEnd < end && drawnFrom[static_cast<std::size_t>(runEnd)] <= index) {
            ++runEnd;
        }
        draw(y, runEnd);
        y = runEnd;
    }
}

} // namespace

LayerCompositor::Settings LayerCompositor::windowSettings(const QString& libraryFolder) {
    return {libraryFolder, LayerCache::kWindowBounds, threadForEveryCore(), true};
}

LayerCompositor::Settings LayerCompositor::oneShotSettings(const QString& libraryFolder,
                                                           LayerCache::Bounds kept) {
    return {libraryFolder, kept, threadForEveryCore(), false};
}

LayerCompositor::LayerCompositor(Settings settings)
    : settings_(std::move(settings)), cache_(settings_.cacheBounds),
      queue_(settings_.decodeThreads, [](const QString& file) { return decodePngFile(file); }) {}

LayerCompositor::Entry LayerCompositor::lookAt(const QString& storedPath) {
    Entry entry;
    LocatedImage located = locateImageFile(storedPath, settings_.libraryFolder);
    entry.nativeFile = std::move(located.nativeFile);
    entry.identity = located.identity;
    entry.trusted = entry.identity && entry.identity->settled(settings_.settleTime);
    if (entry.trusted) {
        entry.layer = cache_.find(*entry.identity);
    }
    return entry;
}

// A file that is not there, or is not a regular file, is missing and draws
// nothing; such a file is never opened.
LoadedPicture LayerCompositor::decode(const Entry& entry) const {
    if (entry.nativeFile.isEmpty() || !entry.identity) {
        return {LoadResult::FileNotFound, {}, {}, {}};
    }
    return decodePngFile(entry.nativeFile);
}

Layer LayerCompositor::picture(const QString& storedPath) {
    Entry entry = lookAt(storedPath);
    if (!entry.layer) {
        entry.layer = std::make_shared<const LoadedPicture>(decode(entry));
        if (entry.trusted) {
            cache_.keep(entry.nativeFile, *entry.identity, entry.layer);
        }
    }
    return entry.layer;
}

void LayerCompositor::readAhead(const QStringList& plan) {
    adoptReadAhead();
    QStringList files;
    for (const QString& path : plan) {
        Entry entry = lookAt(path); // what is kept already becomes recently used
        const bool listed = files.contains(entry.nativeFile);
        if (entry.trusted && !entry.layer && !listed && files.size() < kMostLayersInAPicture) {
            files.append(entry.nativeFile);
            readingAhead_.push_back(std::move(entry));
        }
    }
    cache_.makeRoom(files.size());
    queue_.startBackground(files);
}

bool LayerCompositor::readingAhead() {
    return queue_.backgroundPending();
}

void LayerCompositor::adoptReadAhead() {
    for (auto& [index, picture] : queue_.finishBackground()) {
        const Entry& entry = readingAhead_[static_cast<std::size_t>(index)];
        cache_.keep(entry.nativeFile, *entry.identity,
                    std::make_shared<const LoadedPicture>(std::move(picture)));
    }
    readingAhead_.clear();
}

qsizetype LayerCompositor::firstChange(const std::vector<Entry>& entries) const {
    const auto count = static_cast<qsizetype>(entries.size());
    for (qsizetype i = 0; i < count; ++i) {
        if (i >= static_cast<qsizetype>(drawn_.size())) {
            return i;
        }
        const Entry& now = entries[static_cast<std::size_t>(i)];
        const Drawn& before = drawn_[static_cast<std::size_t>(i)];
        // Missing both times (drawn as nothing), or the same settled version.
        const bool same = now.identity ? before.identity && now.trusted && before.trusted &&
                                             now.identity->sameVersion(*before.identity)
                                       : !before.identity;
        if (!same) {
            return i;
        }
    }
    return count;
}

ComposeReport LayerCompositor::compose(const QStringList& plan, CanvasImage& canvas,
                                       LastLayer last) {
    adoptReadAhead();
    // Should this redraw fail half way, nothing of the last one counts.
    const qsizetype keptLevel = std::exchange(bottomLevel_, 0);
    std::vector<Entry> entries;
    entries.reserve(static_cast<std::size_t>(plan.size()));
    for (const QString& path : plan) {
        entries.push_back(lookAt(path));
    }
    const auto count = static_cast<qsizetype>(entries.size());
    const qsizetype changed = firstChange(entries);
    QImage& surface = *canvas.surface();
    const bool bottomFits =
        bottom_.image().size() == surface.size() && bottom_.fill() == canvas.fill();
    const qsizetype from = bottomFits && keptLevel <= changed ? keptLevel : 0;
    const qsizetype keepAt =
        settings_.keepBottom && changed > from && changed < count ? changed : 0;

    ComposeReport report;
    report.firstBlended = static_cast<int>(from);
    report.results.resize(count);
    for (qsizetype i = 0; i < from; ++i) {
        report.results[i] = drawn_[static_cast<std::size_t>(i)].result;
    }
    drawn_.clear();
    if (keepAt > 0) {
        if (!bottomFits) {
            bottom_.resize(surface.width(), surface.height(), canvas.fill());
        }
        QImage& bottom = *bottom_.surface();
        composeRange(entries, from, keepAt, bottom, from > 0 ? &bottom : nullptr, canvas.fill(),
                     report);
        composeRange(entries, keepAt, count, surface, &bottom, canvas.fill(), report);
    } else {
        composeRange(entries, from, count, surface, from > 0 ? &bottom_.image() : nullptr,
                     canvas.fill(), report);
    }
    if (last == LastLayer::Twice && count > 0) {
        Layer& top = entries.back().layer;
        if (!top) { // below the kept bottom, and no longer in the cache
            top = std::make_shared<const LoadedPicture>(decode(entries.back()));
        }
        if (top->result == LoadResult::Loaded) {
            blendPicture(surface, top->image, top->coverage, {}, 0, surface.height());
        }
    }

    for (qsizetype i = 0; i < count; ++i) {
        const Entry& entry = entries[static_cast<std::size_t>(i)];
        drawn_.push_back({entry.identity, entry.trusted, report.results[i]});
    }
    bottomLevel_ = keepAt > 0 ? keepAt : from;
    return report;
}

// Composes the layers [from, to) onto `target`, which starts as `start`
// (itself: it holds the layers below `from` already; none: the fill).
void LayerCompositor::composeRange(std::vector<Entry>& entries, qsizetype from, qsizetype to,
                                   QImage& target, const QImage* start, QRgb fill,
                                   ComposeReport& report) {
    QStringList toDecode;
    for (qsizetype i = from; i < to; ++i) {
        const Entry& entry = entries[static_cast<std::size_t>(i)];
        if (!entry.layer && entry.identity) {
            toDecode.append(entry.nativeFile);
        }
    }
    if (!toDecode.isEmpty()) {
        // The layers let go now lend their memory to the new ones.
        cache_.makeRoom(toDecode.size());
        queue_.start(toDecode);
    }

    // For each row, the lowest layer that shows there: the top one of those
    // already decoded that are opaque across the whole row, or none (the
    // start shows through).
    const int width = target.width();
    const qsizetype startShows = from - 1;
    std::vector<qsizetype> drawnFrom(static_cast<std::size_t>(std::max(target.height(), 0)),
                                     startShows);
    for (qsizetype i = from; i < to; ++i) {
        const Layer& layer = entries[static_cast<std::size_t>(i)].layer;
        if (layer && layer->result == LoadResult::Loaded &&
            layer->coverage.opaque.width() >= width) {
            const QRect band = layer->coverage.opaque & target.rect();
            for (int y = band.top(); y <= band.bottom(); ++y) {
                drawnFrom[static_cast<std::size_t>(y)] = i;
            }
        }
    }
    if (start != &target) {
        const auto rowBytes = static_cast<std::size_t>(width) * sizeof(QRgb);
        for (int y = 0; y < target.height(); ++y) {
            if (drawnFrom[static_cast<std::size_t>(y)] != startShows) {
                continue; // a layer covers the whole row
            }
            auto* row = reinterpret_cast<QRgb*>(target.scanLine(y));
            if (start != nullptr) {
                std::memcpy(row, start->constScanLine(y), rowBytes);
            } else {
                std::fill_n(row, width, fill);
            }
        }
    }

    for (qsizetype i = from; i < to; ++i) {
        Entry& entry = entries[static_cast<std::size_t>(i)];
        if (entry.layer) {
            ++report.reused;
        } else if (entry.identity) {
            entry.layer = std::make_shared<const LoadedPicture>(queue_.takeNext());
            ++report.decoded;
            if (entry.trusted) {
                cache_.keep(entry.nativeFile, *entry.identity, entry.layer);
            }
        } else {
            entry.layer = std::make_shared<const LoadedPicture>(decode(entry));
        }
        const LoadedPicture& layer = *entry.layer;
        report.results[i] = layer.result;
        if (layer.result == LoadResult::Loaded) {
            forVisibleRuns(drawnFrom, i, layer.coverage.visible, [&](int top, int end) {
                blendPicture(target, layer.image, layer.coverage, {}, top, end);
            });
        }
        if (i + 1 < static_cast<qsizetype>(entries.size())) {
            entry.layer.reset(); // the cache keeps what is worth keeping
        }
    }
}

} // namespace brindo
