#include "scenes.h"

#include "figure.h"

#include <QLinearGradient>
#include <cmath>
#include <numbers>

namespace brindo::sample {

namespace {

using namespace body;

void fillSky(QPainter& painter, const QColor& top, const QColor& horizon, double horizonY) {
    QLinearGradient gradient(0.0, 0.0, 0.0, horizonY);
    gradient.setColorAt(0.0, top);
    gradient.setColorAt(1.0, horizon);
    painter.fillRect(wholeCanvas(), gradient);
}

void fillGround(QPainter& painter, double top, const QColor& colour) {
    const QRectF area = wholeCanvas();
    painter.fillRect(QRectF(area.left(), top, area.width(), area.bottom() - top), colour);
}

void drawCloud(QPainter& painter, QPointF at, double size) {
    QPainterPath cloud = ellipsePath(at, size, size * 0.55);
    cloud =
        cloud.united(ellipsePath(at + QPointF(-size * 0.6, size * 0.15), size * 0.6, size * 0.4));
    cloud =
        cloud.united(ellipsePath(at + QPointF(size * 0.6, size * 0.15), size * 0.6, size * 0.4));
    fillOutlined(painter, cloud, QColor(255, 255, 255, 235), 0.0);
}

void drawTree(QPainter& painter, QPointF base, double height) {
    fillOutlined(painter, QRectF(base.x() - 3.0, base.y() - height * 0.55, 6.0, height * 0.55),
                 QColor(130, 86, 52));
    QPainterPath crown =
        ellipsePath(base + QPointF(0.0, -height * 0.7), height * 0.3, height * 0.28);
    crown = crown.united(
        ellipsePath(base + QPointF(-height * 0.18, -height * 0.55), height * 0.22, height * 0.2));
    crown = crown.united(
        ellipsePath(base + QPointF(height * 0.18, -height * 0.55), height * 0.22, height * 0.2));
    fillOutlined(painter, crown, QColor(70, 150, 70));
}

void drawPark(QPainter& painter) {
    fillSky(painter, QColor(110, 180, 240), QColor(206, 234, 252), 170.0);
    fillOutlined(painter, ellipsePath({92.0, 22.0}, 10.0, 10.0), QColor(255, 214, 70), 0.0);
    drawCloud(painter, {26.0, 30.0}, 11.0);
    drawCloud(painter, {74.0, 52.0}, 8.0);
    fillOutlined(painter, ellipsePath({18.0, 180.0}, 70.0, 36.0), QColor(120, 190, 100), 0.0);
    fillOutlined(painter, ellipsePath({104.0, 184.0}, 60.0, 30.0), QColor(100, 176, 90), 0.0);
    fillGround(painter, 176.0, QColor(96, 170, 84));
    drawTree(painter, {12.0, 176.0}, 70.0);
    drawTree(painter, {100.0, 166.0}, 40.0);
}

void drawBeach(QPainter& painter) {
    fillSky(painter, QColor(90, 170, 236), QColor(196, 228, 250), 140.0);
    fillOutlined(painter, ellipsePath({20.0, 24.0}, 9.0, 9.0), QColor(255, 226, 90), 0.0);
    drawCloud(painter, {80.0, 30.0}, 9.0);
    fillGround(painter, 140.0, QColor(40, 130, 200));
    for (const double y : spaced(146.0, 168.0, 7.0)) {
        QPainterPath wave({-2.0, y});
        for (const double x : spaced(-2.0, kCanvasWidth + 2.0, 8.0)) {
            wave.quadTo(x + 4.0, y - 2.0, x + 8.0, y);
        }
        strokeLine(painter, wave, QColor(180, 226, 250, 200), 0.9);
    }
    fillGround(painter, 170.0, QColor(240, 218, 160));
    QPainterPath pole({100.0, 190.0});
    pole.lineTo(98.0, 112.0);
    strokeLine(painter, pole, QColor(120, 90, 70), 1.6);
    QPainterPath canopy({78.0, 114.0});
    canopy.cubicTo(80.0, 96.0, 116.0, 96.0, 118.0, 114.0);
    canopy.closeSubpath();
    fillOutlined(painter, canopy, QColor(236, 80, 80));
    painter.save();
    painter.setClipPath(canopy);
    for (const double x : {86.0, 102.0}) {
        painter.fillRect(QRectF(x, 90.0, 8.0, 30.0), QColor(250, 246, 236));
    }
    painter.restore();
    fillOutlined(painter, canopy, Qt::transparent);
    fillOutlined(painter, ellipsePath({16.0, 196.0}, 4.0, 2.5), QColor(250, 170, 150));
}

void drawNightCity(QPainter& painter) {
    fillSky(painter, QColor(16, 20, 56), QColor(70, 56, 120), 180.0);
    FixedRandom random(7);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 230));
    for (int star = 0; star < 40; ++star) {
        const QPointF at = random.pointIn(0.0, kCanvasWidth, 0.0, 120.0);
        const double size = random.between(0.3, 0.9);
        painter.drawEllipse(at, size, size);
    }
    fillOutlined(
        painter,
        ellipsePath({22.0, 24.0}, 9.0, 9.0).subtracted(ellipsePath({26.0, 21.0}, 8.0, 8.0)),
        QColor(250, 240, 190), 0.0);
    const QColor building(36, 34, 70);
    double x = -2.0;
    for (const double height : {60.0, 90.0, 48.0, 76.0, 100.0, 56.0, 84.0}) {
        const QRectF block(x, 190.0 - height, 16.0, height);
        fillOutlined(painter, block, building, 0.0);
        for (const double wy : spaced(block.top() + 5.0, 184.0, 8.0)) {
            for (const double wx : spaced(x + 3.0, x + 14.0, 6.0)) {
                const bool lit = std::fmod(wx * 7.0 + wy * 3.0, 5.0) < 2.5;
                painter.fillRect(QRectF(wx, wy, 3.0, 4.0),
                                 lit ? QColor(250, 220, 110) : QColor(60, 60, 100));
            }
        }
        x += 16.0;
    }
    fillGround(painter, 188.0, QColor(90, 90, 110));
}

