#include "app/outfit_state.h"

namespace brindo {

const SlotInfo& slotInfo(SlotId id) {
    return kSlotTable.at(static_cast<std::size_t>(id));
}

LayerSlot& OutfitState::slot(SlotId id) {
    return this->*(slotInfo(id).field);
}

const LayerSlot& OutfitState::slot(SlotId id) const {
    return this->*(slotInfo(id).field);
}

} // namespace brindo

namespace {
constexpr bool tableIsIndexedById() {
    for (std::size_t i = 0; i < brindo::kSlotTable.size(); ++i) {
        if (static_cast<std::size_t>(brindo::kSlotTable[i].id) != i) {
            return false;
        }
    }
    return true;
}
static_assert(tableIsIndexedById(), "slot table rows must follow SlotId order");
} // namespace
