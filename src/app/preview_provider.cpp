#include "app/preview_provider.h"

#include "catalogue/stored_path.h"
#include "files/file_identity.h"
#include "render/item_preview.h"

#include <QListWidget>
#include <QMutex>
#include <QPainter>
#include <algorithm>
#include <atomic>

namespace brindo {

namespace {

// The key a row's icon was asked for with, to tell it from a row refilled since.
constexpr int kPreviewKeyRole = Qt::UserRole + 1;

// The images and the versions of their files, one to a line.
QString stampOf(const QStringList& images, const QString& libraryFolder) {
    QString stamp;
    for (const QString& image : images) {
        stamp += image + u'=';
        if (const auto file = locateImageFile(image, libraryFolder).identity) {
            stamp += QStringLiteral("%1:%2:%3:%4:%5")
                         .arg(file->device)
                         .arg(file->inode)
                         .arg(file->size)
                         .arg(file->modifiedNs)
                         .arg(file->changedNs);
        }
        stamp += u'\n';
    }
    return stamp;
}

// An icon that shows the picture as it is, also in a selected row, where
// the style would tint it with the selection's colour.
QIcon iconShowing(const QImage& picture) {
    const QPixmap pixmap = QPixmap::fromImage(picture);
    QIcon icon(pixmap);
    icon.addPixmap(pixmap, QIcon::Selected);
    return icon;
}

} // namespace

// What the worker threads share with the window.
struct PreviewProvider::Shared {
    const QString libraryFolder;
    QMutex mutex;
    PreviewCache cache{kMostPreviews, kMostBytes};

    explicit Shared(QString folder) : libraryFolder(std::move(folder)) {}

    std::optional<PreviewCache::Preview> find(const QString& key) {
        const QMutexLocker lock(&mutex);
        return cache.find(key);
    }
    void keep(const QString& key, PreviewCache::Preview preview) {
        const QMutexLocker lock(&mutex);
        cache.insert(key, std::move(preview));
    }
};

PreviewProvider::PreviewProvider(QString libraryFolder, QObject* parent)
    : QObject(parent), shared_(std::make_shared<Shared>(std::move(libraryFolder))) {
    makePlaceholder();
    // One core stays free for the window and the picture.
    pool_.setMaxThreadCount(std::max(1, QThread::idealThreadCount() - 1));
    pool_.setThreadPriority(QThread::LowPriority);
}

PreviewProvider::~PreviewProvider() {
    for (const auto& generation : std::as_const(generations_)) {
        ++*generation;
    }
    pool_.clear();
    pool_.waitForDone();
}

void PreviewProvider::setIconSize(int side, qreal devicePixelRatio) {
    side_ = side;
    pixelRatio_ = devicePixelRatio;
    makePlaceholder();
}

qsizetype PreviewProvider::keptCount() const {
    const QMutexLocker lock(&shared_->mutex);
    return shared_->cache.count();
}

qsizetype PreviewProvider::keptBytes() const {
    const QMutexLocker lock(&shared_->mutex);
    return shared_->cache.bytes();
}

void PreviewProvider::makePlaceholder() {
    const int pixels = qRound(side_ * pixelRatio_);
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xE4, 0xE4, 0xE4));
    const qreal margin = pixels / 8.0;
    painter.drawRoundedRect(QRectF(margin, margin, pixels - 2 * margin, pixels - 2 * margin),
                            margin, margin);
    painter.end();
    image.setDevicePixelRatio(pixelRatio_);
    placeholder_ = iconShowing(image);
}

QIcon PreviewProvider::iconOf(const QString& key, const PreviewCache::Preview& preview) {
    const QString version = key + u'\n' + preview.stamp;
    if (const QIcon* icon = icons_.object(version)) {
        return *icon;
    }
    QIcon icon = iconShowing(preview.image);
    icons_.insert(version, new QIcon(icon), preview.image.sizeInBytes());
    return icon;
}