void drawBedroom(QPainter& painter) {
    painter.fillRect(wholeCanvas(), QColor(250, 230, 206));
    for (const double x : spaced(4.0, kCanvasWidth, 12.0)) {
        painter.fillRect(QRectF(x, -1.0, 5.0, 162.0), QColor(244, 216, 190));
    }
    const QRectF window(82.0, 58.0, 24.0, 34.0);
    fillOutlined(painter, window, QColor(150, 206, 246), 2.0);
    QPainterPath bars({window.center().x(), window.top()});
    bars.lineTo(window.center().x(), window.bottom());
    bars.moveTo(window.left(), window.center().y());
    bars.lineTo(window.right(), window.center().y());
    strokeLine(painter, bars, kInk, 1.5);
    fillOutlined(painter, QRectF(5.0, 62.0, 18.0, 14.0), QColor(250, 250, 240), 1.6);
    fillOutlined(painter, polygonPath({{8.0, 74.0}, {14.0, 65.0}, {20.0, 74.0}}),
                 QColor(100, 170, 110), 0.0);
    fillGround(painter, 160.0, QColor(190, 140, 92));
    for (const double y : spaced(168.0, kCanvasHeight, 10.0)) {
        QPainterPath board({-1.0, y});
        board.lineTo(kCanvasWidth + 1.0, y);
        strokeLine(painter, board, QColor(160, 112, 70), 0.8);
    }
    fillOutlined(painter, ellipsePath({55.0, 198.0}, 44.0, 10.0), QColor(220, 100, 116), 0.0);
}

void drawPine(QPainter& painter, QPointF base, double height) {
    for (int tier = 0; tier < 3; ++tier) {
        const double top = base.y() - height + tier * height * 0.25;
        const double half = height * (0.2 + tier * 0.08);
        fillOutlined(painter,
                     polygonPath({{base.x(), top},
                                  {base.x() + half, top + height * 0.4},
                                  {base.x() - half, top + height * 0.4}}),
                     QColor(40, 110, 80));
    }
    fillOutlined(painter,
                 polygonPath({{base.x(), base.y() - height},
                              {base.x() + 3.0, base.y() - height + 5.0},
                              {base.x() - 3.0, base.y() - height + 5.0}}),
                 Qt::white, 0.0);
}

