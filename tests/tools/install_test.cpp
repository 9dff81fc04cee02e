#include "files/profile_text.h"

#include <QDirIterator>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Installs the build under another prefix than the one it was configured
// with, staged in DESTDIR as packages are built: the desktop entry must find
// its icon there, and no file may point into the configured prefix.
TEST(InstallTest, DesktopEntryNamesASquareThemeIconUnderAnyPrefix) {
    const QTemporaryDir stage;
    const QString prefix = stage.filePath("prefix");
    const QString destDir = stage.filePath("dest");
    QProcess install;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DESTDIR", destDir);
    install.setProcessEnvironment(environment);
    install.start(QStringLiteral(BRINDO_CMAKE),
                  {"--install", QStringLiteral(BRINDO_BUILD_DIR), "--prefix", prefix});
    ASSERT_TRUE(install.waitForFinished(120000) && install.exitCode() == 0)
        << install.readAllStandardError().toStdString();
    const QDir root(destDir + prefix);
    EXPECT_FALSE(QFileInfo::exists(prefix)) << "everything goes below DESTDIR";

    QFile entry(root.filePath("share/applications/brindo.desktop"));
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    const QString icon = brindo::ProfileText(entry.readAll()).read("Desktop Entry", "Icon");
    ASSERT_TRUE(!icon.isEmpty() && !icon.contains('/'))
        << "a name, not a path: " << icon.toStdString();
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString file = root.filePath(
            QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(icon));
        EXPECT_EQ(QImage(file).size(), QSize(size, size)) << file.toStdString();
    }

    QDirIterator files(root.path(), QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile file(files.next());
        if (file.fileName().endsWith(".png") || !file.open(QIODevice::ReadOnly)) {
            continue;
        }
        const QByteArray bytes = file.readAll();
        EXPECT_TRUE(bytes.contains('\0') || !bytes.contains(BRINDO_CONFIGURED_PREFIX))
            << file.fileName().toStdString();
    }
}

} // namespace
