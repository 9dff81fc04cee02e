#pragma once

#include "app/list_box.h"
#include "app/outfit_state.h"
#include "app/picture_box.h"
#include "app/user_dialogs.h"
#include "catalogue/folder_listing.h"
#include "render/png_picture.h"

#include <QLabel>
#include <QMainWindow>
#include <functional>
#include <memory>

class QAction;
class QMenu;

namespace brindo {

// The program's one window. Handlers read their controls, call the rules of the
// catalogue, render and document code, and apply the result; every handler is
// a boundary that no error passes.
// NOLINTBEGIN(readability-identifier-naming)
class Form1 : public QMainWindow {
    Q_OBJECT

public:
    // Outer widths of the window, frame included, in twips.
    static constexpr int kWideWidthTwips = 8085;
    static constexpr int kNarrowWidthTwips = 5970;
    static constexpr int kFrameTwips = 90;
    static constexpr int kClientHeightTwips = 3180;

    explicit Form1(const QString& nativeInstallFolder,
                   std::unique_ptr<UserDialogs> dialogs = std::make_unique<DesktopDialogs>());
    ~Form1() override;

    // Start-up: shows the window, sizes the canvas to the base figure, lines
    // up the lists, draws the default outfit and lists the categories.
    void Form_Load();

    const OutfitState& state() const { return state_; }
    const QString& installFolder() const { return installFolder_; }
    const QImage& picture() const { return Picture1->canvas().image(); }
    const FolderList& file1() const { return File1; }
    ListBox* list1() const { return List1; }
    ListBox* list2() const { return List2; }
    ListBox* list3() const { return List3; }
    PictureBox* picture1() const { return Picture1; }
    QMenu* fileMenu() const { return bestand; }
    QAction* action(const QString& objectName) const;

    // Twips to pixels, 15 twips to a pixel.
    static int pixels(double twips);

    void List1_Click();
    void List2_Click();
    void List3_Click();
    void nieuw_Click();
    void open_Click();
    void save_Click();
    void saveas_Click();
    void image_Click();
    void emd_Click();

    // Opens a document as Open does once its dialog has given the name; for
    // a document named on the command line.
    void openDocument(const QString& nativeFile);

private:
    void buildControls();
    void buildMenu();
    void setOuterWidthTwips(int twips);
    // Runs a handler; whatever escapes it is told to the user, once.
    void guarded(const QString& action, const std::function<void()>& handler);
    void tellProblem(const QString& message);

    // Redraw sequences used after picks and document commands.
    void redrawAndRefresh();
    void fullRedraw();
    void readDocument(const QString& nativeFile);
    void slotRedraw();
    void drawOutfit();

    QString installFolder_; // stored form
    OutfitState state_;
    std::unique_ptr<UserDialogs> dialogs_;
    std::unique_ptr<PNGPicture> PNG;
    FolderList File1{FolderList::Kind::Files};
    FolderList Dir1{FolderList::Kind::Subfolders};

    PictureBox* Picture1 = nullptr;
    ListBox* List1 = nullptr;
    ListBox* List2 = nullptr;
    ListBox* List3 = nullptr;
    QLabel* Label1 = nullptr;
    QMenu* bestand = nullptr;
};
// NOLINTEND(readability-identifier-naming)

} // namespace brindo
