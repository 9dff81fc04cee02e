#include "support/temp_library.h"

#include "catalogue/stored_path.h"
#include "support/file_bytes.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace brindo::test {

TempLibrary::TempLibrary(const QString& subfolder) {
    root_ = QDir::cleanPath(dir_.path() + u'/' + subfolder);
    QDir().mkpath(root_);
}

QString TempLibrary::stored() const {
    return storedFromNative(root_);
}

QString TempLibrary::stored(const QString& relative) const {
    QString tail = relative;
    tail.replace(u'/', u'\\');
    return joinStored(stored(), tail);
}

QString TempLibrary::native(const QString& relative) const {
    return root_ + u'/' + relative;
}

void TempLibrary::addImage(const QString& relative, const QImage& image) const {
    addFolder(QFileInfo(relative).path());
    ASSERT_TRUE(image.save(native(relative), "png")) << relative.toStdString();
}

void TempLibrary::addImage(const QString& relative, QColor colour, int width, int height) const {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    addImage(relative, image);
}

void TempLibrary::addFile(const QString& relative, const QByteArray& bytes) const {
    addFolder(QFileInfo(relative).path());
    writeFile(native(relative), bytes);
}

void TempLibrary::addFiles(const QStringList& relatives) const {
    for (const QString& relative : relatives) {
        addFile(relative);
    }
}

void TempLibrary::addImages(const QStringList& relatives, QColor colour) const {
    for (const QString& relative : relatives) {
        addImage(relative, colour);
    }
}

void TempLibrary::addFolder(const QString& relative) const {
    QDir().mkpath(native(relative));
}

void TempLibrary::addFixedFiles(int width, int height, bool withWatermark) const {
    addImage(QStringLiteral("10195.png"), QColor(200, 150, 120), width, height);
    addImage(QStringLiteral("10196.png"), QColor(0, 0, 0, 0), width, height);
    addImage(QStringLiteral("Bottoms/00.png"), QColor(20, 40, 160), width, height);
    if (withWatermark) {
        addImage(QStringLiteral("wm.png"), QColor(0, 0, 0, 0), width, height);
    }
}

} // namespace brindo::test
