#pragma once

#include "app/canvas_view.h"
#include "app/list_box.h"
#include "app/user_dialogs.h"
#include "app/zoom_layout.h"
#include "catalogue/library_names.h"
#include "catalogue/open_category.h"
#include "model/outfit.h"
#include "render/png/png_painter.h"
#include "render/png/reporting_painter.h"

#include <QLabel>
#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QMenu;

namespace brindo {

// The program's one window. Handlers read their controls, call the rules of the
// catalogue, render and document code, and apply the result; every handler is
// a boundary that no error passes.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    // Outer widths of the window, frame included, in twips.
    static constexpr int kWideWidthTwips = 8085;
    static constexpr int kNarrowWidthTwips = 5970;
    static constexpr int kFrameTwips = 90;
    static constexpr int kClientHeightTwips = 3180;

    explicit MainWindow(const QString& nativeLibraryFolder,
                        std::unique_ptr<UserDialogs> dialogs = std::make_unique<DesktopDialogs>());
    ~MainWindow() override;

    // Shows the window, sizes the canvas to the base figure, lines up the
    // lists, draws the default outfit and lists the categories.
    void start();

    const Outfit& outfit() const { return outfit_; }
    const QString& libraryFolder() const { return libraryFolder_; }
    // The category open in the item list, if any.
    const std::optional<OpenCategory>& openedCategory() const { return openCategory_; }
    const QImage& picture() const { return canvasView_->canvas().image(); }
    ListBox* categoryList() const { return categoryList_; }
    ListBox* itemList() const { return itemList_; }
    ListBox* variantList() const { return variantList_; }
    CanvasView* canvasView() const { return canvasView_; }
    QMenu* fileMenu() const { return fileMenu_; }
    QMenu* viewMenu() const { return viewMenu_; }
    // A command of any menu, by its object name ("open", "zoomIn").
    QAction* action(const QString& objectName) const;
    // The whole factor that the picture is shown enlarged by.
    int zoom() const { return zoom_; }

    // Twips to pixels, 15 twips to a pixel.
    static int pixels(double twips);

    // Opens a document as Open does once its dialog has given the name; for
    // a document named on the command line.
    void openDocument(const QString& nativeFile);

    void openSelectedCategory();
    void pickSelectedItem();
    void pickSelectedVariant();
    void newOutfit();
    void openOutfit();
    void save();
    void saveAs();
    void exportImage();
    void quit();
    // Shows the picture at this whole factor, the window sized to fit it.
    void setZoom(int zoom);
    void zoomIn();
    void zoomOut();
    void actualSize();

protected:
    // The picture takes the largest whole factor that fits the new size.
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls();
    void buildMenu();
    void buildViewMenu();
    // The window at zoom 1 in pixels.
    static ClassicGeometry classicGeometry();
    WindowLayout layoutAt(int zoom) const;
    // Wide while the variant list shows (and at start): the width changes by
    // the variant list's, at any zoom.
    void setWide(bool wide);
    // Sizes the window to the layout of the zoom.
    void fitWindow();
    void placeControls();
    // The room for the client area on the window's screen.
    QSize screenSpace(int screenHeight) const;
    // The zoom, size and previews of the last run; the first run takes the
    // largest zoom whose window stays within half the screen's height.
    void restoreView();
    void rememberView() const;
    void updateZoomActions();
    // Fills the variant list with the rows of the item, or hides it.
    void showVariants(const std::optional<QStringList>& rows, const QString& item = {});
    // Runs a handler; whatever escapes it is told to the user, once.
    void guarded(const QString& action, const std::function<void()>& handler);
    void tellProblem(const QString& message);

    enum class Redraw {
        Plain,
        // The last layer drawn once more on top, as start-up and each layer
        // of Open always have: a half-transparent watermark shows twice.
        RepeatLastLayer,
    };
    // Composes the outfit's picture afresh and shows it; answers the images
    // that could not be drawn.
    QList<FailedLoad> redraw(Redraw kind = Redraw::Plain);
    void readDocument(const QString& nativeFile);
    // Why the category cannot be opened, for the user.
    QString categoryProblemText(const QString& name) const;
    // Writes the outfit into the file; a failure is told and leaves the
    // document path as it was.
    void saveInto(const QString& nativeFile);
    // Selects the rows of what the outfit wears from the open category, and
    // lists the worn item's variants, without picking anything.
    void showWornRows();

    QString nativeLibraryFolder_;
    QString libraryFolder_; // stored form
    Outfit outfit_;
    std::optional<OpenCategory> openCategory_;
    std::optional<QString> variantsItem_; // the item whose variants the variant list shows
    LibraryNames names_;
    std::unique_ptr<UserDialogs> dialogs_;
    std::unique_ptr<PngPainter> painter_;

    CanvasView* canvasView_ = nullptr;
    ListBox* categoryList_ = nullptr;
    ListBox* itemList_ = nullptr;
    ListBox* variantList_ = nullptr;
    QLabel* creditLabel_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QMenu* viewMenu_ = nullptr;
    int zoom_ = 1;
    bool wide_ = true;
};

} // namespace brindo
