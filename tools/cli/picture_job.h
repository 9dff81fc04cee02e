#pragma once

#include "catalogue/library_layout.h"
#include "catalogue/library_names.h"
#include "render/outfit_render.h"
#include "render/outfit_source.h"
#include "render/picture_export.h"

#include <QByteArray>
#include <QCommandLineOption>
#include <QString>
#include <QStringList>
#include <optional>

namespace brindo::cli {

class CommandParser;

// How pictures are drawn and written, shared by every picture of a call.
// readLibrary fills in what comes from the library.
struct PictureSettings {
    QString libraryFolder;
    LibraryLayout layout; // resolved once for the credits of every picture
    LibraryNames names;
    RenderOptions render;
    PictureFormat format = PictureFormat::Png;
    bool strict = false;
    bool keepPaths = false;
};

// The options of a picture that render and compose both take.
class PictureOptions {
public:
    void addTo(CommandParser& parser) const;
    // Reads them into `settings` (all but the format, which needs the
    // output). Answers an exit status after a usage error, which is printed.
    std::optional<int> read(const CommandParser& parser, PictureSettings& settings) const;
    // The format of the picture written to `output` ("-": stdout): --format
    // when given, else the output's extension.
    std::optional<int> readFormat(const CommandParser& parser, const QString& output,
                                  PictureSettings& settings) const;
    // The --format value as given, lower-cased; empty when not given.
    QString format(const CommandParser& parser) const;

    const QCommandLineOption formatOption{
        QStringLiteral("format"),
        QStringLiteral("Write this format whatever the output's name: png or bmp (needed with "
                       "-o -)."),
        QStringLiteral("FORMAT")};
    const QCommandLineOption scaleOption{
        QStringLiteral("scale"),
        QStringLiteral("Enlarge the picture N times, every pixel a square (nearest neighbour)."),
        QStringLiteral("N")};
    const QCommandLineOption transparentOption{
        QStringLiteral("transparent"),
        QStringLiteral("PNG only: no canvas colour; the picture keeps the layers' exact alpha.")};
    const QCommandLineOption backgroundOption{
        QStringLiteral("background"),
        QStringLiteral("The canvas colour instead of white, as #RRGGBB."),
        QStringLiteral("COLOUR")};
    const QCommandLineOption strictOption{
        QStringLiteral("strict"),
        QStringLiteral("Write nothing, and fail, when any image is missing.")};
    const QCommandLineOption keepPathsOption{
        QStringLiteral("keep-paths"),
        QStringLiteral("Let a PNG carry the document as it is, with its absolute paths, instead "
                       "of naming the images only by their place in the library.")};
};

// Reads the names and layout of the library in settings.libraryFolder.
void readLibrary(PictureSettings& settings);

// What came of drawing one picture.
struct PictureReport {
    int status = 0;       // kSuccess, kImagesMissing or kFailure
    QStringList problems; // messages, each one line
    QImage picture;       // null when nothing is to be written
    PictureFormat format = PictureFormat::Png;
    PictureTexts texts; // what a PNG picture carries
    qsizetype missingImages = 0;
};

// Draws the outfit of `source` for the format of `settings`: a PNG carries
// the outfit (without the folders of this machine unless keepPaths) and the
// credits of what it shows. Missing images are listed; with strict they leave
// no picture. The renderer draws for the library and options of `settings`.
PictureReport drawPicture(const OutfitSource& source, const PictureSettings& settings,
                          OutfitRenderer& renderer);

// Encodes the picture and writes it in one step: to `output`, a BMP file
// straight from the picture's rows, or to stdout for "-". Adds the problem to
// the report, and makes it a failure, when it cannot.
void writePicture(PictureReport& report, const QString& output);

} // namespace brindo::cli