void PreviewProvider::clear(QListWidget* list) {
    if (const auto generation = generations_.value(list)) {
        ++*generation;
    }
    // Only rows given a preview carry an icon: freshly filled rows are left alone.
    for (int row = 0; row < list->count(); ++row) {
        QListWidgetItem* item = list->item(row);
        if (item->data(kPreviewKeyRole).isValid()) {
            item->setIcon(QIcon());
            item->setData(kPreviewKeyRole, QVariant());
        }
    }
}

void PreviewProvider::show(QListWidget* list, const PreviewRows& previews, bool keepIcons) {
    auto& generation = generations_[list];
    if (!generation) {
        generation = std::make_shared<std::atomic_int>(0);
    }
    const Request request{list, generation, ++*generation, qRound(side_ * pixelRatio_),
                          pixelRatio_};
    const int rows = list->count();
    outstanding_ += rows;
    // The rows that the list's first paint can show get their icons now; the
    // others, and the workers' tasks, follow from the event loop, so that the
    // click that fills a list of thousands of rows does not wait for them.
    const int firstRows = std::min(rows, kFirstRows);
    prepareRows(request, previews, 0, firstRows, keepIcons);
    QMetaObject::invokeMethod(
        this,
        [this, request, previews, rows, firstRows, keepIcons] {
            if (!request.list || *request.generation != request.asked) {
                finish(rows); // overtaken
                return;
            }
            prepareRows(request, previews, firstRows, rows, keepIcons);
            startWork(request, previews, rows);
        },
        Qt::QueuedConnection);
}

void PreviewProvider::prepareRows(const Request& request, const PreviewRows& previews, int first,
                                  int end, bool keepIcons) {
    const QString pixels = u'@' + QString::number(request.pixels);
    for (int row = first; row < std::min(end, request.list->count()); ++row) {
        const QString key = previews.key(row) + pixels;
        QListWidgetItem* item = request.list->item(row);
        item->setData(kPreviewKeyRole, key);
        if (!keepIcons || item->icon().isNull()) {
            const auto kept = shared_->find(key);
            item->setIcon(kept ? iconOf(key, *kept) : placeholder_);
        }
    }
}

void PreviewProvider::startWork(const Request& request, const PreviewRows& previews, int rows) {
    // Fewer tasks than rows: each task costs the window's thread a little to
    // hand over.
    constexpr int kRowsPerTask = 16;
    const QListWidget* list = request.list;
    const int present = std::min(rows, list->count()); // rows not taken away meanwhile
    for (int first = 0; first < present; first += kRowsPerTask) {
        QStringList keys;
        for (int row = first; row < std::min(present, first + kRowsPerTask); ++row) {
            keys.append(list->item(row)->data(kPreviewKeyRole).toString());
        }
        pool_.start([this, request, previews, first, keys] {
            for (int row = first; row < first + keys.size(); ++row) {
                makeOne(request, row, keys.at(row - first), previews);
            }
        });
    }
    finish(rows - present);
}

void PreviewProvider::makeOne(const Request& request, int row, const QString& key,
                              const PreviewRows& previews) {
    PreviewCache::Preview preview;
    if (*request.generation == request.asked) {
        const QStringList files = previews.images(row);
        preview.stamp = stampOf(files, shared_->libraryFolder);
        const auto kept = shared_->find(key);
        if (kept && kept->stamp == preview.stamp) {
            preview.image = kept->image;
        } else {
            preview.image = itemPreview(files, shared_->libraryFolder, request.pixels);
            preview.image.setDevicePixelRatio(request.ratio);
            shared_->keep(key, preview);
        }
    }
    QMetaObject::invokeMethod(
        this, [this, list = request.list, row, key, preview] { deliver(list, row, key, preview); },
        Qt::QueuedConnection);
}

void PreviewProvider::deliver(const QPointer<QListWidget>& list, int row, const QString& key,
                              const PreviewCache::Preview& preview) {
    QListWidgetItem* item = list && row < list->count() ? list->item(row) : nullptr;
    if (!preview.image.isNull() && item != nullptr &&
        item->data(kPreviewKeyRole).toString() == key) {
        item->setIcon(iconOf(key, preview));
    }
    finish(1);
}

void PreviewProvider::finish(int previews) {
    outstanding_ -= previews;
    if (previews > 0 && outstanding_ == 0) {
        emit allShown();
    }
}

} // namespace brindo
