#include "app/main_window.h"
#include "files/message_text.h"
#include "render/outfit_credits.h"
#include "render/picture_export.h"
#include "render/shared_outfit.h"

namespace brindo {

// Writes what the name asks for: a PNG for ".png", else a 24-bit BMP of the
// canvas as it stands. Nothing is redrawn and nothing else changes.
void MainWindow::exportImage() {
    guarded(tr("Exporting the picture"), [this] {
        const std::optional<QString> name =
            askFile(&UserDialogs::askSaveFile, FileKind::Picture,
                    {QStringLiteral("BMP files (*.bmp)"), QStringLiteral("PNG pictures (*.png)")});
        if (!name) {
            return;
        }
        const FileOutcome written = pictureFormatFor(*name) == PictureFormat::Png
                                        ? exportPng(*name)
                                        : exportPicture(picture(), *name);
        if (!written.ok()) {
            tellProblem(written.problem);
        }
    });
}

// The canvas, or with a transparent background the layers alone; either way
// with the outfit, named so that it reveals no folder, and its credits.
FileOutcome MainWindow::exportPng(const QString& nativeFile) {
    QImage image = picture();
    if (WindowSettings().transparentExport()) {
        RenderedOutfit rendered = transparentPicture();
        if (!rendered.ok()) {
            return {tr("Could not export the picture to \"%1\": %2.")
                        .arg(fitForMessage(nativeFile), rendered.problem)};
        }
        image = std::move(rendered.picture);
    }
    const PictureTexts texts{shareableOutfitText(outfit_, libraryFolder_),
                             outfitCreditsText(outfit_, libraryFolder_, openCategoryName())};
    return exportPicture(image, nativeFile, PictureFormat::Png, texts);
}

} // namespace brindo
