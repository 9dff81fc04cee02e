#pragma once

#include <QLatin1String>
#include <QString>
#include <optional>

namespace brindo {

// Fixed names of the picture library kept beside the program.
inline constexpr QLatin1String kBaseFigureFile{"10195.png"};
inline constexpr QLatin1String kFigureOverlayFile{"10196.png"};
inline constexpr QLatin1String kWatermarkFile{"wm.png"};
inline constexpr QLatin1String kBottomsFolder{"Bottoms"};
inline constexpr QLatin1String kDefaultBottomsFile{"00.png"};
inline constexpr QLatin1String kFolderItemBaseFile{"00.png"};

// Category names that are recognised as a whole, compared in lower case.
inline constexpr QLatin1String kHairCategory{"hair"};
inline constexpr QLatin1String kReadyMadeCategory{"ready-made outfits"};

// The text "<none>" that switches a flat category's layer off.
inline constexpr QLatin1String kNoneRow{"<none>"};

// The frame of a ready-made outfit that the eyes layer takes the place of.
inline constexpr int kReadyMadeEyesFrame = 4;

// How many frames a ready-made outfit draws ("01" -> 8); 0 for any name that
// is not one of the outfits "01" to "12".
int readyMadeFrameCount(const QString& outfitName);

// The file of a ready-made outfit's frame in the outfit's folder ("3.png").
QString readyMadeFrameFile(int frame);

// The stored paths of the library's fixed images and folders, as they are on
// disk at the moment they were resolved.
struct LibraryLayout {
    QString folder;
    QString baseFigure;
    QString figureOverlay;
    std::optional<QString> watermark; // only when it is a regular file
    QString defaultBottoms;
    // The folder whose sub-folders hold the ready-made outfits' frames.
    QString readyMadeFolder;
};

// Where the fixed names lie below a library folder, without looking at the disk.
QString defaultBottomsPath(const QString& libraryFolder);
QString baseFigurePath(const QString& libraryFolder);

// Resolves the layout of the library in `libraryFolder`. The ready-made
// outfits' folder is the category folder named "ready-made outfits" in any
// letter case, or else the folder of `openCategory` (the category the user
// has open, if any).
LibraryLayout resolveLibraryLayout(const QString& libraryFolder, const QString& openCategory = {});

} // namespace brindo
