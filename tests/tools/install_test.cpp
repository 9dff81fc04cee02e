#include "files/profile_text.h"

#include <QDirIterator>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Staged in DESTDIR under another prefix: a theme icon in every size, no configured prefix.
TEST(InstallTest, DesktopEntryNamesASquareThemeIconUnderAnyPrefix) {
    const QTemporaryDir stage;
    const QString prefix = stage.filePath("prefix");
    QProcess install;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DESTDIR", stage.filePath("dest"));
    install.setProcessEnvironment(environment);
    install.start(BRINDO_CMAKE, {"--install", BRINDO_BUILD_DIR, "--prefix", prefix});
    ASSERT_TRUE(install.waitForFinished(120000) && install.exitCode() == 0);
    const QDir root(stage.filePath("dest") + prefix);
    EXPECT_FALSE(QFileInfo::exists(prefix)) << "everything goes below DESTDIR";
    QFile entry(root.filePath("share/applications/brindo.desktop"));
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    const QString icon = brindo::ProfileText(entry.readAll()).read("Desktop Entry", "Icon");
    ASSERT_TRUE(!icon.isEmpty() && !icon.contains('/')) << "a name, not a path";
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString file = QString("share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(icon);
        EXPECT_EQ(QImage(root.filePath(file)).size(), QSize(size, size)) << file.toStdString();
    }
    for (QDirIterator files(root.path(), QDir::Files, QDirIterator::Subdirectories);
         files.hasNext();) {
        QFile file(files.next());
        if (!file.fileName().endsWith(".png") && file.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = file.readAll();
            EXPECT_TRUE(bytes.contains('\0') || !bytes.contains(BRINDO_CONFIGURED_PREFIX))
                << file.fileName().toStdString();
        }
    }
}

} // namespace
