#include "app/main_window.h"
#include "catalogue/worn_rows.h"

namespace brindo {

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
