#include "catalogue/library_layout.h"

#include "catalogue/folder_listing.h"
#include "catalogue/stored_path.h"

#include <QFileInfo>
#include <array>

namespace brindo {

namespace {

// Frames of the ready-made outfits "01" to "12".
constexpr std::array<int, 12> kReadyMadeFrames{8, 6, 7, 9, 9, 7, 9, 6, 9, 8, 5, 8};

std::optional<QString> watermarkIfPresent(const QString& libraryFolder) {
    const QString watermark = joinStored(libraryFolder, QString(kWatermarkFile));
    const QString file = nativePath(watermark);
    if (file.isEmpty() || !QFileInfo(file).isFile()) {
        return std::nullopt;
    }
    return watermark;
}

QString readyMadeFolder(const QString& libraryFolder, const QString& openCategory) {
    const auto categories = listSubfolders(libraryFolder);
    for (const QString& category : categories.value_or(QStringList())) {
        if (category.toLower() == QString(kReadyMadeCategory)) {
            return joinStored(libraryFolder, category);
        }
    }
    return joinStored(libraryFolder, openCategory);
}

} // namespace

int readyMadeFrameCount(const QString& outfitName) {
    for (std::size_t i = 0; i < kReadyMadeFrames.size(); ++i) {
        if (outfitName == QStringLiteral("%1").arg(i + 1, 2, 10, QLatin1Char('0'))) {
            return kReadyMadeFrames.at(i);
        }
    }
    return 0;
}

QString readyMadeFrameFile(int frame) {
    return QString::number(frame) + QLatin1String(".png");
}

QString defaultBottomsPath(const QString& libraryFolder) {
    return joinStored(joinStored(libraryFolder, QString(kBottomsFolder)),
                      QString(kDefaultBottomsFile));
}

QString baseFigurePath(const QString& libraryFolder) {
    return joinStored(libraryFolder, QString(kBaseFigureFile));
}

LibraryLayout resolveLibraryLayout(const QString& libraryFolder, const QString& openCategory) {
    return {
        libraryFolder,
        baseFigurePath(libraryFolder),
        joinStored(libraryFolder, QString(kFigureOverlayFile)),
        watermarkIfPresent(libraryFolder),
        defaultBottomsPath(libraryFolder),
        readyMadeFolder(libraryFolder, openCategory),
    };
}

} // namespace brindo
