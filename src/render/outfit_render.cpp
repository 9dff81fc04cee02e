#include "render/outfit_render.h"

#include "catalogue/library_layout.h"
#include "catalogue/stored_path.h"
#include "render/canvas_image.h"
#include "render/draw_outfit.h"
#include "render/png/png_painter.h"

#include <QDir>
#include <QObject>

namespace brindo {

RenderedOutfit renderOutfit(const Outfit& outfit, const QString& libraryFolder) {
    RenderedOutfit rendered;
    const LibraryLayout layout = resolveLibraryLayout(libraryFolder);
    PngPainter png(libraryFolder);
    if (png.load(layout.baseFigure) != LoadResult::Loaded) {
        rendered.problem =
            QObject::tr("the base figure \"%1\" is missing or cannot be read, so the picture has "
                        "no size")
                .arg(QDir::toNativeSeparators(nativePath(layout.baseFigure)));
        return rendered;
    }
    CanvasImage canvas;
    canvas.resize(png.width(), png.height());
    ReportingPainter reporting(png);
    drawOutfit(drawPlan(outfit, layout), reporting, canvas);
    rendered.picture = canvas.image();
    rendered.failedLoads = reporting.failedLoads();
    return rendered;
}

} // namespace brindo
