#include "app/main_window.h"
#include "catalogue/item_pick.h"
#include "catalogue/stored_path.h"
#include "catalogue/variant_pick.h"
#include "files/message_text.h"

#include <optional>

namespace brindo {

void MainWindow::showVariants(const std::optional<QStringList>& rows, const QString& item) {
    variantsItem_ = rows ? std::optional(item) : std::nullopt;
    if (rows && openCategory_) {
        variantList_->setRows(*rows,
                              names_.shownNames(joinStored(openCategory_->name, item), *rows));
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
        itemList_->show();
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
        outfit_ = std::move(pick.outfit);
        showVariants(pick.variantRows, row.value_or(QString()));
        redraw();
    });
}

void MainWindow::pickSelectedVariant() {
    guarded(tr("Picking the variant"), [this] {
        // The variants belong to the item they were listed for, whatever
        // the item list shows now.
        const int variant = variantList_->selectedRow();
        if (openCategory_ && variantsItem_ && variant >= 0) {
            outfit_ = pickVariant(*openCategory_, *variantsItem_, variant,
                                  variantList_->rows().at(variant), outfit_);
        }
        redraw();
    });
}

} // namespace brindo