void drawSnowyHills(QPainter& painter) {
    fillSky(painter, QColor(170, 204, 236), QColor(230, 240, 252), 170.0);
    fillOutlined(painter, ellipsePath({10.0, 176.0}, 70.0, 40.0), QColor(236, 244, 252), 0.0);
    fillOutlined(painter, ellipsePath({100.0, 182.0}, 60.0, 36.0), QColor(220, 232, 246), 0.0);
    drawPine(painter, {14.0, 168.0}, 50.0);
    drawPine(painter, {98.0, 160.0}, 36.0);
    fillGround(painter, 178.0, QColor(248, 250, 255));
}

void drawFlower(QPainter& painter, QPointF at, const QColor& petals) {
    QPainterPath stem(at);
    stem.lineTo(at + QPointF(0.0, 14.0));
    strokeLine(painter, stem, QColor(60, 140, 60), 1.4);
    for (int petal = 0; petal < 5; ++petal) {
        const double angle = petal * 2.0 * std::numbers::pi / 5.0;
        fillOutlined(
            painter,
            ellipsePath(at + QPointF(3.0 * std::cos(angle), 3.0 * std::sin(angle)), 2.4, 2.4),
            petals, 0.7);
    }
    fillOutlined(painter, ellipsePath(at, 1.8, 1.8), QColor(250, 210, 60), 0.7);
}

void drawFlowerBed(QPainter& painter) {
    for (const double x : spaced(-2.0, kCanvasWidth, 6.0)) {
        if (x > 28.0 && x < 80.0) {
            continue;
        }
        fillOutlined(painter, polygonPath({{x, 214.0}, {x + 2.5, 198.0}, {x + 5.0, 214.0}}),
                     QColor(80, 160, 70), 0.0);
    }
    drawFlower(painter, {8.0, 194.0}, QColor(240, 90, 120));
    drawFlower(painter, {20.0, 200.0}, QColor(250, 250, 250));
    drawFlower(painter, {90.0, 198.0}, QColor(150, 110, 230));
    drawFlower(painter, {102.0, 192.0}, QColor(250, 160, 60));
}

void drawSnowfall(QPainter& painter) {
    FixedRandom random(11);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 220));
    for (int flake = 0; flake < 45; ++flake) {
        const QPointF at = random.pointIn(0.0, kCanvasWidth, 0.0, kCanvasHeight);
        const double size = random.between(0.7, 1.8);
        painter.drawEllipse(at, size, size);
    }
}

void drawBalloons(QPainter& painter) {
    for (const auto& [at, colour] : {std::pair{QPointF(12.0, 24.0), QColor(230, 60, 70)},
                                     std::pair{QPointF(24.0, 16.0), QColor(250, 200, 50)},
                                     std::pair{QPointF(96.0, 22.0), QColor(70, 140, 230)}}) {
        QPainterPath string(at + QPointF(0.0, 10.0));
        string.quadTo(at + QPointF(4.0, 30.0), at + QPointF(at.x() < 55.0 ? -12.0 : 12.0, 60.0));
        strokeLine(painter, string, QColor(90, 90, 90), 0.6);
        fillOutlined(painter, ellipsePath(at, 7.0, 9.0), colour);
        fillOutlined(painter, ellipsePath(at + QPointF(-2.5, -3.5), 1.5, 2.5),
                     QColor(255, 255, 255, 160), 0.0);
    }
}

void drawFrame(QPainter& painter) {
    QPainterPath frame;
    frame.addRect(wholeCanvas());
    QPainterPath opening;
    opening.addRoundedRect(QRectF(6.0, 6.0, kCanvasWidth - 12.0, kCanvasHeight - 12.0), 8.0, 8.0);
    fillOutlined(painter, frame.subtracted(opening), QColor(160, 108, 62), 1.5);
    QPainterPath inner;
    inner.addRoundedRect(QRectF(3.0, 3.0, kCanvasWidth - 6.0, kCanvasHeight - 6.0), 10.0, 10.0);
    strokeLine(painter, inner, QColor(220, 176, 110), 1.0);
}

