#include "app/form1.h"
#include "render/picture_export.h"

namespace brindo {

// Writes the canvas as it stands; nothing is redrawn and nothing else changes.
void Form1::image_Click() {
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
