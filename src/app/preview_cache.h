#pragma once

#include <QHash>
#include <QImage>
#include <QString>
#include <list>
#include <optional>

namespace brindo {

// Previews kept by key, least recently used first out, within a number of
// previews and of bytes of pixels. Not thread-safe on its own.
class PreviewCache {
public:
    struct Preview {
        QString stamp; // the stamps of the files it was made from
        QImage image;
    };

    PreviewCache(qsizetype mostPreviews, qsizetype mostBytes);

    // The preview kept for the key, which becomes the most recently used.
    std::optional<Preview> find(const QString& key);
    // Keeps a preview in place of any other for the key, then drops the
    // least recently used ones beyond the bounds.
    void insert(const QString& key, Preview preview);
    void clear();

    qsizetype count() const { return static_cast<qsizetype>(entries_.size()); }
    qsizetype bytes() const { return bytes_; }

private:
    struct Entry {
        QString key;
        Preview preview;
    };
    using Entries = std::list<Entry>; // most recently used first

    void erase(Entries::iterator entry);

    qsizetype mostPreviews_;
    qsizetype mostBytes_;
    qsizetype bytes_ = 0;
    Entries entries_;
    QHash<QString, Entries::iterator> byKey_;
};

} // namespace brindo
