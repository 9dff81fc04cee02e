#include "app/main_window.h"
#include "catalogue/library_layout.h"
#include "document/outfit_document.h"

namespace brindo {

namespace {

FileDialogSettings documentDialog() {
    return {QStringLiteral("Brindo files (*.BRD)"), QStringLiteral("BRD")};
}

// Writes the outfit into its document; a failure is told to the user.
void saveToDocument(const Outfit& outfit, UserDialogs& dialogs, QWidget* window) {
    const FileOutcome saved = saveOutfitDocument(outfit.documentPath, outfit);
    if (!saved.ok()) {
        dialogs.tellProblem(window, saved.problem);
    }
}

} // namespace

void MainWindow::newOutfit() {
    guarded(tr("Starting a new outfit"), [this] {
        outfit_.startAfresh(defaultBottomsPath(libraryFolder_));
        redraw();
    });
}

void MainWindow::openOutfit() {
    guarded(tr("Opening the outfit"), [this] {
        const std::optional<QString> name = dialogs_->askOpenFile(this, documentDialog());
        if (name) {
            readDocument(*name);
        }
    });
}

void MainWindow::openDocument(const QString& nativeFile) {
    guarded(tr("Opening the outfit"), [this, &nativeFile] { readDocument(nativeFile); });
}

void MainWindow::readDocument(const QString& nativeFile) {
    const LoadedProfile document = loadOutfitDocument(nativeFile);
    if (document.refused()) {
        tellProblem(document.problem);
        return;
    }
    outfit_.documentPath = nativeFile;
    if (document.status == LoadedProfile::Status::Missing) {
        return;
    }
    // The picture builds up layer by layer while the document is read.
    outfit_.switchAllOff();
    for (const DocumentLayer& layer : layersSwitchedOn(document.text)) {
        outfit_.slot(layer.slot).switchOn(layer.path);
        redraw(Redraw::RepeatLastLayer);
    }
    redraw();
}

void MainWindow::save() {
    if (outfit_.documentPath.isEmpty()) {
        saveAs();
        return;
    }
    guarded(tr("Saving the outfit"), [this] { saveToDocument(outfit_, *dialogs_, this); });
}

void MainWindow::saveAs() {
    guarded(tr("Saving the outfit"), [this] {
        const std::optional<QString> name = dialogs_->askSaveFile(this, documentDialog());
        if (!name) {
            return;
        }
        outfit_.documentPath = *name;
        saveToDocument(outfit_, *dialogs_, this);
    });
}

} // namespace brindo
