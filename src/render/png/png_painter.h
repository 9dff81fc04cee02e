#pragma once

#include "render/png/layer_painter.h"
#include "render/png/png_loading.h"

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
class PngPainter : public LayerPainter {
public:
    // Paths that no longer exist where stored are looked for again under the
    // library folder (see locateImage).
    explicit PngPainter(QString libraryFolder = {});
    ~PngPainter() override;

    LoadResult load(const QString& path) override;
    int width() const override;
    int height() const override;
    void drawOn(QImage* surface, int x, int y) override;
    void expectLoads(const QStringList& paths) override;

private:
    void forgetExpectedLoads();

    QString libraryFolder_;
    LoadedPicture current_;
    QStringList expected_;
    qsizetype nextExpected_ = 0;
    qsizetype readingAhead_ = -1; // index in expected_ of the load on the other thread
    std::unique_ptr<ReadAhead> readAhead_;
};

} // namespace brindo
