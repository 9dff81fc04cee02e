#include "app/preview_cache.h"

namespace brindo {

PreviewCache::PreviewCache(qsizetype mostPreviews, qsizetype mostBytes)
    : mostPreviews_(mostPreviews), mostBytes_(mostBytes) {}

std::optional<PreviewCache::Preview> PreviewCache::find(const QString& key) {
    const auto found = byKey_.constFind(key);
    if (found == byKey_.constEnd()) {
        return std::nullopt;
    }
    entries_.splice(entries_.begin(), entries_, found.value());
    return entries_.front().preview;
}

void PreviewCache::insert(const QString& key, Preview preview) {
    if (const auto found = byKey_.constFind(key); found != byKey_.constEnd()) {
        erase(found.value());
    }
    bytes_ += preview.image.sizeInBytes();
    entries_.push_front({key, std::move(preview)});
    byKey_.insert(key, entries_.begin());
    while (!entries_.empty() && (count() > mostPreviews_ || bytes_ > mostBytes_)) {
        erase(std::prev(entries_.end()));
    }
}

void PreviewCache::clear() {
    entries_.clear();
    byKey_.clear();
    bytes_ = 0;
}

void PreviewCache::erase(Entries::iterator entry) {
    bytes_ -= entry->preview.image.sizeInBytes();
    byKey_.remove(entry->key);
    entries_.erase(entry);
}

} // namespace brindo
