#pragma once

#include "app/canvas_view.h"
#include "app/library_watch.h"
#include "app/list_box.h"
#include "app/preview_provider.h"
#include "app/user_dialogs.h"
#include "app/window_settings.h"
#include "app/zoom_layout.h"
#include "catalogue/library_names.h"
#include "catalogue/open_category.h"
#include "files/file_identity.h"
#include "files/file_outcome.h"
#include "model/outfit.h"
#include "model/outfit_history.h"
#include "render/layer_compositor.h"
#include "render/outfit_render.h"

#include <QKeySequence>
#include <QLabel>
#include <QMainWindow>
#include <QRandomGenerator>
#include <functional>
#include <memory>
#include <optional>
#include <span>

class QAction;
class QMenu;
class QTimer;

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
    QMenu* editMenu() const { return editMenu_; }
    QMenu* recentMenu() const { return recentMenu_; }
    // Any menu command, by its object name ("open", "undo").
    QAction* action(const QString& objectName) const;
    // The context menu of a row of the category list.
    std::unique_ptr<QMenu> categoryMenu(const QString& category);
    // Random Outfit draws from this seed from now on, so that tests can
    // foresee it; by default every session has a seed of its own.
    void seedRandom(quint32 seed) { random_.seed(seed); }
    QMenu* viewMenu() const { return viewMenu_; }
    // The whole factor that the picture is shown enlarged by.
    int zoom() const { return zoom_; }

    // Twips to pixels, 15 twips to a pixel.
    static int pixels(double twips);

    // Opens a document, or a picture that carries an outfit, as Open does once
    // its dialog has given the name; for a file named on the command line.
    void openDocument(const QString& nativeFile);
    // Opens a file of the Open Recent menu; one that no longer exists is
    // taken off the menu, with a word.
    void openRecent(const QString& nativeFile);

    void openSelectedCategory();
    void pickSelectedItem();
    void pickSelectedVariant();
    void newOutfit();
    void openOutfit();
    void save();
    void saveAs();
    void exportImage();
    void quit();
    void undo();
    void redo();
    void copyPicture();
    void dressAtRandom();
    // Shows the picture at this whole factor, the window sized to fit it.
    void setZoom(int zoom);
    void zoomIn();
    void zoomOut();
    void actualSize();
    // Shows or hides the previews in the lists (View > Show Previews).
    void setPreviewsShown(bool shown);
    bool previewsShown() const { return previewsShown_; }
    // What makes the previews; none before start.
    PreviewProvider* previews() const { return previews_.get(); }

protected:
    // The picture takes the largest whole factor that fits the new size.
    void resizeEvent(QResizeEvent* event) override;

