#pragma once

#include <QLatin1String>
#include <QString>

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

QString baseFigurePath(const QString& installFolder);
QString figureOverlayPath(const QString& installFolder);
QString watermarkPath(const QString& installFolder);
QString defaultBottomsPath(const QString& installFolder);

} // namespace brindo
