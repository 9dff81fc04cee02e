#include "app/main_window.h"
#include "catalogue/library_layout.h"
#include "document/outfit_document.h"

namespace brindo {

namespace {

FileDialogSettings documentDialog() {
    return {QStringLiteral("Brindo files (*.BRD)"), QStringLiteral("BRD")};
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
    guarded(tr("Saving the outfit"), [this] { saveInto(outfit_.documentPath); });
}

void MainWindow::saveAs() {
    guarded(tr("Saving the outfit"), [this] {
        const std::optional<QString> name = dialogs_->askSaveFile(this, documentDialog());
        if (!name) {
            return;
        }
        saveInto(*name);
    });
}

void MainWindow::saveInto(const QString& nativeFile) {
    const FileOutcome saved = saveOutfitDocument(nativeFile, outfit_);
    if (!saved.ok()) {
        tellProblem(saved.problem);
        return;
    }
    // Only a document that was written becomes the one Save writes to.
    outfit_.documentPath = nativeFile;
}

} // namespace brindo