void drawBubbles(QPainter& painter) {
    FixedRandom random(5);
    for (int bubble = 0; bubble < 14; ++bubble) {
        const QPointF at = random.pointIn(4.0, kCanvasWidth - 4.0, 4.0, 180.0);
        const double size = random.between(2.5, 6.0);
        painter.setPen(QPen(QColor(255, 255, 255, 200), 0.6));
        painter.setBrush(QColor(170, 220, 255, 60));
        painter.drawEllipse(at, size, size);
        fillOutlined(painter,
                     ellipsePath(at + QPointF(-size * 0.4, -size * 0.4), size * 0.25, size * 0.25),
                     QColor(255, 255, 255, 200), 0.0);
    }
}

void drawPetFace(QPainter& painter, QPointF head, const QColor& nose) {
    for (const double side : {-1.0, 1.0}) {
        fillOutlined(painter, ellipsePath(head + QPointF(side * 3.0, -1.0), 1.1, 1.4), kInk, 0.0);
    }
    fillOutlined(painter, ellipsePath(head + QPointF(0.0, 1.6), 1.3, 0.9), nose, 0.5);
}

void drawCat(QPainter& painter) {
    const QColor orange(240, 160, 70);
    QPainterPath tail({100.0, 204.0});
    tail.cubicTo(112.0, 204.0, 110.0, 186.0, 104.0, 182.0);
    strokeLine(painter, tail, kInk, 4.4);
    strokeLine(painter, tail, orange, 2.4);
    fillOutlined(painter, ellipsePath({93.0, 197.0}, 9.0, 9.0), orange);
    const QPointF head(93.0, 182.0);
    for (const double side : {-1.0, 1.0}) {
        fillOutlined(
            painter,
            polygonPath({head + QPointF(side * 7.0, -2.0), head + QPointF(side * 6.0, -10.0),
                         head + QPointF(side * 1.5, -5.0)}),
            orange);
    }
    fillOutlined(painter, ellipsePath(head, 7.5, 6.5), orange);
    drawPetFace(painter, head, QColor(240, 120, 140));
    QPainterPath whiskers;
    for (const double side : {-1.0, 1.0}) {
        whiskers.moveTo(head + QPointF(side * 2.5, 2.0));
        whiskers.lineTo(head + QPointF(side * 9.0, 1.0));
        whiskers.moveTo(head + QPointF(side * 2.5, 2.5));
        whiskers.lineTo(head + QPointF(side * 9.0, 4.0));
    }
    strokeLine(painter, whiskers, kInk, 0.4);
}

void drawDog(QPainter& painter) {
    const QColor fur(236, 220, 190);
    const QColor spots(150, 100, 60);
    fillOutlined(painter, ellipsePath({16.0, 196.0}, 11.0, 9.0), fur);
    fillOutlined(painter, ellipsePath({20.0, 192.0}, 3.5, 3.0), spots, 0.0);
    const QPointF head(15.0, 180.0);
    fillOutlined(painter, ellipsePath(head, 8.0, 7.5), fur);
    for (const double side : {-1.0, 1.0}) {
        fillOutlined(painter, ellipsePath(head + QPointF(side * 7.5, 1.0), 2.8, 5.5), spots);
    }
    drawPetFace(painter, head, kInk);
    fillOutlined(painter, ellipsePath(head + QPointF(0.5, 5.0), 1.4, 1.8), QColor(236, 110, 130),
                 0.5);
}

void drawBunny(QPainter& painter) {
    const QColor white(250, 250, 250);
    const QPointF head(94.0, 184.0);
    for (const double side : {-1.0, 1.0}) {
        fillOutlined(painter, ellipsePath(head + QPointF(side * 3.0, -12.0), 2.8, 9.0), white);
        fillOutlined(painter, ellipsePath(head + QPointF(side * 3.0, -12.0), 1.2, 6.5),
                     QColor(250, 180, 190), 0.0);
    }
    fillOutlined(painter, ellipsePath({95.0, 199.0}, 10.0, 8.0), white);
    fillOutlined(painter, ellipsePath({104.5, 201.0}, 3.0, 3.0), white);
    fillOutlined(painter, ellipsePath(head, 7.0, 6.0), white);
    drawPetFace(painter, head, QColor(240, 130, 150));
}

