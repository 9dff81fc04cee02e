#include "app/form1.h"
#include "document/outfit_document.h"

namespace brindo {

namespace {

FileDialogSettings documentDialog() {
    return {QStringLiteral("Brindo files (*.BRD)"), QStringLiteral("BRD")};
}

// Writes the outfit into its document; a failure is told to the user.
void saveToDocument(const OutfitState& state, UserDialogs& dialogs, QWidget* window) {
    const FileOutcome saved = saveOutfitDocument(state.documentPath, state);
    if (!saved.ok()) {
        dialogs.tellProblem(window, saved.problem);
    }
}

} // namespace

void Form1::nieuw_Click() {
    guarded(tr("Starting a new outfit"), [this] {
        startNewOutfit(state_, installFolder_);
        fullRedraw();
    });
}

void Form1::open_Click() {
    guarded(tr("Opening the outfit"), [this] {
        const std::optional<QString> name = dialogs_->askOpenFile(this, documentDialog());
        if (name) {
            readDocument(*name);
        }
    });
}

void Form1::openDocument(const QString& nativeFile) {
    guarded(tr("Opening the outfit"), [this, &nativeFile] { readDocument(nativeFile); });
}

void Form1::readDocument(const QString& nativeFile) {
    const LoadedProfile document = loadOutfitDocument(nativeFile);
    if (document.refused()) {
        tellProblem(document.problem);
        return;
    }
    state_.documentPath = nativeFile;
    if (document.status == LoadedProfile::Status::Missing) {
        return;
    }
    // The picture builds up layer by layer while the document is read.
    const OutfitValues values(document.text);
    switchAllLayersOff(state_);
    for (const SlotInfo& info : kSlotTable) {
        if (values.applyTo(info, state_)) {
            slotRedraw();
        }
    }
    fullRedraw();
}

void Form1::save_Click() {
    if (state_.documentPath.isEmpty()) {
        saveas_Click();
        return;
    }
    guarded(tr("Saving the outfit"), [this] { saveToDocument(state_, *dialogs_, this); });
}

void Form1::saveas_Click() {
    guarded(tr("Saving the outfit"), [this] {
        const std::optional<QString> name = dialogs_->askSaveFile(this, documentDialog());
        if (!name) {
            return;
        }
        state_.documentPath = *name;
        saveToDocument(state_, *dialogs_, this);
    });
}

} // namespace brindo
