#pragma once

#include "app/preview_cache.h"

#include <QCache>
#include <QHash>
#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QThreadPool>
#include <functional>
#include <memory>

class QListWidget;

namespace brindo {

// The previews of a list's rows, asked for row by row only when a row's turn
// comes, so that filling a long list costs nothing up front: the key that
// names what a row shows (the same key, the same picture while its files stay
// the same), and how to find its images, which runs on a worker thread.
struct PreviewRows {
    std::function<QString(int row)> key;
    std::function<QStringList(int row)> images;
};

// Makes the previews of list rows on worker threads and shows them as the
// rows' icons. A row shows the last preview made for its key, or a neutral
// placeholder, until its preview is ready; nothing here waits for a file.
// Previews are kept by key with the stamps of their files, so a file that
// changed gets a new preview: at most kMostPreviews of them in kMostBytes of
// pixels, and their icons in as many bytes again.
class PreviewProvider : public QObject {
    Q_OBJECT

public:
    static constexpr qsizetype kMostPreviews = 4096;
    static constexpr qsizetype kMostBytes = qsizetype{16} << 20;
    // Rows that get their icons at once when a list is filled, for its first
    // paint even at the largest zoom; the others follow from the event loop.
    static constexpr int kFirstRows = 128;

    explicit PreviewProvider(QString libraryFolder, QObject* parent = nullptr);
    // Drops the waiting work and waits for the previews being made.
    ~PreviewProvider() override;

    // The side of the icons in the screen's pixels, and its pixel ratio.
    void setIconSize(int side, qreal devicePixelRatio);
    int iconSide() const { return side_; }

    // Shows the previews of the rows of `list`. Work asked for the list
    // before and not yet begun is dropped; with `keepIcons` the rows keep the
    // icons they show until their new previews are ready (for the same rows
    // asked again).
    void show(QListWidget* list, const PreviewRows& previews, bool keepIcons = false);
    // Takes the icons off the list and drops its work.
    void clear(QListWidget* list);

    // Previews asked for and not yet shown or dropped.
    int outstanding() const { return outstanding_; }
    qsizetype keptCount() const;
    qsizetype keptBytes() const;

signals:
    // Every preview asked for has been shown or dropped.
    void allShown();

private:
    struct Shared;
    // What a request asks for, all of it for one list.
    struct Request {
        QPointer<QListWidget> list;
        std::shared_ptr<std::atomic_int> generation;
        int asked = 0; // the generation it was asked in
        int pixels = 0;
        qreal ratio = 1.0;
    };
    // Gives rows [first, end) their keys, and the icons they show until
    // their previews are ready.
    void prepareRows(const Request& request, const PreviewRows& previews, int first, int end,
                     bool keepIcons);
    // Hands the rows' work to the workers, a few rows a task.
    void startWork(const Request& request, const PreviewRows& previews, int rows);
    // Makes (or finds) one row's preview on a worker thread and sends it to
    // the window's thread; a request that was overtaken makes nothing.
    void makeOne(const Request& request, int row, const QString& key, const PreviewRows& previews);
    void deliver(const QPointer<QListWidget>& list, int row, const QString& key,
                 const PreviewCache::Preview& preview);
    // So many previews were shown or dropped.
    void finish(int previews);
    // The icon of a preview: one for each picture, so that the pixmaps the
    // style draws from it are made once.
    QIcon iconOf(const QString& key, const PreviewCache::Preview& preview);
    void makePlaceholder();

    std::shared_ptr<Shared> shared_;
    QThreadPool pool_;
    int side_ = 32;
    qreal pixelRatio_ = 1.0;
    int outstanding_ = 0;
    QIcon placeholder_;
    QCache<QString, QIcon> icons_{kMostBytes}; // costs in bytes of pixels
    // One counter a list: a job whose list has moved on is dropped.
    QHash<const QListWidget*, std::shared_ptr<std::atomic_int>> generations_;
};

} // namespace brindo
