#include "app/main_window.h"
#include "catalogue/library_layout.h"
#include "document/outfit_document.h"
#include "files/message_text.h"
#include "render/outfit_render.h"
#include "render/outfit_source.h"
#include "render/picture_export.h"
#include "render/shared_outfit.h"

namespace brindo {

namespace {

const QStringList& openFilters() {
    static const QStringList filters{QStringLiteral("Outfit documents (*.BRD)"),
                                     QStringLiteral("Pictures with an outfit (*.png)")};
    return filters;
}

const QStringList& saveFilters() {
    static const QStringList filters{QStringLiteral("Brindo files (*.BRD)")};
    return filters;
}

// `keeper` is what keeps the paths: the document, or the outfit of a picture.
QString imagesLeftOutNote(const QStringList& images, const QString& keeper) {
    const bool one = images.size() == 1;
    const QString count =
        one ? QObject::tr("1 image that was not found or cannot be read")
            : QObject::tr("%1 images that were not found or cannot be read").arg(images.size());
    return QObject::tr("The outfit is drawn without %1: %2.\n\n%3 keeps %4; put the "
                       "images back where they were, or pick other items and save.")
        .arg(count, fewNames(images), keeper,
             one ? QObject::tr("its path") : QObject::tr("their paths"));
}

} // namespace

void MainWindow::newOutfit() {
    guarded(tr("Starting a new outfit"), [this] {
        Outfit fresh = outfit_;
        fresh.startAfresh(defaultBottomsPath(libraryFolder_));
        replaceOutfit(std::move(fresh));
    });
}

void MainWindow::openOutfit() {
    guarded(tr("Opening the outfit"), [this] {
        const std::optional<QString> name =
            askFile(&UserDialogs::askOpenFile, FileKind::Outfit, openFilters());
        if (name) {
            readDocument(*name);
        }
    });
}

void MainWindow::openDocument(const QString& nativeFile) {
    guarded(tr("Opening the outfit"), [this, &nativeFile] { readDocument(nativeFile); });
}

void MainWindow::readDocument(const QString& nativeFile) {
    if (isPngFile(nativeFile)) {
        readPicture(nativeFile);
        return;
    }
    const LoadedProfile document = loadOutfitDocument(nativeFile);
    if (document.refused()) {
        tellProblem(document.problem);
        return;
    }
    if (document.status == LoadedProfile::Status::Missing) {
        if (pictureFormatFor(nativeFile) == PictureFormat::Png) {
            // Never a new document under a picture's name.
            tellProblem(tr("\"%1\" does not exist.").arg(fitForMessage(nativeFile)));
            return;
        }
        outfit_.documentPath = nativeFile;
        tellProblem(tr("\"%1\" does not exist, so the outfit stays as it is; Save creates "
                       "the document.")
                        .arg(fitForMessage(nativeFile)));
        return;
    }
    Outfit opened = outfitFromDocument(document.text, outfit_);
    opened.documentPath = nativeFile;
    // The picture builds up layer by layer while the document is read.
    const QList<FailedLoad> failed = replaceOutfit(std::move(opened), Reveal::LayerByLayer);
    rememberRecentFile(nativeFile);
    noteImagesLeftOut(failed, tr("The document"));
}

// The outfit a picture carries, with no document: Save asks for a name, so
// that the picture is never overwritten by a document.
void MainWindow::readPicture(const QString& nativeFile) {
    const OutfitSource source = readOutfitSource(nativeFile);
    if (!source.ok()) {
        tellProblem(source.problem);
        return;
    }
    Outfit opened = withLocatedImages(source.outfit, libraryFolder_);
    opened.documentPath.clear();
    const QList<FailedLoad> failed = replaceOutfit(std::move(opened));
    rememberRecentFile(nativeFile);
    noteImagesLeftOut(failed, tr("The outfit in the picture"));
}

void MainWindow::noteImagesLeftOut(const QList<FailedLoad>& failedLoads, const QString& keeper) {
    const QStringList leftOut = layerImagesLeftOut(outfit_, failedLoads);
    if (!leftOut.isEmpty()) {
        dialogs_->tellNote(this, imagesLeftOutNote(leftOut, keeper));
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
        const std::optional<QString> name =
            askFile(&UserDialogs::askSaveFile, FileKind::Outfit, saveFilters());
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
    rememberRecentFile(nativeFile);
}

} // namespace brindo
