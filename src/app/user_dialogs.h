#pragma once

#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace brindo {

// What a file dialog is prepared with before it is shown.
struct FileDialogSettings {
    // e.g. "Brindo files (*.BRD)"; the first is chosen at first. A name typed
    // without an extension gets the one of the chosen filter.
    QStringList filters;
    QString folder; // where the dialog starts; empty for the usual place
};

// The extension that a filter's first pattern gives ("BRD" for "Brindo
// files (*.BRD)"), or an empty string.
QString suffixOfFilter(const QString& filter);

// The questions and messages the main window puts to the user. The window
// talks to this interface so that tests can answer in place of a person.
class UserDialogs {
public:
    UserDialogs() = default;
    UserDialogs(const UserDialogs&) = delete;
    UserDialogs& operator=(const UserDialogs&) = delete;
    virtual ~UserDialogs() = default;

    // The chosen file, or std::nullopt when the user cancels.
    virtual std::optional<QString> askOpenFile(QWidget* parent,
                                               const FileDialogSettings& settings) = 0;
    virtual std::optional<QString> askSaveFile(QWidget* parent,
                                               const FileDialogSettings& settings) = 0;
    // Tells the user that something failed, and waits until it is read.
    virtual void tellProblem(QWidget* parent, const QString& message) = 0;
    // Tells the user something worth knowing without stopping the work: the
    // note stays beside the window until closed, and a new note replaces it.
    virtual void tellNote(QWidget* parent, const QString& message) = 0;
};

// The real dialogs of the desktop.
class DesktopDialogs : public UserDialogs {
public:
    std::optional<QString> askOpenFile(QWidget* parent,
                                       const FileDialogSettings& settings) override;
    std::optional<QString> askSaveFile(QWidget* parent,
                                       const FileDialogSettings& settings) override;
    void tellProblem(QWidget* parent, const QString& message) override;
    void tellNote(QWidget* parent, const QString& message) override;

private:
    QPointer<QMessageBox> note_;
};

} // namespace brindo
