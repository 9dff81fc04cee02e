#include "catalogue/library_layout.h"

#include "catalogue/stored_path.h"

namespace brindo {

QString baseFigurePath(const QString& installFolder) {
    return joinStored(installFolder, QString(kBaseFigureFile));
}

QString figureOverlayPath(const QString& installFolder) {
    return joinStored(installFolder, QString(kFigureOverlayFile));
}

QString watermarkPath(const QString& installFolder) {
    return joinStored(installFolder, QString(kWatermarkFile));
}

QString defaultBottomsPath(const QString& installFolder) {
    return joinStored(joinStored(installFolder, QString(kBottomsFolder)),
                      QString(kDefaultBottomsFile));
}

} // namespace brindo
