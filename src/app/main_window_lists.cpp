#include "app/main_window.h"
#include "catalogue/item_pick.h"
#include "catalogue/stored_path.h"
#include "catalogue/variant_pick.h"

#include <QDir>
#include <optional>

namespace brindo {

namespace {

std::optional<QString> selectedText(const ListBox* list) {
    const int row = list->selectedRow();
    if (row < 0) {
        return std::nullopt;
    }
    return list->item(row)->text();
}

} // namespace

void MainWindow::showVariants(const std::optional<QStringList>& rows) {
    if (rows) {
        variantList_->setRows(*rows);
    }
    variantList_->setVisible(rows.has_value());
    setOuterWidthTwips(rows ? kWideWidthTwips : kNarrowWidthTwips);
}

void MainWindow::openSelectedCategory() {
    guarded(tr("Opening the category"), [this] {
        showVariants(std::nullopt);
        const auto name = selectedText(categoryList_);
        if (!name) {
            return;
        }
        openCategory_ = openCategory(libraryFolder_, *name);
        itemList_->setRows(openCategory_ ? openCategory_->rows : QStringList());
        itemList_->show();
        if (!openCategory_) {
            const QString folder = nativePath(joinStored(libraryFolder_, *name));
            tellProblem(tr("The category folder \"%1\" cannot be opened. It may have been "
                           "moved or removed.")
                            .arg(QDir::toNativeSeparators(folder)));
        }
    });
}

void MainWindow::pickSelectedItem() {
    guarded(tr("Picking the item"), [this] {
        // Every click redraws, also one that changes nothing.
        ItemPick pick{outfit_, std::nullopt};
        const auto row = selectedText(itemList_);
        if (openCategory_ && row) {
            pick = pickItem(*openCategory_, *row, outfit_);
        }
        outfit_ = std::move(pick.outfit);
        showVariants(pick.variantRows);
        redraw();
    });
}

void MainWindow::pickSelectedVariant() {
    guarded(tr("Picking the variant"), [this] {
        const auto item = selectedText(itemList_);
        const int variant = variantList_->selectedRow();
        if (openCategory_ && item && variant >= 0) {
            outfit_ = pickVariant(*openCategory_, *item, variant,
                                  variantList_->item(variant)->text(), outfit_);
        }
        redraw();
    });
}

} // namespace brindo
