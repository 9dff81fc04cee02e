#pragma once

#include "render/picture_component.h"

#include <QImage>
#include <QString>

namespace brindo {

// Result codes of PNGPicture::LoadFile.
enum LoadResult : int { kLoaded = 0, kFileNotFound = 1, kNotDecodable = 2 };

// Decodes PNG files and draws them with per-pixel alpha ("source over"). A
// failed load leaves no current image, so nothing is drawn until the next
// successful load. Never throws, whatever the file holds.
class PNGPicture : public PictureComponent {
public:
    // Paths that no longer exist where stored are looked for again under the
    // installation folder (see locateImage).
    explicit PNGPicture(QString storedInstallFolder = {});

    int LoadFile(const QString& path) override;
    int ImageWidth() const override;
    int ImageHeight() const override;
    void DrawTo(DeviceContext dc, int x, int y) override;

    // Decodes a PNG file at a native path into premultiplied ARGB; a null
    // image when it cannot be decoded.
    static QImage decodePng(const QString& nativeFile);

private:
    QString installFolder_;
    QImage current_;
};

} // namespace brindo
