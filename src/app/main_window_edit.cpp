#include "app/main_window.h"
#include "catalogue/random_outfit.h"
#include "render/outfit_render.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <utility>

namespace brindo {

void MainWindow::buildEditMenu() {
    editMenu_ = menuBar()->addMenu(tr("&Edit"));
    editMenu_->setObjectName(QStringLiteral("editMenu"));
    const MenuCommand commands[] = {
        {"undo", tr("&Undo"), QKeySequence::Undo, "Ctrl+Z", &MainWindow::undo},
        {"redo", tr("&Redo"), QKeySequence::Redo, "Ctrl+Shift+Z,Ctrl+Y", &MainWindow::redo},
        {nullptr, {}, QKeySequence::UnknownKey, nullptr, nullptr},
        {"copy", tr("&Copy Picture"), QKeySequence::Copy, "Ctrl+C", &MainWindow::copyPicture},
        {nullptr, {}, QKeySequence::UnknownKey, nullptr, nullptr},
        {"randomOutfit", tr("&Random Outfit"), QKeySequence::UnknownKey, "Ctrl+R",
         &MainWindow::dressAtRandom},
    };
    addCommands(editMenu_, commands);
    addOption(editMenu_, "randomReadyMade", tr("Random Outfits May Be Rea&dy-made"),
              WindowSettings().randomReadyMade(), &WindowSettings::setRandomReadyMade);
    updateHistoryActions();

    categoryList_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(categoryList_, &QWidget::customContextMenuRequested, this, [this](QPoint where) {
        const QListWidgetItem* row = categoryList_->itemAt(where);
        if (row != nullptr) {
            categoryMenu(categoryList_->nameAt(categoryList_->row(row)))
                ->exec(categoryList_->viewport()->mapToGlobal(where));
        }
    });
}

std::unique_ptr<QMenu> MainWindow::categoryMenu(const QString& category) {
    auto menu = std::make_unique<QMenu>();
    QAction* keep = menu->addAction(tr("&Keep when randomising"));
    keep->setObjectName(QStringLiteral("keepCategory"));
    keep->setCheckable(true);
    keep->setChecked(WindowSettings().keptCategories().contains(category));
    connect(keep, &QAction::toggled, this,
            [category](bool kept) { WindowSettings().setKeptCategory(category, kept); });
    return menu;
}

QList<FailedLoad> MainWindow::replaceOutfit(Outfit outfit, Reveal reveal, Record record) {
    const Outfit before = std::exchange(outfit_, std::move(outfit));
    // The item and variant rows were chosen for an outfit that is gone. The
    // window narrows only where it showed variants, never before a category
    // is open.
    itemList_->clearSelection();
    if (!variantList_->isHidden()) {
        showVariants(std::nullopt);
    }
    if (reveal == Reveal::LayerByLayer) {
        revealLayerByLayer();
    }
    QList<FailedLoad> failedLoads = redraw();
    showWornRows();
    if (record == Record::Step) {
        recordStep(before);
    }
    return failedLoads;
}

void MainWindow::revealLayerByLayer() {
    const Outfit whole = outfit_;
    outfit_.switchAllOff();
    for (const SlotInfo& info : kSlotTable) {
        if ((whole.*(info.field)).enabled) {
            (outfit_.*(info.field)).enabled = true;
            redraw(Redraw::RepeatLastLayer);
        }
    }
}

void MainWindow::recordStep(const Outfit& before) {
    history_.record(before, outfit_);
    updateHistoryActions();
}

void MainWindow::updateHistoryActions() {
    action(QStringLiteral("undo"))->setEnabled(history_.canUndo());
    action(QStringLiteral("redo"))->setEnabled(history_.canRedo());
}

void MainWindow::undo() {
    guarded(tr("Undoing"), [this] {
        if (std::optional<Outfit> previous = history_.undo(outfit_)) {
            replaceOutfit(std::move(*previous), Reveal::AtOnce, Record::Nothing);
        }
        updateHistoryActions();
    });
}

void MainWindow::redo() {
    guarded(tr("Redoing"), [this] {
        if (std::optional<Outfit> next = history_.redo(outfit_)) {
            replaceOutfit(std::move(*next), Reveal::AtOnce, Record::Nothing);
        }
        updateHistoryActions();
    });
}

void MainWindow::dressAtRandom() {
    guarded(tr("Dressing at random"), [this] {
        const WindowSettings settings;
        const RandomOutfitOptions options{settings.keptCategories(), settings.randomReadyMade()};
        replaceOutfit(randomOutfit(libraryFolder_, outfit_, options, random_));
    });
}

QString MainWindow::openCategoryName() const {
    return openCategory_ ? openCategory_->name : QString();
}

const LibraryLayout& MainWindow::libraryLayout() {
    const QString category = openCategoryName();
    if (!layout_ || layoutCategory_ != category) {
        layout_ = resolveLibraryLayout(libraryFolder_, category);
        layoutCategory_ = category;
    }
    return *layout_;
}

RenderedOutfit MainWindow::transparentPicture() const {
    return renderOutfit(outfit_, libraryFolder_,
                        {.transparent = true, .openCategory = openCategoryName()});
}

void MainWindow::copyPicture() {
    guarded(tr("Copying the picture"), [this] {
        const RenderedOutfit rendered = transparentPicture();
        if (rendered.ok()) {
            QGuiApplication::clipboard()->setImage(rendered.picture);
        } else {
            tellProblem(tr("The picture cannot be copied: %1.").arg(rendered.problem));
        }
    });
}

} // namespace brindo
