#include "app/form1.h"
#include "catalogue/category_pick.h"
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

void Form1::List1_Click() {
    guarded(tr("Opening the category"), [this] {
        List3->hide();
        setOuterWidthTwips(kNarrowWidthTwips);
        const auto category = selectedText(List1);
        if (!category) {
            return;
        }
        const auto items = pickCategory(state_, installFolder_, *category, File1);
        List2->setRows(items.value_or(QStringList()));
        List2->show();
        if (!items) {
            const QString folder = nativePath(joinStored(installFolder_, *category));
            tellProblem(tr("The category folder \"%1\" cannot be opened. It may have been "
                           "moved or removed.")
                            .arg(QDir::toNativeSeparators(folder)));
        }
    });
}

void Form1::List2_Click() {
    guarded(tr("Picking the item"), [this] {
        const auto variants = pickItem(state_, selectedText(List2), File1);
        if (variants) {
            List3->setRows(*variants);
        }
        List3->setVisible(variants.has_value());
        setOuterWidthTwips(variants ? kWideWidthTwips : kNarrowWidthTwips);
        redrawAndRefresh();
    });
}

void Form1::List3_Click() {
    guarded(tr("Picking the variant"), [this] {
        const auto item = selectedText(List2);
        const int variant = List3->selectedRow();
        if (item && variant >= 0) {
            pickVariant(state_, *item, variant, List3->item(variant)->text(), File1);
        }
        redrawAndRefresh();
    });
}

} // namespace brindo
