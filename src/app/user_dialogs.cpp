#include "app/user_dialogs.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileDialog>
#include <QMessageBox>
#include <QRegularExpression>
#include <QThread>
#include <QWindow>

namespace brindo {

QString suffixOfFilter(const QString& filter) {
    static const QRegularExpression pattern(QStringLiteral(R"(\*\.([^\s;)]+))"));
    return pattern.match(filter).captured(1);
}

namespace {

std::optional<QString> runFileDialog(QWidget* parent, const FileDialogSettings& settings,
                                     QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setNameFilters(settings.filters);
    dialog.setDefaultSuffix(suffixOfFilter(settings.filters.value(0)));
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog,
        [&dialog](const QString& filter) { dialog.setDefaultSuffix(suffixOfFilter(filter)); });
    if (!settings.folder.isEmpty()) {
        dialog.setDirectory(settings.folder);
    }
    dialog.selectFile(QString());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}

// A box centres itself over its parent where the window system has placed
// it. Right after start-up the main window is shown but not yet placed, and a
// box would open in the screen's corner: it waits until the window is on
// screen (for a second at most).
void waitUntilPlaced(QWidget* parent) {
    QWidget* window = parent != nullptr ? parent->window() : nullptr;
    if (window == nullptr || !window->isVisible() || window->isMinimized()) {
        return;
    }
    const QWindow* handle = window->windowHandle();
    const QDeadlineTimer deadline(1000);
    while (handle != nullptr && !handle->isExposed() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
    QCoreApplication::processEvents(); // the move that places it, if it came last
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
    waitUntilPlaced(parent);
    QMessageBox::warning(parent, QStringLiteral("Brindo Creator"), message);
}

void DesktopDialogs::tellNote(QWidget* parent, const QString& message) {
    if (note_) {
        note_->close();
    }
    waitUntilPlaced(parent);
    note_ = new QMessageBox(QMessageBox::Information, QStringLiteral("Brindo Creator"), message,
                            QMessageBox::Ok, parent);
    note_->setAttribute(Qt::WA_DeleteOnClose);
    note_->setWindowModality(Qt::NonModal);
    note_->show();
}

} // namespace brindo
