#include "model/outfit.h"

namespace brindo {

namespace {

constexpr bool tableIsIndexedById() {
    for (std::size_t i = 0; i < kSlotTable.size(); ++i) {
        if (static_cast<std::size_t>(kSlotTable[i].id) != i) {
            return false;
        }
    }
    return true;
}
static_assert(tableIsIndexedById(), "slot table rows must follow SlotId order");

// Every position of the layered order is drawn by exactly one slot or fixed
// image, so no slot can be placed where the drawing never reaches.
constexpr bool everyPositionIsDrawnOnce() {
    std::array<int, kLastDrawPosition + 1> drawn{};
    drawn.at(kBaseFigurePosition) += 1;
    drawn.at(kFigureOverlayPosition) += 1;
    for (const SlotInfo& info : kSlotTable) {
        if (info.drawPosition < kNotLayered || info.drawPosition > kLastDrawPosition) {
            return false;
        }
        drawn.at(info.drawPosition) += 1;
    }
    for (int position = 1; position <= kLastDrawPosition; ++position) {
        if (drawn.at(position) != 1) {
            return false;
        }
    }
    return true;
}
static_assert(everyPositionIsDrawnOnce(), "every layered position must be drawn exactly once");

} // namespace

const SlotInfo& slotInfo(SlotId id) {
    return kSlotTable.at(static_cast<std::size_t>(id));
}

QString slotName(SlotId id) {
    const std::string_view name = slotInfo(id).name;
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

LayerSlot& Outfit::slot(SlotId id) {
    return this->*(slotInfo(id).field);
}

const LayerSlot& Outfit::slot(SlotId id) const {
    return this->*(slotInfo(id).field);
}

void Outfit::switchAllOff() {
    for (const SlotInfo& info : kSlotTable) {
        (this->*(info.field)).enabled = false;
    }
}

void Outfit::startAfresh(const QString& defaultBottomsPath) {
    documentPath.clear();
    switchAllOff();
    bottom.switchOn(defaultBottomsPath);
}

} // namespace brindo
