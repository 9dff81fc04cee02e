#pragma once

#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <optional>

class QWidget;

namespace brindo {

// What a file dialog is prepared with before it is shown.
struct FileDialogSettings {
    QString filter;        // e.g. "Brindo files (*.BRD)"
    QString defaultSuffix; // added to a name typed without an extension
};

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
