#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace brindo::test {

// A picture library built by a test in its own temporary folder.
class TempLibrary {
public:
    // An empty library folder below `subfolder`, where a test may plant keywords in its path.
    explicit TempLibrary(const QString& subfolder = QStringLiteral("install"));

    QString root() const { return root_; } // native
    QString stored() const;
    // Stored path of a file or folder below the library, given as "Tops/01.png".
    QString stored(const QString& relative) const;
    QString native(const QString& relative) const;

    // Files are written with their folders.
    void addImage(const QString& relative, const QImage& image) const;
    void addImage(const QString& relative, QColor colour, int width = 4, int height = 4) const;
    void addFile(const QString& relative, const QByteArray& bytes = "x") const;
    void addFiles(const QStringList& relatives) const; // each holding "x"
    void addImages(const QStringList& relatives, QColor colour) const;
    void addFolder(const QString& relative) const;

    // Base figure, overlay, watermark and "Bottoms/00.png", each its own colour.
    void addFixedFiles(int width = 4, int height = 4, bool withWatermark = true) const;

private:
    QTemporaryDir dir_;
    QString root_;
};

} // namespace brindo::test