void drawBird(QPainter& painter) {
    const QColor blue(80, 150, 230);
    fillOutlined(painter, polygonPath({{74.0, 76.0}, {68.0, 80.0}, {70.0, 74.0}}),
                 blue.darker(130));
    fillOutlined(painter, ellipsePath({79.0, 76.0}, 6.0, 4.8), blue);
    fillOutlined(painter, ellipsePath({84.0, 70.0}, 3.8, 3.8), blue);
    fillOutlined(painter, polygonPath({{87.5, 69.0}, {91.0, 70.5}, {87.5, 71.5}}),
                 QColor(250, 180, 50), 0.6);
    fillOutlined(painter, ellipsePath({85.0, 69.2}, 0.8, 0.8), kInk, 0.0);
    QPainterPath wing({75.0, 75.0});
    wing.quadTo(79.0, 80.0, 83.0, 76.0);
    strokeLine(painter, wing, blue.darker(150), 1.0);
    fillOutlined(painter, ellipsePath({80.0, 76.0}, 4.0, 3.0), QColor(240, 240, 250), 0.0);
}

void drawFootball(QPainter& painter) {
    const QPointF ball(89.0, 200.0);
    fillOutlined(painter, ellipsePath(ball, 7.0, 7.0), Qt::white);
    QPolygonF patch;
    for (int corner = 0; corner < 5; ++corner) {
        const double angle = -std::numbers::pi / 2.0 + corner * 2.0 * std::numbers::pi / 5.0;
        patch << ball + QPointF(2.6 * std::cos(angle), 2.6 * std::sin(angle));
    }
    QPainterPath seams;
    for (const QPointF& corner : patch) {
        seams.moveTo(corner);
        seams.lineTo(ball + (corner - ball) * 2.6);
    }
    strokeLine(painter, seams, kInk, 0.7);
    QPainterPath centre;
    centre.addPolygon(patch);
    centre.closeSubpath();
    fillOutlined(painter, centre, kInk, 0.0);
}

void drawBook(QPainter& painter) {
    painter.translate(kLeftHand);
    painter.rotate(-8.0);
    fillOutlined(painter, QRectF(-9.0, -13.0, 17.0, 21.0), QColor(250, 248, 236));
    fillOutlined(painter, QRectF(-10.0, -14.0, 16.0, 21.0), QColor(200, 60, 70));
    fillOutlined(painter, heartPath({-2.0, -4.0}, 3.0), QColor(250, 210, 80), 0.6);
}

void drawIceCream(QPainter& painter) {
    const QPointF hand = kRightHand;
    fillOutlined(painter, ellipsePath(hand + QPointF(0.0, -21.0), 5.0, 4.5), QColor(180, 236, 200));
    fillOutlined(painter, ellipsePath(hand + QPointF(0.0, -14.0), 6.0, 5.0), QColor(250, 170, 200));
    const QPainterPath cone = polygonPath(
        {hand + QPointF(-5.5, -11.0), hand + QPointF(5.5, -11.0), hand + QPointF(0.0, 10.0)});
    fillOutlined(painter, cone, QColor(226, 170, 100));
    painter.save();
    painter.setClipPath(cone);
    QPainterPath waffle;
    for (const double d : spaced(-16.0, 16.0, 4.0)) {
        waffle.moveTo(hand + QPointF(d - 10.0, -12.0));
        waffle.lineTo(hand + QPointF(d + 10.0, 10.0));
        waffle.moveTo(hand + QPointF(d + 10.0, -12.0));
        waffle.lineTo(hand + QPointF(d - 10.0, 10.0));
    }
    strokeLine(painter, waffle, QColor(180, 120, 60), 0.6);
    painter.restore();
    fillOutlined(painter, ellipsePath(hand, 5.0, 6.0), kSkin);
}

