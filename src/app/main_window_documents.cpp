#include "app/main_window.h"
#include "catalogue/library_layout.h"
#include "document/outfit_document.h"
#include "files/message_text.h"
#include "render/outfit_render.h"

namespace brindo {

namespace {

FileDialogSettings documentDialog() {
    return {QStringLiteral("Brindo files (*.BRD)"), QStringLiteral("BRD")};
}

QString imagesLeftOutNote(const QStringList& images) {
    const bool one = images.size() == 1;
    const QString count =
        one ? QObject::tr("1 image that was not found or cannot be read")
            : QObject::tr("%1 images that were not found or cannot be read").arg(images.size());
    return QObject::tr("The outfit is drawn without %1: %2.\n\nThe document keeps %3; put the "
                       "images back where they were, or pick other items and save.")
        .arg(count, fewNames(images), one ? QObject::tr("its path") : QObject::tr("their paths"));
}

} // namespace

void MainWindow::newOutfit() {
    guarded(tr("Starting a new outfit"), [this] {
        outfit_.startAfresh(defaultBottomsPath(libraryFolder_));
        redraw();
        showWornRows();
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
        tellProblem(tr("\"%1\" does not exist, so the outfit stays as it is; Save creates "
                       "the document.")
                        .arg(fitForMessage(nativeFile)));
        return;
    }
    // The picture builds up layer by layer while the document is read.
    outfit_.switchAllOff();
    for (const DocumentLayer& layer : layersSwitchedOn(document.text)) {
        outfit_.slot(layer.slot).switchOn(layer.path);
        redraw(Redraw::RepeatLastLayer);
    }
    const QStringList leftOut = layerImagesLeftOut(outfit_, redraw());
    if (!leftOut.isEmpty()) {
        dialogs_->tellNote(this, imagesLeftOutNote(leftOut));
    }
    showWornRows();
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
