#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QTemporaryDir>

namespace brindo::test {

// A picture library built by a test in its own temporary folder.
class TempLibrary {
public:
    // Creates an empty library folder. `subfolder` places it below extra
    // folders of the temporary directory (say "Mother/eyes/prog") so that
    // tests can plant keywords in the library path.
    explicit TempLibrary(const QString& subfolder = QStringLiteral("install"));

    // Native path of the library folder.
    QString root() const { return root_; }
    // The library folder in the stored, backslash-joined form.
    QString stored() const;
    // Stored path of a file or folder below the library folder, given
    // with "/" between components ("Tops/01.png").
    QString stored(const QString& relative) const;
    QString native(const QString& relative) const;

    // Writes a PNG file (folders are created as needed).
    void addImage(const QString& relative, const QImage& image) const;
    // Writes a PNG of the given size filled with one colour.
    void addImage(const QString& relative, QColor colour, int width = 4, int height = 4) const;
    void addFile(const QString& relative, const QByteArray& bytes = "x") const;
    void addFolder(const QString& relative) const;

    // Base figure, figure overlay and watermark of the given size, each
    // a distinct colour, plus "Bottoms/00.png".
    void addFixedFiles(int width = 4, int height = 4, bool withWatermark = true) const;

private:
    QTemporaryDir dir_;
    QString root_;
};

} // namespace brindo::test
