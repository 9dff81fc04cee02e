#include "render/png/layer_cache.h"

#include <algorithm>

namespace brindo {

qint64 LayerCache::bytesOf(const LoadedPicture& layer) {
    return layer.image.sizeInBytes() +
           static_cast<qint64>(layer.coverage.rows.size() * sizeof(RowSpan)) +
           static_cast<qint64>(sizeof(LoadedPicture));
}

Layer LayerCache::find(const FileIdentity& identity) {
    const auto found = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& entry) {
        return entry.identity.sameFile(identity);
    });
    if (found == entries_.end()) {
        return nullptr;
    }
    if (!found->identity.sameVersion(identity)) {
        drop(found);
        return nullptr;
    }
    found->used = true;
    entries_.splice(entries_.begin(), entries_, found);
    return found->layer;
}

void LayerCache::keep(const QString& nativeFile, const FileIdentity& identity, Layer layer) {
    // One layer a file, and one a path: a file replaced by a rename leaves the old one unreachable.
    for (auto entry = entries_.begin(); entry != entries_.end();) {
        const auto next = std::next(entry);
        if (entry->identity.sameFile(identity) || entry->nativeFile == nativeFile) {
            drop(entry);
        }
        entry = next;
    }
    const qint64 bytes = layer ? bytesOf(*layer) : 0;
    if (!layer || bytes > bounds_.bytes || bounds_.layers < 1) {
        return;
    }
    while (!entries_.empty() && (layers() >= bounds_.layers || bytes_ + bytes > bounds_.bytes)) {
        drop(std::prev(entries_.end()));
    }
    entries_.push_front({nativeFile, identity, std::move(layer), bytes, true});
    bytes_ += bytes;
}

void LayerCache::makeRoom(qsizetype layers) {
    while (!entries_.empty() && this->layers() + layers > bounds_.layers) {
        drop(std::prev(entries_.end()));
    }
}

void LayerCache::dropStale() {
    for (auto entry = entries_.begin(); entry != entries_.end();) {
        const auto next = std::next(entry);
        if (!entry->used) {
            const auto now = regularFileIdentity(entry->nativeFile);
            if (!now || !now->sameVersion(entry->identity)) {
                drop(entry);
            }
        }
        entry = next;
    }
    for (Entry& entry : entries_) {
        entry.used = false;
    }
}

QStringList LayerCache::files() const {
    QStringList files;
    for (const Entry& entry : entries_) {
        files.append(entry.nativeFile);
    }
    return files;
}

void LayerCache::drop(Entries::iterator entry) {
    bytes_ -= entry->bytes;
    entries_.erase(entry);
}

} // namespace brindo
