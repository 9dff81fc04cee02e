#include "app/main_window.h"
#include "catalogue/folder_listing.h"
#include "catalogue/item_pick.h"
#include "catalogue/library_layout.h"
#include "catalogue/row_images.h"
#include "catalogue/stored_path.h"
#include "catalogue/worn_rows.h"
#include "files/file_identity.h"
#include "render/draw_outfit.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QResizeEvent>
#include <QScreen>
#include <QWindow>
#include <algorithm>

namespace brindo {

namespace {

// Previews are this many pixels a side, at every zoom: more rows show as the
// lists grow.
constexpr int kPreviewSide = 32;

bool sameVersion(const std::optional<FileIdentity>& now,
                 const std::optional<FileIdentity>& before) {
    return now.has_value() == before.has_value() && (!now || now->sameVersion(*before));
}

// Names what a row shows: its list, folder and names, one to a line.
QString previewKey(const QStringList& parts) {
    return parts.join(u'\n');
}

} // namespace

void MainWindow::buildViewMenu() {
    viewMenu_ = menuBar()->addMenu(tr("&View"));
    viewMenu_->setObjectName(QStringLiteral("viewMenu"));
    const auto add = [this](const char* name, const QString& caption,
                            const QList<QKeySequence>& shortcuts, void (MainWindow::*handler)()) {
        QAction* action = viewMenu_->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcuts(shortcuts);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    // Ctrl+= as well, for keyboards where "+" needs Shift.
    add("zoomIn", tr("Zoom &In"),
        {QKeySequence(QStringLiteral("Ctrl++")), QKeySequence(QStringLiteral("Ctrl+="))},
        &MainWindow::zoomIn);
    add("zoomOut", tr("Zoom &Out"), {QKeySequence(QStringLiteral("Ctrl+-"))}, &MainWindow::zoomOut);
    add("actualSize", tr("&Actual Size"), {QKeySequence(QStringLiteral("Ctrl+0"))},
        &MainWindow::actualSize);
    viewMenu_->addSeparator();
    QAction* previews = viewMenu_->addAction(tr("Show &Previews"));
    previews->setObjectName(QStringLiteral("showPreviews"));
    previews->setCheckable(true);
    previews->setChecked(previewsShown_);
    connect(previews, &QAction::toggled, this, &MainWindow::setPreviewsShown);
}

WindowLayout MainWindow::layoutAt(int zoom) const {
    return windowLayout(classicGeometry(), canvasView_->canvas().image().size(), zoom, wide_);
}

void MainWindow::setWide(bool wide) {
    const int before = layoutAt(zoom_).client.width();
    wide_ = wide;
    // Taken before the new minimum size can change it.
    const QSize target(width() + layoutAt(zoom_).client.width() - before, height());
    setMinimumSize(layoutAt(1).client + QSize(0, menuBar()->sizeHint().height()));
    resize(target);
}

void MainWindow::fitWindow() {
    const QSize menu(0, menuBar()->sizeHint().height());
    setMinimumSize(layoutAt(1).client + menu);
    resize(layoutAt(zoom_).client + menu);
}

void MainWindow::placeControls() {
    const WindowLayout layout = layoutAt(zoom_);
    canvasView_->setZoom(zoom_);
    canvasView_->setGeometry(layout.canvas);
    categoryList_->setGeometry(layout.categoryList);
    itemList_->setGeometry(layout.itemList);
    variantList_->setGeometry(layout.variantList);
    updateZoomActions();
}

void MainWindow::setZoom(int zoom) {
    zoom_ = std::clamp(zoom, 1, kLargestZoom);
    placeControls();
    fitWindow();
}

void MainWindow::zoomIn() {
    const QSize space = screenSpace(screen()->availableGeometry().height());
    const int largest =
        fittingZoom(classicGeometry(), canvasView_->canvas().image().size(), space, wide_);
    if (zoom_ < largest) {
        setZoom(zoom_ + 1);
    }
}

void MainWindow::zoomOut() {
    setZoom(zoom_ - 1);
}

void MainWindow::actualSize() {
    setZoom(1);
}

void MainWindow::updateZoomActions() {
    action(QStringLiteral("zoomOut"))->setEnabled(zoom_ > 1);
    action(QStringLiteral("actualSize"))->setEnabled(zoom_ > 1);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (!compositor_) {
        return;
    }
    const QSize client = centralWidget()->size();
    const int zoom =
        fittingZoom(classicGeometry(), canvasView_->canvas().image().size(), client, wide_);
    if (zoom != zoom_) {
        zoom_ = zoom;
        placeControls();
    }
}

QSize MainWindow::screenSpace(int screenHeight) const {
    const QSize frame = frameGeometry().size() - geometry().size();
    const QSize chrome = frame + QSize(0, menuBar()->sizeHint().height());
    return QSize(screen()->availableGeometry().width(), screenHeight) - chrome;
}

void MainWindow::restoreView() {
    const WindowSettings saved;
    const QSize picture = canvasView_->canvas().image().size();
    const int screenHeight = screen()->availableGeometry().height();
    const QSize space = screenSpace(screenHeight);
    const int largest = fittingZoom(classicGeometry(), picture, space, wide_);
    const int firstZoom =
        fittingZoom(classicGeometry(), picture, screenSpace(screenHeight / 2), wide_);
    previewsShown_ = saved.showPreviews();
    action(QStringLiteral("showPreviews"))->setChecked(previewsShown_);
    const std::optional<int> lastZoom = saved.zoom();
    setZoom(std::min(lastZoom.value_or(firstZoom), largest));
    if (lastZoom && saved.clientSize().isValid()) {
        const QSize client = saved.clientSize().expandedTo(layoutAt(zoom_).client).boundedTo(space);
        resize(client + QSize(0, menuBar()->sizeHint().height()));
    }
}

void MainWindow::rememberView() const {
    if (compositor_) {
        WindowSettings().setView(zoom_, centralWidget()->size());
    }
}

void MainWindow::setPreviewsShown(bool shown) {
    if (shown != previewsShown_) {
        WindowSettings().setShowPreviews(shown);
    }
    previewsShown_ = shown;
    action(QStringLiteral("showPreviews"))->setChecked(shown);
    for (ListBox* list : {categoryList_, itemList_, variantList_}) {
        list->setIconSize(shown ? QSize(kPreviewSide, kPreviewSide) : QSize());
        showPreviews(list);
    }
}

void MainWindow::startPreviews() {
    previews_ = std::make_unique<PreviewProvider>(libraryFolder_);
    previews_->setIconSize(kPreviewSide, devicePixelRatioF());
    setPreviewsShown(previewsShown_);
    // On a screen of another pixel ratio the previews are made again for it.
    if (const QWindow* window = windowHandle()) {
        connect(window, &QWindow::screenChanged, this, [this] {
            previews_->setIconSize(kPreviewSide, devicePixelRatioF());
            setPreviewsShown(previewsShown_);
        });
    }
    libraryWatch_ = new LibraryWatch(this);
    connect(libraryWatch_, &LibraryWatch::changed, this, &MainWindow::readLibraryAgain);
    watchSoon();
}

void MainWindow::listFilled(ListBox* list) {
    showPreviews(list);
    watchSoon();
}

void MainWindow::watchPicture(const QStringList& plan) {
    drawnImages_ = plan;
    watchSoon();
}

void MainWindow::watchSoon() {
    if (libraryWatch_ == nullptr || watchPending_) {
        return;
    }
    watchPending_ = true;
    QMetaObject::invokeMethod(this, &MainWindow::watchInView, Qt::QueuedConnection);
}

void MainWindow::watchInView() {
    watchPending_ = false;
    QStringList paths{nativePath(libraryFolder_),
                      nativePath(joinStored(libraryFolder_, QString(kNamesFile)))};
    if (openCategory_) {
        paths.append(nativePath(openCategory_->folder));
        if (variantsItem_) {
            paths.append(nativePath(joinStored(openCategory_->folder, *variantsItem_)));
        }
    }
    drawnFiles_.clear();
    for (const QString& image : std::as_const(drawnImages_)) {
        QString file = locateImage(image, libraryFolder_);
        if (file.isEmpty()) {
            file = nativePath(image); // watched for its folder, should it come back
        }
        if (!file.isEmpty()) {
            drawnFiles_.insert(file, regularFileIdentity(file));
            paths.append(file);
            paths.append(QFileInfo(file).path());
        }
    }
    libraryWatch_->watch(paths);
}

void MainWindow::readLibraryAgain() {
    guarded(tr("Reading the library again"), [this] {
        forgetLayout();
        names_ = LibraryNames::read(libraryFolder_);
        if (const auto categories = listSubfolders(libraryFolder_)) {
            categoryList_->updateRows(*categories, *categories);
        }
        if (openCategory_) {
            if (auto reopened = openCategory(libraryFolder_, openCategory_->name)) {
                openCategory_ = std::move(reopened);
                const QStringList& rows = openCategory_->rows;
                itemList_->updateRows(rows, names_.shownNames(openCategory_->name, rows));
            }
        }
        if (openCategory_ && variantsItem_) {
            if (const auto rows = pickItem(*openCategory_, *variantsItem_, outfit_).variantRows) {
                const QString folder = joinStored(openCategory_->name, *variantsItem_);
                variantList_->updateRows(*rows, names_.shownNames(folder, *rows));
            }
        }
        for (ListBox* list : {categoryList_, itemList_, variantList_}) {
            showPreviews(list, true);
        }
        bool pictureChanged = drawPlan(outfit_, libraryLayout()) != drawnImages_;
        for (auto drawn = drawnFiles_.cbegin(); drawn != drawnFiles_.cend(); ++drawn) {
            pictureChanged =
                pictureChanged || !sameVersion(regularFileIdentity(drawn.key()), drawn.value());
        }
        if (pictureChanged) {
            redraw();
        }
        watchSoon();
    });
}

void MainWindow::showPreviews(ListBox* list, bool keepIcons) {
    if (!previews_) {
        return;
    }
    if (!previewsShown_) {
        previews_->clear(list);
        return;
    }
    const QStringList rows = list->rows();
    PreviewRows previews;
    if (list == categoryList_) {
        previews.key = [rows](int row) {
            return previewKey({QStringLiteral("category"), rows.value(row)});
        };
        previews.images = [folder = libraryFolder_, rows](int row) {
            return categoryRowImages(folder, rows.value(row));
        };
    } else if (list == itemList_ && openCategory_) {
        const auto category = std::make_shared<const OpenCategory>(*openCategory_);
        const QString prefix = previewKey({QStringLiteral("item"), category->folder, QString()});
        previews.key = [prefix, rows](int row) { return prefix + rows.value(row); };
        previews.images = [category, rows](int row) {
            return itemRowImages(*category, rows.value(row));
        };
    } else if (list == variantList_ && openCategory_ && variantsItem_) {
        const auto category = std::make_shared<const OpenCategory>(*openCategory_);
        const QString item = *variantsItem_;
        previews.key = [folder = category->folder, item, rows](int row) {
            return previewKey(
                {QStringLiteral("variant"), folder, item, QString::number(row), rows.value(row)});
        };
        previews.images = [category, item, rows](int row) {
            return variantRowImages(*category, item, row, rows.value(row));
        };
    } else {
        previews_->clear(list);
        return;
    }
    previews_->show(list, previews, keepIcons);
}

void MainWindow::showWornRows() {
    if (!openCategory_) {
        return;
    }
    const WornRows worn = wornRows(*openCategory_, outfit_);
    itemList_->selectQuietly(worn.itemRow);
    showVariants(worn.variantRows, openCategory_->rows.value(worn.itemRow));
    variantList_->selectQuietly(worn.variantRow);
}

} // namespace brindo
