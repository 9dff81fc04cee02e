#include "app/main_window.h"
#include "render/picture_export.h"

namespace brindo {

// Writes the canvas as it stands; nothing is redrawn and nothing else changes.
void MainWindow::exportImage() {
    guarded(tr("Exporting the picture"), [this] {
        const std::optional<QString> name = dialogs_->askSaveFile(
            this, {QStringLiteral("BMP files (*.bmp)"), QStringLiteral("bmp")});
        if (!name) {
            return;
        }
        const FileOutcome written = exportPicture(picture(), *name);
        if (!written.ok()) {
            tellProblem(written.problem);
        }
    });
}

} // namespace brindo
