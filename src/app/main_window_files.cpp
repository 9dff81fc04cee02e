#include "app/main_window.h"
#include "files/message_text.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

namespace brindo {

namespace {

// A path longer than this is shortened in the middle in the menu.
constexpr int kLongestMenuPath = 60;

} // namespace

std::optional<QString> MainWindow::askFile(FileQuestion question, FileKind kind,
                                           const QStringList& filters) {
    WindowSettings settings;
    std::optional<QString> name =
        (dialogs_.get()->*question)(this, {filters, settings.lastFolder(kind)});
    if (name) {
        settings.setLastFolder(kind, QFileInfo(*name).absolutePath());
    }
    return name;
}

void MainWindow::buildRecentMenu(QAction* before) {
    recentMenu_ = new QMenu(tr("Open &Recent"), fileMenu_);
    recentMenu_->setObjectName(QStringLiteral("recentMenu"));
    fileMenu_->insertMenu(before, recentMenu_);
    // The entries stay; filling the menu gives them their files.
    for (int entry = 0; entry < WindowSettings::kRecentFileCount; ++entry) {
        QAction* recent = recentMenu_->addAction(QString());
        connect(recent, &QAction::triggered, this, [this, recent] {
            const QString file = recent->data().toString();
            openRecent(file);
        });
    }
    recentMenu_->addSeparator();
    QAction* clear = recentMenu_->addAction(tr("&Clear Menu"));
    clear->setObjectName(QStringLiteral("clearRecent"));
    connect(clear, &QAction::triggered, this, [this] {
        WindowSettings().clearRecentFiles();
        fillRecentMenu();
    });
    // Another window may have changed the list meanwhile.
    connect(recentMenu_, &QMenu::aboutToShow, this, &MainWindow::fillRecentMenu);
    fillRecentMenu();
}

void MainWindow::fillRecentMenu() {
    const QStringList files = WindowSettings().recentFiles();
    const QList<QAction*> entries = recentMenu_->actions();
    for (int number = 1; number <= WindowSettings::kRecentFileCount; ++number) {
        QAction* entry = entries.at(number - 1);
        const QString file = files.value(number - 1);
        entry->setVisible(!file.isEmpty());
        entry->setData(file.isEmpty() ? QVariant() : QVariant(file));
        QString shown = fitForMessage(file);
        if (shown.size() > kLongestMenuPath) {
            shown = shown.first(kLongestMenuPath / 2 - 1) + u'\u2026' +
                    shown.last(kLongestMenuPath / 2);
        }
        shown.replace(u'&', QStringLiteral("&&")); // no mnemonic in a file name
        const QString key = number < 10 ? QStringLiteral("&%1").arg(number) : QStringLiteral("1&0");
        entry->setText(key + u' ' + shown);
    }
    recentMenu_->setEnabled(!files.isEmpty());
}

void MainWindow::rememberRecentFile(const QString& nativeFile) {
    WindowSettings().addRecentFile(nativeFile);
    fillRecentMenu();
}

void MainWindow::openRecent(const QString& nativeFile) {
    if (QFileInfo::exists(nativeFile)) {
        openDocument(nativeFile);
        return;
    }
    WindowSettings().removeRecentFile(nativeFile);
    fillRecentMenu();
    tellProblem(tr("\"%1\" no longer exists, so it has been taken off the recent files.")
                    .arg(fitForMessage(nativeFile)));
}

} // namespace brindo
