#include "app/user_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>

namespace brindo {

namespace {

std::optional<QString> runFileDialog(QWidget* parent, const FileDialogSettings& settings,
                                     QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setNameFilter(settings.filter);
    dialog.setDefaultSuffix(settings.defaultSuffix);
    dialog.selectFile(QString());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}

} // namespace

std::optional<QString> DesktopDialogs::askOpenFile(QWidget* parent,
                                                   const FileDialogSettings& settings) {
    return runFileDialog(parent, settings, QFileDialog::AcceptOpen);
}

std::optional<QString> DesktopDialogs::askSaveFile(QWidget* parent,
                                                   const FileDialogSettings& settings) {
    return runFileDialog(parent, settings, QFileDialog::AcceptSave);
}

void DesktopDialogs::tellProblem(QWidget* parent, const QString& message) {
    QMessageBox::warning(parent, QStringLiteral("Brindo Creator"), message);
}

void DesktopDialogs::tellNote(QWidget* parent, const QString& message) {
    if (note_) {
        note_->close();
    }
    note_ = new QMessageBox(QMessageBox::Information, QStringLiteral("Brindo Creator"), message,
                            QMessageBox::Ok, parent);
    note_->setAttribute(Qt::WA_DeleteOnClose);
    note_->setWindowModality(Qt::NonModal);
    note_->show();
}

} // namespace brindo
