#include "app/main_window.h"
#include "catalogue/item_pick.h"
#include "catalogue/stored_path.h"
#include "catalogue/variant_pick.h"
#include "files/message_text.h"
#include "render/draw_outfit.h"

#include <QTimer>
#include <optional>
#include <utility>

namespace brindo {

void MainWindow::showVariants(const std::optional<QStringList>& rows, const QString& item) {
    variantsItem_ = rows ? std::optional(item) : std::nullopt;
    if (rows && openCategory_) {
        variantList_->setRows(*rows,
                              names_.shownNames(joinStored(openCategory_->name, item), *rows));
        listFilled(variantList_);
    }
    variantList_->setVisible(rows.has_value());
    setWide(rows.has_value());
}

void MainWindow::openSelectedCategory() {
    guarded(tr("Opening the category"), [this] {
        showVariants(std::nullopt);
        const auto name = categoryList_->selectedName();
        if (!name) {
            return;
        }
        openCategory_ = openCategory(libraryFolder_, *name);
        const QStringList rows = openCategory_ ? openCategory_->rows : QStringList();
        itemList_->setRows(rows, names_.shownNames(*name, rows));
        listFilled(itemList_);
        itemList_->show();
        readAheadLater();
        showWornRows();
        if (!openCategory_) {
            tellProblem(categoryProblemText(*name));
        }
    });
}

QString MainWindow::categoryProblemText(const QString& name) const {
    const QString folder = fitForMessage(nativeEntryPath(libraryFolder_, name));
    switch (categoryProblem(libraryFolder_, name)) {
    case CategoryProblem::UnstorableName:
        return tr("The category \"%1\" cannot be opened: its name holds the character \"%2\", "
                  "which outfit documents cannot store in a path. Rename the folder \"%3\" "
                  "without it.")
            .arg(fitForMessage(name), kStoredSeparator, folder);
    case CategoryProblem::NoPermission:
        return tr("The category folder \"%1\" cannot be read: you do not have permission to "
                  "read it. Make it readable to pick its items.")
            .arg(folder);
    case CategoryProblem::Missing:
        break;
    }
    return tr("The category folder \"%1\" cannot be opened. It may have been moved or removed.")
        .arg(folder);
}

void MainWindow::pickSelectedItem() {
    guarded(tr("Picking the item"), [this] {
        // Every click redraws, also one that changes nothing.
        ItemPick pick{outfit_, std::nullopt};
        const auto row = itemList_->selectedName();
        if (openCategory_ && row) {
            pick = pickItem(*openCategory_, *row, outfit_);
        }
        const Outfit before = std::exchange(outfit_, std::move(pick.outfit));
        showVariants(pick.variantRows, row.value_or(QString()));
        redraw();
        recordStep(before);
        readAheadLater();
    });
}

void MainWindow::pickSelectedVariant() {
    guarded(tr("Picking the variant"), [this] {
        // The variants belong to the item they were listed for, whatever
        // the item list shows now.
        const int variant = variantList_->selectedRow();
        const Outfit before = outfit_;
        if (openCategory_ && variantsItem_ && variant >= 0) {
            outfit_ = pickVariant(*openCategory_, *variantsItem_, variant,
                                  variantList_->rows().at(variant), outfit_);
        }
        redraw();
        recordStep(before);
        readAheadLater();
    });
}

void MainWindow::readAheadLater() {
    readAheadTimer_->start(); // once the picture is on screen and the click is done
}

// People click through a list row after row: the files of the row below the
// one picked (of the first rows, when a category has just opened) are decoded
// while the window waits for the next click.
void MainWindow::readAhead() {
    if (!compositor_ || !openCategory_) {
        return;
    }
    try {
        readAheadNextRows();
    } catch (...) {
        // Reading ahead only saves time later: a failure is nothing to tell.
    }
}

void MainWindow::readAheadNextRows() {
    const LibraryLayout& layout = libraryLayout();
    const int itemRow = itemList_->selectedRow();
    const int variant = variantList_->isHidden() ? -1 : variantList_->selectedRow();
    QStringList files;
    if (variantsItem_ && variant >= 0) {
        if (variant + 1 < variantList_->count()) {
            files = drawPlan(pickVariant(*openCategory_, *variantsItem_, variant + 1,
                                         variantList_->rows().at(variant + 1), outfit_),
                             layout);
        }
    } else {
        // A category just opened: its first rows ("<none>" is often the first).
        const QList<int> rows = itemRow < 0 ? QList<int>{0, 1} : QList<int>{itemRow + 1};
        for (const int row : rows) {
            if (row < itemList_->count()) {
                files += drawPlan(pickItem(*openCategory_, itemList_->nameAt(row), outfit_).outfit,
                                  layout);
            }
        }
    }
    compositor_->readAhead(files);
}

} // namespace brindo
