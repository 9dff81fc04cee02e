#include "outfits.h"

#include "catalogue/library_layout.h"
#include "clothes.h"
#include "figure.h"
#include "hair.h"
#include "heads.h"
#include "scenes.h"

#include <QString>
#include <stdexcept>

namespace brindo::sample {

namespace {

constexpr int kEyesStep = 4;

// What one outfit wears: background, hair style and colour by their place
// in the item lists, the rest as pictures.
struct Look {
    int background;
    int hairStyle;
    int hairColour; // -1: the default colour
    std::vector<Piece> clothes;
    Piece mouth;
    std::vector<Piece> extras; // hats, eyewear, friends, interests, foregrounds
};

Piece together(std::vector<Piece> pieces) {
    return [pieces = std::move(pieces)](QPainter& painter) {
        for (const Piece& piece : pieces) {
            painter.save();
            piece(painter);
            painter.restore();
        }
    };
}

// The layers of a look in drawing order, grouped so that they fill exactly
// `steps` draw steps: background, hair behind, figure, the eyes step, then
// clothes, mouth, hair in front and extras, the last frame taking whatever
// is left.
std::vector<OutfitFrame> framesOf(const Look& look, int steps) {
    const HairStyle style = hairStyles().at(look.hairStyle);
    const QColor colour =
        look.hairColour < 0 ? defaultHairColour() : hairVariantColours().at(look.hairColour);
    std::vector<Piece> clothes = look.clothes;
    clothes.emplace_back(drawFigureOverlay);
    std::vector<Piece> upper{together(std::move(clothes)), look.mouth, hairFront(style, colour)};
    upper.insert(upper.end(), look.extras.begin(), look.extras.end());

    const int upperSteps = steps - kEyesStep;
    if (upperSteps < 1 || static_cast<int>(upper.size()) < upperSteps) {
        throw std::logic_error("a ready-made outfit has fewer layers than draw steps");
    }
    std::vector<OutfitFrame> frames{
        {1, backgrounds().at(look.background)}, {2, hairBack(style, colour)}, {3, drawFigure}};
    for (int i = 0; i < upperSteps; ++i) {
        const auto first = upper.begin() + i;
        const auto last = i + 1 == upperSteps ? upper.end() : first + 1;
        frames.push_back({kEyesStep + 1 + i, together(std::vector<Piece>(first, last))});
    }
    return frames;
}

std::vector<Look> looks() {
    const std::vector<Piece> top = tops();
    const std::vector<Piece> bottom = bottoms();
    const std::vector<Piece> shoes = footwear();
    const std::vector<Piece> other = otherItems();
    const std::vector<VariantItem> mouth = mouths();
    const std::vector<Piece> hat = hats();
    const std::vector<Piece> glasses = eyewear();
    const std::vector<Piece> friends = friendsAndPets();
    const std::vector<Piece> interest = interests();
    const std::vector<Piece> front = foregrounds();
    const auto smile = [&](int item, int picture) { return mouth.at(item).pictures.at(picture); };
    return {
        {0, 3, -1, {shoes[0], bottom[1], top[0]}, smile(0, 0), {friends[0], interest[0]}},
        {1, 4, 7, {shoes[2], top[3]}, smile(0, 1), {glasses[1], hat[3]}},
        {2, 0, 0, {shoes[1], bottom[4], top[4]}, smile(3, 1), {interest[3], front[2]}},
        {3, 1, 4, {shoes[3], bottom[2], top[1]}, smile(2, 1), {glasses[0], interest[1], front[0]}},
        {4, 3, 10, {shoes[1], bottom[1], top[2], other[0]}, smile(0, 2), {hat[1], front[1]}},
        {0, 2, 14, {shoes[0], bottom[3], top[5]}, smile(1, 0), {friends[3], front[2]}},
        {1, 0, 17, {shoes[2], bottom[0], top[0]}, smile(3, 0), {hat[0], interest[2], front[4]}},
        {3, 4, 11, {shoes[3], top[3], other[4]}, smile(0, 0), {hat[4], friends[2]}},
        {2, 3, 16, {shoes[0], bottom[1], top[4], other[3]}, smile(2, 0), {hat[2], front[3]}},
        {4, 1, 0, {shoes[1], bottom[4], top[2]}, smile(0, 1), {hat[5], interest[4]}},
        {0, 2, -1, {shoes[3], bottom[2], top[1], other[1]}, smile(3, 0), {friends[1]}},
        {1, 3, 7, {shoes[2], bottom[3], top[5], other[2]}, smile(2, 2), {glasses[2], hat[3]}},
    };
}

} // namespace

QStringList readyMadeOutfitNames() {
    return {
        QStringLiteral("Park day with a cat and a football"),
        QStringLiteral("Beach day in a sun hat and sunglasses"),
        QStringLiteral("Guitar night in the city"),
        QStringLiteral("Reading in the bedroom"),
        QStringLiteral("Snow day in a scarf and bobble hat"),
        QStringLiteral("Balloons and a blue bird in the park"),
        QStringLiteral("Ice cream at the beach"),
        QStringLiteral("Princess with a bunny"),
        QStringLiteral("Top hat and bow tie in the city"),
        QStringLiteral("Painting in the snow"),
        QStringLiteral("Walking the puppy in the park"),
        QStringLiteral("Beach trip with heart glasses"),
    };
}

std::vector<std::vector<OutfitFrame>> readyMadeOutfits() {
    std::vector<std::vector<OutfitFrame>> outfits;
    const std::vector<Look> all = looks();
    for (std::size_t i = 0; i < all.size(); ++i) {
        const QString name = QStringLiteral("%1").arg(i + 1, 2, 10, QLatin1Char('0'));
        outfits.push_back(framesOf(all[i], readyMadeFrameCount(name)));
    }
    return outfits;
}

} // namespace brindo::sample
