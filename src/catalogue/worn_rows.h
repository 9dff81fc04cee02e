#pragma once

#include "catalogue/open_category.h"
#include "model/outfit.h"

#include <QStringList>
#include <optional>

namespace brindo {

// The rows of the lists that show what an outfit wears from an open category.
struct WornRows {
    int itemRow = -1; // -1: nothing of the category is worn
    // The variant list of the worn item as a click on it shows it, or none.
    std::optional<QStringList> variantRows;
    int variantRow = -1;

    bool operator==(const WornRows&) const = default;
};

// Finds the item (and variant) of the category that the outfit wears: the row
// whose pick puts on the image the category's layer shows. A layer that is
// off, or hidden by a ready-made outfit (all but the eyes), selects nothing;
// so does an image from elsewhere. Images are matched by their last path
// components ignoring letter case, so a document saved in another folder
// still finds its rows.
WornRows wornRows(const OpenCategory& category, const Outfit& outfit);

} // namespace brindo
