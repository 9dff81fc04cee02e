#include "save_rounds.h"

namespace brindo::test {

OutfitState savedOutfit(int which) {
    OutfitState state;
    const QString folder = which == 0 ? QStringLiteral("\\old\\library") : QStringLiteral("\\new");
    state.Bottom.switchOn(folder + QStringLiteral("\\Bottoms\\00.png"));
    state.Tops.switchOn(folder + QStringLiteral("\\Tops\\0%1.png").arg(which + 1));
    state.Hair.switchOn(folder + QStringLiteral("\\Hair\\Long\\001.png"));
    state.HairExtra = {which == 1, folder + QStringLiteral("\\Hair\\Long\\002.png")};
    return state;
}

QImage exportedPicture(int which) {
    QImage picture(600, 400, QImage::Format_RGB32);
    picture.fill(which == 0 ? QColor(200, 30, 30) : QColor(30, 30, 200));
    // The resolution goes into the file; it must not depend on the screen.
    constexpr int kDotsPerMeter = 3780;
    picture.setDotsPerMeterX(kDotsPerMeter);
    picture.setDotsPerMeterY(kDotsPerMeter);
    return picture;
}

QByteArray otherProgramsText() {
    QByteArray text = "; settings of another program\r\n[Recent]\r\n";
    for (int i = 0; i < 4000; ++i) {
        text += "File" + QByteArray::number(i) + "=C:\\Users\\someone\\Documents\\drawing " +
                QByteArray::number(i) + ".xyz\r\n";
    }
    return text;
}

} // namespace brindo::test
