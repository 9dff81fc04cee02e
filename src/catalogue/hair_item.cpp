#include "catalogue/hair_item.h"

#include "catalogue/item_names.h"
#include "catalogue/stored_path.h"

namespace brindo {

QStringList hairVariantRows() {
    constexpr int kHairVariantCount = 20;
    QStringList rows;
    for (int index = 0; index < kHairVariantCount; ++index) {
        rows.append(variantNumber(index));
    }
    return rows;
}

void putOnHair(Outfit& outfit, const QString& itemFolder, int fileCount, const QString& number) {
    if (fileCount == kOneLayerHairFileCount) {
        outfit.hair.switchOn(joinStored(itemFolder, imageFileName(number)));
        outfit.hairExtra.enabled = false;
        return;
    }
    outfit.hair.switchOn(joinStored(itemFolder, imageFileName(number + u'1')));
    outfit.hairExtra.switchOn(joinStored(itemFolder, imageFileName(number + u'2')));
}

} // namespace brindo
