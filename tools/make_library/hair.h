#pragma once

#include "paint.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace brindo::sample {

using HairPart = std::function<void(QPainter&, const QColor&)>;

// A hair item, with what the library calls it. Two-layer styles also have a
// back part, drawn behind the figure; one-layer styles leave it empty.
struct HairStyle {
    QString name;
    QString title;
    HairPart front;
    HairPart back;

    bool twoLayer() const { return static_cast<bool>(back); }
};

std::vector<HairStyle> hairStyles();
// The colour of the base pictures, then the twenty variant colours and their
// names.
QColor defaultHairColour();
std::vector<QColor> hairVariantColours();
QStringList hairVariantNames();

// The parts of one style in one colour, ready to draw.
Piece hairFront(const HairStyle& style, const QColor& colour);
Piece hairBack(const HairStyle& style, const QColor& colour);

} // namespace brindo::sample
