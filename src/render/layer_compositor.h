#pragma once

#include "files/file_identity.h"
#include "render/canvas_image.h"
#include "render/png/decode_queue.h"
#include "render/png/layer_cache.h"

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>
#include <chrono>
#include <optional>
#include <vector>

namespace brindo {

// How the last layer of a plan is drawn: once, or once more on top, as
// start-up and each layer of Open draw it (a half-transparent watermark then
// shows twice).
enum class LastLayer { Once, Twice };

// What came of composing a picture.
struct ComposeReport {
    QList<LoadResult> results; // one for each file of the plan
    int decoded = 0;           // layers read from their files
    int reused = 0;            // layers that came from the cache (read ahead or kept)
    int firstBlended = 0;      // layers below this one were the kept bottom of the picture
};

// Composes pictures from plans of layer files, in order, with source over on
// a canvas of its fill (opaque, or clear). Every file of a plan is looked for (locateImage) and
// checked (regularFileIdentity) on every redraw; a file that has not changed
// since it was decoded is drawn from the cache, a changed, replaced or new one
// is read again, on worker threads, while the layers are drawn strictly in
// order. Files that a coming pick may draw can be read ahead while the window
// waits. Only the visible rows and spans of each layer are blended, and
// nothing below a band that a layer covers from edge to edge. When a plan
// differs from the one before only from some layer upward, the composite
// below that layer, kept from before, is reused. The picture is always the
// same, pixel for pixel, as drawing every file afresh with QPainter.
class LayerCompositor {
public:
    struct Settings {
        QString libraryFolder;          // stored form; where moved images are looked for
        LayerCache::Bounds cacheBounds; // no layer is kept with a zero bound
        int decodeThreads = 0;          // 0: decode on the calling thread
        bool keepBottom = false;        // keep a composite to start from next time
        // A file changed more recently than this is read again on every
        // redraw, since a change within the file system's time step might not
        // show in its identity (see FileIdentity::settled).
        std::chrono::nanoseconds settleTime = std::chrono::seconds(2);
    };
    // The window's: the cache bound of LayerCache::kWindowBounds, a decode
    // thread for every core, and the bottom kept.
    static Settings windowSettings(const QString& libraryFolder);
    // For whole pictures one after another: a thread for every core, layers
    // kept within `kept`, no bottom kept.
    static Settings oneShotSettings(const QString& libraryFolder, LayerCache::Bounds kept);

    explicit LayerCompositor(Settings settings);

    // The picture at a stored path, through the cache.
    Layer picture(const QString& storedPath);
    // Composes the plan onto the canvas, which keeps its size.
    ComposeReport compose(const QStringList& plan, CanvasImage& canvas,
                          LastLayer last = LastLayer::Once);

    // Decodes the files at these stored paths that are not kept yet on the
    // worker threads while nothing is composed, to keep them for a coming
    // compose; at most a picture's worth, for which room is made in the cache
    // at once. An earlier read-ahead that is not done is dropped.
    void readAhead(const QStringList& plan);
    // Whether a read-ahead is still under way.
    bool readingAhead();

    // Looks at the files of the kept layers that no compose has drawn since
    // the last call and drops those changed or gone, so that the cache holds
    // no image of a vanished file. A kept layer is checked before it is drawn
    // anyway; the window calls this once a click is done.
    void dropVanished() { cache_.dropStale(); }

    const LayerCache& cache() const { return cache_; }

private:
    struct Entry {
        QString nativeFile;
        std::optional<FileIdentity> identity; // none: no regular file there
        bool trusted = false;                 // settled, so it may be kept and compared
        Layer layer;
    };
    // What a redraw drew, to compare the next plan with.
    struct Drawn {
        std::optional<FileIdentity> identity;
        bool trusted = false;
        LoadResult result = LoadResult::FileNotFound;
    };

    Entry lookAt(const QString& storedPath);
    // Keeps what was read ahead and drops the rest of it.
    void adoptReadAhead();
    LoadedPicture decode(const Entry& entry) const;
    qsizetype firstChange(const std::vector<Entry>& entries) const;
    void composeRange(std::vector<Entry>& entries, qsizetype from, qsizetype to, QImage& target,
                      const QImage* start, QRgb fill, ComposeReport& report);

    Settings settings_;
    LayerCache cache_;
    DecodeQueue queue_;
    std::vector<Drawn> drawn_;
    std::vector<Entry> readingAhead_; // the files being read ahead, in order
    CanvasImage bottom_;              // the composite below layer bottomLevel_ of the last plan
    qsizetype bottomLevel_ = 0;       // 0: none kept
};

} // namespace brindo