private:
    struct MenuCommand {
        const char* name; // the action's object name; nullptr for a separator
        QString caption;
        QKeySequence::StandardKey desktopKeys;
        const char* usualKeys; // besides the desktop's, comma-separated
        void (MainWindow::*handler)();
    };
    // What a file dialog answers: askOpenFile or askSaveFile.
    using FileQuestion = std::optional<QString> (UserDialogs::*)(QWidget*,
                                                                 const FileDialogSettings&);

    void buildControls();
    void buildMenu();
    void addCommands(QMenu* menu, std::span<const MenuCommand> commands);
    void buildEditMenu();
    // Open Recent, below Open.
    void buildRecentMenu(QAction* before);
    void fillRecentMenu();
    void rememberRecentFile(const QString& nativeFile);
    // A checkable menu entry that keeps its state in the settings.
    void addOption(QMenu* menu, const char* name, const QString& caption, bool checked,
                   void (WindowSettings::*remember)(bool));
    // Asks for a file in a dialog that starts in the folder used last for the
    // kind, and remembers the folder of the answer.
    std::optional<QString> askFile(FileQuestion question, FileKind kind,
                                   const QStringList& filters);
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
    // Starts the previews once the library is known, and shows the categories'.
    void startPreviews();
    // Asks for the previews of a list's rows, or takes them off when hidden.
    void showPreviews(ListBox* list, bool keepIcons = false);
    // A list was filled: its previews are asked for and its folders watched.
    void listFilled(ListBox* list);
    // Notes the images of the picture just drawn, to redraw it when one of
    // them changes on disk.
    void watchPicture(const QStringList& plan);
    // Watches the folders in view (the library, the open category, the item
    // of the variant list) and the picture's images, once the window is idle.
    void watchSoon();
    void watchInView();
    // Something in view changed on disk: the lists are read again keeping
    // their selections, previews of changed files are made again, and the
    // picture is redrawn when one of its images changed.
    void readLibraryAgain();
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
    // Reads ahead the files that the next rows of the lists would draw, from
    // the event loop once the click is done.
    void readAheadLater();
    void readAhead();
    void dropVanishedLayers();
    void readAheadNextRows();
    void readDocument(const QString& nativeFile);
    // Why the category cannot be opened, for the user.
    QString categoryProblemText(const QString& name) const;
    // Writes the outfit into the file; a failure is told and leaves the
    // document path as it was.
    void saveInto(const QString& nativeFile);
    void readPicture(const QString& nativeFile);
    // Tells, in a note that stops nothing, which images of the opened outfit
    // were left out; `keeper` names what keeps their paths.
    void noteImagesLeftOut(const QList<FailedLoad>& failedLoads, const QString& keeper);

    enum class Reveal {
        AtOnce,
        // Each layer drawn as it is switched on, as Open has always shown it.
        LayerByLayer,
    };
    enum class Record { Step, Nothing };
    // Every change of the whole outfit (New, Open, Random Outfit, undo and
    // redo) ends here: the outfit and its document path are replaced, the
    // lists are left consistent with it, the picture is redrawn, and the
    // change becomes one step of undo unless it is a step of undo itself.
    // Answers the images that could not be drawn.
    QList<FailedLoad> replaceOutfit(Outfit outfit, Reveal reveal = Reveal::AtOnce,
                                    Record record = Record::Step);
    void revealLayerByLayer();
    // Makes the change from `before` to the outfit now one step of undo.
    void recordStep(const Outfit& before);
    void updateHistoryActions();

    QString openCategoryName() const;
    // The library's layout for the open category, resolved again only when
    // the open category changes or forgetLayout is called (the library
    // changed on disk), not on every redraw.
    const LibraryLayout& libraryLayout();
    void forgetLayout() { layout_.reset(); }
    // The outfit on a clear canvas, with the layers' own transparency.
    RenderedOutfit transparentPicture() const;
    FileOutcome exportPng(const QString& nativeFile);
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
    std::unique_ptr<LayerCompositor> compositor_; // with the decoded layers it keeps
    std::optional<LibraryLayout> layout_;         // of layoutCategory_
    QString layoutCategory_;
    OutfitHistory history_;
    QRandomGenerator random_{QRandomGenerator::global()->generate()};

    CanvasView* canvasView_ = nullptr;
    ListBox* categoryList_ = nullptr;
    ListBox* itemList_ = nullptr;
    ListBox* variantList_ = nullptr;
    QLabel* creditLabel_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QMenu* editMenu_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    QTimer* readAheadTimer_ = nullptr;
    QTimer* dropVanishedTimer_ = nullptr; // after a redraw, once its picture is on screen
    QMenu* viewMenu_ = nullptr;
    int zoom_ = 1;
    bool wide_ = true;
    bool previewsShown_ = true;
    std::unique_ptr<PreviewProvider> previews_;
    LibraryWatch* libraryWatch_ = nullptr;
    bool watchPending_ = false;
    QStringList drawnImages_; // the plan of the picture shown
    // Its files as they were, by native path.
    QHash<QString, std::optional<FileIdentity>> drawnFiles_;
};

} // namespace brindo
