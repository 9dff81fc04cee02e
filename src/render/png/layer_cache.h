#pragma once

#include "files/file_identity.h"
#include "render/png/png_loading.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <list>
#include <memory>

namespace brindo {

// A decoded layer, shared between the cache and the redraw that draws it.
using Layer = std::shared_ptr<const LoadedPicture>;

// The most images one picture draws: fourteen layer slots, the two figure
// images and the watermark.
constexpr qsizetype kMostLayersInAPicture = 17;

// Decoded layers kept between redraws, each under the identity of the file
// it was read from, so that a file that has not changed since is not read
// again and a changed or replaced one always is. Bounded both in layers and
// in bytes; the least recently used go first. Not thread-safe: one redraw at
// a time uses it.
class LayerCache {
public:
    struct Bounds {
        qsizetype layers = 0;
        qint64 bytes = 0;
    };
    // The window's: the layers of three pictures, at most 512 MiB.
    static constexpr Bounds kWindowBounds{3 * kMostLayersInAPicture, qint64{512} << 20};

    explicit LayerCache(Bounds bounds) : bounds_(bounds) {}

    // The layer read from that version of the file, if kept; it becomes the
    // most recently used. A kept layer of an older version of the same file
    // is dropped.
    Layer find(const FileIdentity& identity);
    // Keeps a layer read from the file at `nativeFile` with that identity in
    // place of any kept for that file or path, making room by dropping the
    // least recently used ones. A layer larger
    // than the bound is not kept.
    void keep(const QString& nativeFile, const FileIdentity& identity, Layer layer);
    // Drops the least recently used layers until `layers` more fit.
    void makeRoom(qsizetype layers);
    // Looks at the file of every layer not found or kept since the last call
    // and drops those whose file is gone or is no longer the version read.
    void dropStale();

    qsizetype layers() const { return static_cast<qsizetype>(entries_.size()); }
    // The files whose layers are kept, the most recently used first.
    QStringList files() const;
    qint64 bytes() const { return bytes_; }
    Bounds bounds() const { return bounds_; }

    // What a layer counts for against the bound: its pixels and its rows.
    static qint64 bytesOf(const LoadedPicture& layer);

private:
    struct Entry {
        QString nativeFile;
        FileIdentity identity;
        Layer layer;
        qint64 bytes = 0;
        bool used = false; // found or kept since the last dropStale
    };
    using Entries = std::list<Entry>; // most recently used first

    void drop(Entries::iterator entry);

    Bounds bounds_;
    Entries entries_;
    qint64 bytes_ = 0;
};

} // namespace brindo