void drawGuitar(QPainter& painter) {
    const QColor wood(206, 130, 60);
    QPainterPath neck({62.0, 116.0});
    neck.lineTo(30.0, 90.0);
    strokeLine(painter, neck, kInk, 5.2);
    strokeLine(painter, neck, QColor(120, 76, 40), 3.6);
    fillOutlined(painter, polygonPath({{31.0, 88.0}, {25.0, 84.0}, {23.0, 89.0}, {28.0, 93.0}}),
                 QColor(90, 56, 30));
    const QPainterPath body = ellipsePath({69.0, 127.0}, 11.0, 10.0)
                                  .united(ellipsePath({60.0, 118.0}, 8.0, 7.5))
                                  .simplified();
    fillOutlined(painter, body, wood);
    fillOutlined(painter, ellipsePath({63.0, 121.0}, 3.2, 3.2), QColor(70, 40, 20), 0.6);
    QPainterPath strings;
    for (const double offset : {-0.8, 0.8}) {
        strings.moveTo(29.0, 90.0 + offset);
        strings.lineTo(71.0, 125.0 + offset);
    }
    strokeLine(painter, strings, QColor(240, 240, 230), 0.35);
}

void drawPalette(QPainter& painter) {
    const QPainterPath board =
        ellipsePath(kLeftHand + QPointF(-4.0, -5.0), 11.0, 8.0)
            .subtracted(ellipsePath(kLeftHand + QPointF(1.0, -2.0), 2.0, 2.0));
    fillOutlined(painter, board, QColor(230, 196, 140));
    const std::array<QColor, 4> paints{QColor(230, 60, 60), QColor(60, 120, 230),
                                       QColor(250, 210, 50), QColor(80, 180, 90)};
    for (std::size_t i = 0; i < paints.size(); ++i) {
        const double angle = std::numbers::pi * (0.9 + 0.3 * static_cast<double>(i));
        fillOutlined(painter,
                     ellipsePath(kLeftHand + QPointF(-4.0 + 7.0 * std::cos(angle),
                                                     -5.0 + 5.0 * std::sin(angle)),
                                 1.8, 1.6),
                     paints.at(i), 0.5);
    }
    QPainterPath brush(kRightHand + QPointF(-1.0, 4.0));
    brush.lineTo(kRightHand + QPointF(6.0, -20.0));
    strokeLine(painter, brush, QColor(120, 76, 40), 1.6);
    fillOutlined(painter, ellipsePath(kRightHand + QPointF(6.5, -21.5), 1.4, 2.6),
                 QColor(60, 120, 230), 0.6);
}

} // namespace

std::vector<Piece> backgrounds() {
    return {drawPark, drawBeach, drawNightCity, drawBedroom, drawSnowyHills};
}

std::vector<Piece> foregrounds() {
    return {drawFlowerBed, drawSnowfall, drawBalloons, drawFrame, drawBubbles};
}

std::vector<Piece> friendsAndPets() {
    return {drawCat, drawDog, drawBunny, drawBird};
}

std::vector<Piece> interests() {
    return {drawFootball, drawBook, drawIceCream, drawGuitar, drawPalette};
}

QStringList backgroundNames() {
    return {
        QStringLiteral("Sunny park"),
        QStringLiteral("Beach with a red parasol"),
        QStringLiteral("City at night"),
        QStringLiteral("Bedroom"),
        QStringLiteral("Snowy hills with pine trees"),
    };
}

QStringList foregroundNames() {
    return {
        QStringLiteral("Flowers in the grass"),
        QStringLiteral("Falling snow"),
        QStringLiteral("Red, yellow and blue balloons"),
        QStringLiteral("Wooden picture frame"),
        QStringLiteral("Soap bubbles"),
    };
}

QStringList friendAndPetNames() {
    return {
        QStringLiteral("Ginger cat"),
        QStringLiteral("Spotted puppy"),
        QStringLiteral("White bunny"),
        QStringLiteral("Blue bird on the shoulder"),
    };
}

QStringList interestNames() {
    return {
        QStringLiteral("Football"),
        QStringLiteral("Red book"),
        QStringLiteral("Ice cream cone"),
        QStringLiteral("Guitar"),
        QStringLiteral("Paint palette and brush"),
    };
}

} // namespace brindo::sample
