#include "app/main_window.h"

#include "catalogue/folder_listing.h"
#include "catalogue/library_layout.h"
#include "catalogue/stored_path.h"
#include "files/message_text.h"
#include "render/draw_outfit.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenuBar>
#include <QTimer>
#include <cmath>
#include <exception>

namespace brindo {

namespace {

struct TwipRect {
    int left;
    int top;
    int width;
    int height;
};

// Design positions of the controls, in twips. Start-up moves the lists beside
// the canvas once it knows the base figure's size.
constexpr TwipRect kCanvasRect{0, 0, 1650, 1650};
constexpr TwipRect kCategoryListRect{1650, 0, 2115, 3180};
constexpr TwipRect kItemListRect{3780, 0, 2085, 2595};
constexpr TwipRect kVariantListRect{1965, 3345, 6195, 2205};
constexpr TwipRect kCreditLabelRect{30, 1680, 1635, 1545};

// The desktop's keys for a command, then the usual ones it lacks (plain X11
// has no key for Save as, for instance, and only one of the two keys of Redo).
QList<QKeySequence> shortcutsFor(QKeySequence::StandardKey command, const char* usualKeys) {
    QList<QKeySequence> keys = QKeySequence::keyBindings(command);
    const QString usual = QString::fromLatin1(usualKeys != nullptr ? usualKeys : "");
    for (const QString& key : usual.split(u',', Qt::SkipEmptyParts)) {
        if (!keys.contains(QKeySequence(key))) {
            keys.append(QKeySequence(key));
        }
    }
    return keys;
}

} // namespace

MainWindow::MainWindow(const QString& nativeLibraryFolder, std::unique_ptr<UserDialogs> dialogs)
    : nativeLibraryFolder_(QDir(nativeLibraryFolder).absolutePath()),
      libraryFolder_(storedFromNative(nativeLibraryFolder_)), dialogs_(std::move(dialogs)) {
    setWindowTitle(QStringLiteral("Brindo Creator"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    buildControls();
    buildMenu();
    buildViewMenu();
    fitWindow();
}

MainWindow::~MainWindow() {
    rememberView();
}

int MainWindow::pixels(double twips) {
    constexpr double kTwipsPerPixel = 15.0;
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

void MainWindow::buildControls() {
    auto* client = new QWidget(this);
    setCentralWidget(client);
    const auto place = [](QWidget* widget, const TwipRect& rect) {
        widget->setGeometry(pixels(rect.left), pixels(rect.top), pixels(rect.width),
                            pixels(rect.height));
    };

    // Created first so that it lies behind the canvas.
    creditLabel_ =
        new QLabel(QStringLiteral("Brindo Creator\nDress the character: pick a category, an item "
                                  "and a variant."),
                   client);
    QFont creditFont(QStringLiteral("MS Sans Serif"));
    creditFont.setPointSizeF(9.75);
    creditFont.setBold(true);
    creditLabel_->setFont(creditFont);
    creditLabel_->setWordWrap(true);
    creditLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(creditLabel_, kCreditLabelRect);

    canvasView_ = new CanvasView(client);
    place(canvasView_, kCanvasRect);

    const auto makeList = [&](const char* name, const TwipRect& rect) {
        auto* list = new ListBox(client);
        list->setObjectName(QString::fromLatin1(name));
        place(list, rect);
        return list;
    };
    categoryList_ = makeList("categoryList", kCategoryListRect);
    itemList_ = makeList("itemList", kItemListRect);
    itemList_->hide();
    variantList_ = makeList("variantList", kVariantListRect);
    variantList_->hide();

    connect(categoryList_, &ListBox::clicked, this, &MainWindow::openSelectedCategory);
    connect(itemList_, &ListBox::clicked, this, &MainWindow::pickSelectedItem);
    connect(variantList_, &ListBox::clicked, this, &MainWindow::pickSelectedVariant);

    // Work for once the events at hand, the picture's paint among them, are done.
    const auto whenIdle = [this](void (MainWindow::*handler)()) {
        auto* timer = new QTimer(this);
        timer->setSingleShot(true);
        timer->setInterval(0);
        connect(timer, &QTimer::timeout, this, handler);
        return timer;
    };
    readAheadTimer_ = whenIdle(&MainWindow::readAhead);
    dropVanishedTimer_ = whenIdle(&MainWindow::dropVanishedLayers);
}

void MainWindow::buildMenu() {
    fileMenu_ = menuBar()->addMenu(tr("&File"));
    fileMenu_->setObjectName(QStringLiteral("fileMenu"));
    const MenuCommand documentCommands[] = {
        {"new", tr("&New"), QKeySequence::New, "Ctrl+N", &MainWindow::newOutfit},
        {nullptr, {}, QKeySequence::UnknownKey, nullptr, nullptr},
        {"open", tr("&Open..."), QKeySequence::Open, "Ctrl+O", &MainWindow::openOutfit},
        {"save", tr("&Save"), QKeySequence::Save, "Ctrl+S", &MainWindow::save},
        {"saveAs", tr("Save &as..."), QKeySequence::SaveAs, "Ctrl+Shift+S", &MainWindow::saveAs},
        {"exportImage", tr("&Export as Image..."), QKeySequence::UnknownKey, "Ctrl+E",
         &MainWindow::exportImage},
    };
    const MenuCommand lastCommands[] = {
        {nullptr, {}, QKeySequence::UnknownKey, nullptr, nullptr},
        {"quit", tr("&Quit"), QKeySequence::Quit, "Ctrl+Q", &MainWindow::quit},
    };
    addCommands(fileMenu_, documentCommands);
    addOption(fileMenu_, "transparentExport", tr("&Transparent Background in PNG"),
              WindowSettings().transparentExport(), &WindowSettings::setTransparentExport);
    addCommands(fileMenu_, lastCommands);
    buildRecentMenu(action(QStringLiteral("save")));
    buildEditMenu();
}

void MainWindow::addCommands(QMenu* menu, std::span<const MenuCommand> commands) {
    for (const MenuCommand& command : commands) {
        if (command.handler == nullptr) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(command.caption);
        action->setObjectName(QString::fromLatin1(command.name));
        action->setShortcuts(shortcutsFor(command.desktopKeys, command.usualKeys));
        connect(action, &QAction::triggered, this, command.handler);
    }
}

void MainWindow::addOption(QMenu* menu, const char* name, const QString& caption, bool checked,
                           void (WindowSettings::*remember)(bool)) {
    QAction* option = menu->addAction(caption);
    option->setObjectName(QString::fromLatin1(name));
    option->setCheckable(true);
    option->setChecked(checked);
    connect(option, &QAction::toggled, this,
            [remember](bool on) { (WindowSettings().*remember)(on); });
}

QAction* MainWindow::action(const QString& objectName) const {
    return menuBar()->findChild<QAction*>(objectName);
}

ClassicGeometry MainWindow::classicGeometry() {
    return {pixels(kWideWidthTwips - kFrameTwips), pixels(kNarrowWidthTwips - kFrameTwips),
            pixels(kClientHeightTwips),
            QSize(pixels(kCategoryListRect.width), pixels(kCategoryListRect.height))};
}

void MainWindow::start() {
    guarded(tr("Starting"), [this] {
        show();
        if (!canStoreName(nativeLibraryFolder_)) {
            // Its stored form names another folder: nothing of it can be read.
            tellProblem(tr("Brindo Creator cannot use its picture library: the name of the "
                           "folder that holds it, \"%1\", holds the character \"%2\", which "
                           "outfit documents cannot store in a path.\n\nRename the folder, or "
                           "move the program into one whose name has no \"%2\".")
                            .arg(fitForMessage(nativeLibraryFolder_), kStoredSeparator));
            return;
        }
        compositor_ =
            std::make_unique<LayerCompositor>(LayerCompositor::windowSettings(libraryFolder_));
        const Layer baseFigure = compositor_->picture(baseFigurePath(libraryFolder_));
        const LoadResult baseFigureResult = baseFigure->result;
        const QSize size = baseFigure->image.size();

        canvasView_->canvas().resize(size.width(), size.height());
        restoreView();

        outfit_.bottom.switchOn(defaultBottomsPath(libraryFolder_));
        redraw(Redraw::RepeatLastLayer);

        names_ = LibraryNames::read(libraryFolder_);
        if (const auto categories = listSubfolders(libraryFolder_)) {
            categoryList_->setRows(*categories);
        }
        startPreviews();
        if (baseFigureResult != LoadResult::Loaded) {
            tellProblem(tr("The base figure \"%1\" is missing or cannot be read, so there is "
                           "no character to dress.\n\nBrindo Creator looks for its picture "
                           "library in the folder that holds the program:\n%2")
                            .arg(QString(kBaseFigureFile), fitForMessage(nativeLibraryFolder_)));
        }
    });
}

void MainWindow::quit() {
    close();
    QCoreApplication::quit();
}

QList<FailedLoad> MainWindow::redraw(Redraw kind) {
    if (!compositor_) {
        return {};
    }
    const QStringList plan = drawPlan(outfit_, libraryLayout());
    const ComposeReport report =
        drawOutfit(plan, *compositor_, canvasView_->canvas(),
                   kind == Redraw::RepeatLastLayer ? LastLayer::Twice : LastLayer::Once);
    canvasView_->refresh();
    dropVanishedTimer_->start();
    watchPicture(plan);
    return failedLoads(plan, report);
}

void MainWindow::dropVanishedLayers() {
    try {
        if (compositor_) {
            compositor_->dropVanished();
        }
    } catch (...) {
        // Only memory is at stake: the next look at a kept file drops it anyway.
    }
}

void MainWindow::tellProblem(const QString& message) {
    dialogs_->tellProblem(this, message);
}

void MainWindow::guarded(const QString& action, const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        tellProblem(tr("%1 did not work: %2").arg(action, QString::fromLocal8Bit(error.what())));
    } catch (...) {
        tellProblem(tr("%1 did not work because of an unexpected error.").arg(action));
    }
}

} // namespace brindo
