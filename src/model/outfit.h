#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace brindo {

// One layer of the picture: whether it is drawn, and the image it shows.
// An unset path differs from an empty one only when an outfit is saved: an
// unset path leaves its key out of the document.
struct LayerSlot {
    bool enabled = false;
    std::optional<QString> imagePath;

    QString path() const { return imagePath.value_or(QString()); }
    void switchOn(const QString& newPath) {
        enabled = true;
        imagePath = newPath;
    }
    bool operator==(const LayerSlot&) const = default;
};

enum class SlotId : std::uint8_t {
    Background,
    Bottom,
    Eyes,
    Eyewear,
    Footwear,
    Foregrounds,
    FriendsAndPets,
    Hair,
    HairExtra, // the back image of a two-image hair item, drawn behind the figure
    Hats,
    Interests,
    Mouth,
    Other,
    ReadyMadeOutfit, // holds an outfit's name ("05"), not a path
    Tops,
};

// What the picture shows and which document it belongs to.
struct Outfit {
    QString documentPath;
    LayerSlot background;
    LayerSlot bottom;
    LayerSlot eyes;
    LayerSlot eyewear;
    LayerSlot footwear;
    LayerSlot foregrounds;
    LayerSlot friendsAndPets;
    LayerSlot hair;
    LayerSlot hairExtra;
    LayerSlot hats;
    LayerSlot interests;
    LayerSlot mouth;
    LayerSlot other;
    LayerSlot readyMadeOutfit;
    LayerSlot tops;

    LayerSlot& slot(SlotId id);
    const LayerSlot& slot(SlotId id) const;

    // Every layer off; the paths stay.
    void switchAllOff();
    // A fresh outfit: no document, every layer off but the default bottoms.
    // The other slots keep their paths.
    void startAfresh(const QString& defaultBottomsPath);

    bool operator==(const Outfit&) const = default;
};

// Layered drawing order: position 1 is drawn first. The base figure and the
// figure overlay are fixed images at these positions; a slot with no position
// is not part of the layered picture.
inline constexpr int kBaseFigurePosition = 3;
inline constexpr int kFigureOverlayPosition = 8;
inline constexpr int kNotLayered = 0;

struct SlotInfo {
    SlotId id;
    LayerSlot Outfit::*field;
    std::string_view name;    // as messages name the layer
    std::string_view flagKey; // outfit document key holding "True"/"False"
    std::string_view pathKey; // outfit document key holding the image path
    int drawPosition;
};

// The fifteen slots in storage order. Code that must go over every slot
// (drawing, documents) goes over this table.
inline constexpr std::array<SlotInfo, 15> kSlotTable{{
    {SlotId::Background, &Outfit::background, "Background", "Background1", "Background2", 1},
    {SlotId::Bottom, &Outfit::bottom, "Bottom", "Bottom1", "Bottom2", 5},
    {SlotId::Eyes, &Outfit::eyes, "Eyes", "Eyes1", "Eyes2", 10},
    {SlotId::Eyewear, &Outfit::eyewear, "Eyewear", "Eyewear1", "Eyewear2", 12},
    {SlotId::Footwear, &Outfit::footwear, "Footwear", "Footwear1", "Footwear2", 4},
    {SlotId::Foregrounds, &Outfit::foregrounds, "Foregrounds", "Foregrounds1", "Foregrounds2", 16},
    {SlotId::FriendsAndPets, &Outfit::friendsAndPets, "FriendsAndPets", "FreAndPets1",
     "FreAndPets2", 14},
    {SlotId::Hair, &Outfit::hair, "Hair", "Hair1", "Hair2", 11},
    {SlotId::HairExtra, &Outfit::hairExtra, "HairExtra", "Hair3", "Hair4", 2},
    {SlotId::Hats, &Outfit::hats, "Hats", "Hats1", "Hats2", 13},
    {SlotId::Interests, &Outfit::interests, "Interests", "Interest1", "Interest2", 15},
    {SlotId::Mouth, &Outfit::mouth, "Mouth", "Mouth1", "Mouth2", 9},
    {SlotId::Other, &Outfit::other, "Other", "Other1", "Other2", 7},
    {SlotId::ReadyMadeOutfit, &Outfit::readyMadeOutfit, "ReadyMadeOutfit", "Reout1", "Reout2",
     kNotLayered},
    {SlotId::Tops, &Outfit::tops, "Tops", "Tops1", "Tops2", 6},
}};

// The last position of the layered order.
inline constexpr int kLastDrawPosition = 16;

const SlotInfo& slotInfo(SlotId id);

// The slot's name as messages show it ("Tops").
QString slotName(SlotId id);

} // namespace brindo
