// Saves two versions of a document or a picture in turn, as many times as
// asked or until killed; says "saving" once the first save is complete.

#include "document/outfit_document.h"
#include "render/picture_export.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

int main(int argc, char* argv[]) {
    using namespace brindo;
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s document|picture <file> [saves]\n", argv[0]);
        return 2;
    }
    const QString file = QString::fromLocal8Bit(argv[2]);
    const int saves = argc > 3 ? std::atoi(argv[3]) : 0;
    for (int round = 0; saves == 0 || round < saves; ++round) {
        const int which = round % 2;
        Outfit outfit;
        outfit.bottom.switchOn("\\library\\Bottoms\\00.png");
        outfit.tops.switchOn(QString("\\library\\Tops\\0%1.png").arg(which + 1));
        outfit.hairExtra = {which == 1, "\\library\\Hair\\Long\\002.png"};
        QImage picture(600, 400, QImage::Format_RGB32);
        picture.fill(which == 0 ? QColor(200, 30, 30) : QColor(30, 30, 200));
        // The resolution goes into the file; it must not depend on the screen.
        picture.setDotsPerMeterX(3780);
        picture.setDotsPerMeterY(3780);
        const FileOutcome outcome = argv[1] == std::string_view("document")
                                        ? saveOutfitDocument(file, outfit)
                                        : exportPicture(picture, file);
        if (!outcome.ok()) {
            std::fprintf(stderr, "%s\n", qPrintable(outcome.problem));
            return 1;
        }
        if (round == 0) {
            std::printf("saving\n");
            std::fflush(stdout);
        }
    }
}
