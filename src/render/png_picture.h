#pragma once

#include "render/picture_component.h"
#include "render/png_loading.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <memory>

namespace brindo {

class ReadAhead;

// Decodes PNG files and draws them with per-pixel alpha ("source over"). A
// failed load leaves no current image, so nothing is drawn until the next
// successful load. Never throws, whatever the file holds.
//
// When told the loads to come (expectLoads), every other load of them is
// decoded on a second thread while the one before is decoded and drawn here;
// the pictures are still loaded from their files in full and drawn in order.
class PNGPicture : public PictureComponent {
public:
    // Paths that no longer exist where stored are looked for again under the
    // installation folder (see locateImage).
    explicit PNGPicture(QString storedInstallFolder = {});
    ~PNGPicture() override;

    int LoadFile(const QString& path) override;
    int ImageWidth() const override;
    int ImageHeight() const override;
    void DrawTo(DeviceContext dc, int x, int y) override;
    void expectLoads(const QStringList& paths) override;

    // Decodes a PNG file at a native path into premultiplied ARGB; a null
    // image when it cannot be decoded.
    static QImage decodePng(const QString& nativeFile);

private:
    void forgetExpectedLoads();

    QString installFolder_;
    LoadedPicture current_;
    QStringList expected_;
    qsizetype nextExpected_ = 0;
    qsizetype readingAhead_ = -1; // index in expected_ of the load on the other thread
    std::unique_ptr<ReadAhead> readAhead_;
};

} // namespace brindo
