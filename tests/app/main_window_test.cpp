#include "support/window_test.h"

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QMenu>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <functional>
#include <list>

namespace brindo {
namespace {

using test::clickRow;

QColor hairColour(int number) {
    return {10, 10 * number, 50};
}

// Clicks the empty space below the last row.
void clickBelowRows(ListBox* list) {
    const QRect last = list->visualItemRect(list->item(list->count() - 1));
    ASSERT_LT(last.bottom() + 10, list->viewport()->height());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(5, last.bottom() + 10));
}

// The list as the user reaches it with Tab: focused, with no row selected yet.
void pressDownInFocus(ListBox* list) {
    list->setFocus(Qt::TabFocusReason);
    QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(list, &focusIn);
    QTest::keyClick(list, Qt::Key_Down);
}

// The menu's items, "-" for a separator, each with its first key where asked.
QString captions(const QMenu* menu, bool keys) {
    QStringList items;
    for (const QAction* action : menu->actions()) {
        items.append((action->isSeparator() ? "-" : action->text()) +
                     (keys ? ' ' + action->shortcut().toString() : QString()));
    }
    return items.join('|');
}

using StartupTest = test::WindowTest;

TEST_F(StartupTest, WindowDefaultOutfitAndListsFollowTheBaseFigure) {
    const int width = 120; // the classic 110 is tested with the zoom
    library.addFixedFiles(width, 212);
    library.addImage("wm.png", QColor(255, 255, 255, 128), width, 212);
    for (const char* folder : {"tops", "Hair", "Shoes and more", ".hidden"}) {
        library.addFolder(folder);
    }
    library.addFile("notes.txt");
    openWindow();
    MainWindow& form = *this->form;

    EXPECT_EQ(form.picture().size(), QSize(width, 212));
    EXPECT_EQ(form.categoryList()->geometry(), QRect(width, 0, 141, 212));
    EXPECT_EQ(form.itemList()->geometry(), QRect(width + 141, 0, 141, 212));
    EXPECT_EQ(form.variantList()->geometry(), QRect(width + 282, 0, 141, 212));
    EXPECT_EQ(form.centralWidget()->size(), QSize(533, 212));
    EXPECT_EQ(form.minimumSize().width(), 533) << "the window is never smaller";
    EXPECT_EQ(form.zoom(), 1) << "twice 212 pixels is more than half the offscreen screen";
    EXPECT_EQ(form.windowTitle(), "Brindo Creator");
    EXPECT_TRUE(form.itemList()->isHidden() && form.variantList()->isHidden());
    EXPECT_EQ(form.categoryList()->rows(),
              (QStringList{"Bottoms", "Hair", "Shoes and more", "tops"}));

    Outfit expected;
    expected.bottom.switchOn(library.stored("Bottoms/00.png"));
    EXPECT_EQ(form.outfit(), expected);
    // The half-white watermark lies twice over the bottoms: start-up draws it once more.
    const auto underHalfWhite = [](int channel) { return (channel + 255 + 1) / 2; };
    EXPECT_NEAR(qRed(form.picture().pixel(0, 0)), underHalfWhite(underHalfWhite(20)), 2);
    EXPECT_TRUE(dialogs.messages.isEmpty());

    // Also where the desktop names no key for Save as.
    EXPECT_EQ(captions(form.fileMenu(), true),
              "&New Ctrl+N|- |&Open... Ctrl+O|Open &Recent |&Save Ctrl+S|"
              "Save &as... Ctrl+Shift+S|&Export as Image... Ctrl+E|"
              "&Transparent Background in PNG |- |&Quit Ctrl+Q");
    EXPECT_EQ(form.fileMenu()->title(), "&File") << "Alt+F opens it";
    EXPECT_EQ(captions(form.editMenu(), false),
              "&Undo|&Redo|-|&Copy Picture|-|&Random Outfit|Random Outfits May Be Rea&dy-made");
    form.action("quit")->trigger();
    EXPECT_FALSE(form.isVisible()) << "Quit ends the program without asking";
}

// A library without its base figure, or in a folder named with "\", is told once, plainly.
TEST_F(StartupTest, LibraryProblemsAreToldOnceAndTheWindowStillOpens) {
    for (const bool misnamed : {false, true}) {
        test::TempLibrary library(misnamed ? "Brindo\\Copy" : "install");
        if (misnamed) {
            library.addFixedFiles();
        }
        library.addFolder("Tops");
        test::FakeDialogs::Shared dialogs;
        MainWindow form(library.root(), std::make_unique<test::FakeDialogs>(dialogs));
        form.start();
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(form.categoryList()->count(), misnamed ? 0 : 1);
        ASSERT_EQ(dialogs.messages.size(), 1);
        const QString& told = dialogs.messages.at(0);
        EXPECT_TRUE(told.contains(library.root())) << told.toStdString();
        EXPECT_EQ(told.contains("holds the character \"\\\""), misnamed) << told.toStdString();
        EXPECT_EQ(told.contains("10195.png"), !misnamed) << told.toStdString();
    }
}

// An X server with a window manager and settings of its own; its programs end with it.
class RealScreen {
public:
    explicit RealScreen(const QString& size) {
        QProcess& server = start(
            tool("Xvfb"), {"-displayfd", "1", "-screen", "0", size + "x24", "-nolisten", "tcp"});
        QByteArray said;
        for (const QDeadlineTimer ready(10000);
             !said.contains('\n') &&
             server.waitForReadyRead(static_cast<int>(ready.remainingTime()));) {
            said += server.readAllStandardOutput();
        }
        environment_.insert("DISPLAY", ":" + QString::fromLatin1(said.trimmed()));
        environment_.insert("QT_QPA_PLATFORM", "xcb");
        environment_.insert("XDG_CONFIG_HOME", settings_.path());
        ready_ = said.contains('\n') && start(tool("openbox"), {}).waitForStarted(10000);
        QThread::msleep(500); // for the window manager to take the screen
    }
    ~RealScreen() {
        for (QProcess& process : processes_) { // the last started first
            process.kill();
            process.waitForFinished();
        }
    }
    RealScreen(const RealScreen&) = delete;
    RealScreen& operator=(const RealScreen&) = delete;

    static QString tool(const char* name) {
        return QStandardPaths::findExecutable(QString::fromLatin1(name));
    }
    bool ready() const { return ready_; }
    QProcess& start(const QString& program, const QStringList& arguments) {
        QProcess& process = processes_.emplace_front();
        process.setProcessEnvironment(environment_);
        process.start(program, arguments);
        return process;
    }
    // Runs a program on the screen to its end; answers what it wrote.
    QByteArray run(const char* program, const QStringList& arguments) {
        QProcess process;
        process.setProcessEnvironment(environment_);
        process.start(tool(program), arguments);
        process.waitForFinished(10000);
        return process.readAllStandardOutput();
    }
    // Starts a copy of the program in the folder; its windows' geometry once `shown` holds.
    QList<QRect> startProgram(const test::TempLibrary& folder,
                              const std::function<bool(const QList<QRect>&)>& shown) {
        const QString program = folder.native("brindo");
        EXPECT_TRUE(QFile::copy(BRINDO_PROGRAM, program) && start(program, {}).waitForStarted());
        static const QRegularExpression kGeometry(
            "Position: (\\d+),(\\d+).*\\n.*Geometry: (\\d+)x(\\d+)");
        QList<QRect> windows;
        for (const QDeadlineTimer deadline(30000); !shown(windows) && !deadline.hasExpired();) {
            QThread::msleep(200);
            windows.clear();
            for (auto it = kGeometry.globalMatch(QString::fromLocal8Bit(
                     run("xdotool", {"search", "--onlyvisible", "--name", "^Brindo Creator$",
                                     "getwindowgeometry", "%@"})));
                 it.hasNext();) {
                const auto match = it.next();
                windows.append(QRect(match.captured(1).toInt(), match.captured(2).toInt(),
                                     match.captured(3).toInt(), match.captured(4).toInt()));
            }
            windows.removeIf([](const QRect& window) { return window.width() <= 1; });
        }
        return windows;
    }

private:
    QProcessEnvironment environment_ = QProcessEnvironment::systemEnvironment();
    QTemporaryDir settings_;
    std::list<QProcess> processes_;
    bool ready_ = false;
};

class RealScreenTest : public testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"Xvfb", "openbox", "xdotool", "import"}) {
            if (RealScreen::tool(name).isEmpty()) {
                GTEST_SKIP() << "needs " << name;
            }
        }
    }
};

// A message at start-up opens centred over the main window, not in the corner of the screen.
TEST_F(RealScreenTest, MessagesAtStartUpOpenCentredOverTheWindow) {
    RealScreen screen("1280x1024");
    ASSERT_TRUE(screen.ready());
    // Without a library the program tells the base figure is missing, maybe before it is placed.
    const auto centred = [](QList<QRect> windows) {
        std::sort(windows.begin(), windows.end(),
                  [](const QRect& a, const QRect& b) { return a.height() > b.height(); });
        return windows.size() == 2 &&
               (windows.at(1).center() - windows.at(0).center()).manhattanLength() < 80;
    };
    const test::TempLibrary empty;
    const QList<QRect> windows = screen.startProgram(empty, centred);
    ASSERT_EQ(windows.size(), 2) << "the window and its message";
    EXPECT_TRUE(centred(windows));
}

// The picture (one colour, at the client area's top left) and client area of a settled grab.
struct SeenWindow {
    QRect picture;
    QSize client;

    bool operator==(const SeenWindow&) const = default;
};

SeenWindow settledWindow(RealScreen& screen, QRgb pictureColour) {
    const QString window = QString::fromLatin1(
        screen.run("xdotool", {"search", "--onlyvisible", "--name", "^Brindo Creator$"}).trimmed());
    SeenWindow seen;
    const QDeadlineTimer deadline(15000);
    for (SeenWindow before;
         !(seen == before && !seen.picture.isEmpty()) && !deadline.hasExpired();) {
        before = seen;
        QThread::msleep(300);
        const QImage grab = QImage::fromData(screen.run("import", {"-window", window, "png:-"}));
        int top = 0;
        while (top < grab.height() && grab.pixel(0, top) != pictureColour) {
            ++top;
        }
        int bottom = top;
        while (bottom < grab.height() && grab.pixel(0, bottom) == pictureColour) {
            ++bottom;
        }
        int right = 0;
        while (top < grab.height() && right < grab.width() &&
               grab.pixel(right, top) == pictureColour) {
            ++right;
        }
        seen = {QRect(0, top, right, bottom - top), QSize(grab.width(), grab.height() - top)};
    }
    return seen;
}

// At 1920 x 1080 a first start enlarges; Actual Size gives the classic client area exactly.
TEST_F(RealScreenTest, AFirstStartOnALargeScreenEnlargesAndActualSizeIsClassic) {
    RealScreen screen("1920x1080");
    ASSERT_TRUE(screen.ready());
    test::TempLibrary library;
    library.addFixedFiles(110, 212); // the default bottoms cover the picture
    const QRgb bottoms = qRgb(20, 40, 160);
    ASSERT_EQ(
        screen.startProgram(library, [](const auto& windows) { return !windows.isEmpty(); }).size(),
        1);

    const SeenWindow first = settledWindow(screen, bottoms);
    const int zoom = first.picture.width() / 110;
    EXPECT_GE(zoom, 2) << "one step more would pass half the screen's height";
    EXPECT_EQ(first.picture.size(), QSize(110, 212) * zoom);
    EXPECT_EQ(first.client, QSize(533 + (zoom - 1) * 110, 212 * zoom));

    screen.run("xdotool", {"search", "--onlyvisible", "--name", "^Brindo Creator$",
                           "windowactivate", "--sync", "key", "ctrl+0"});
    const SeenWindow actual = settledWindow(screen, bottoms);
    EXPECT_EQ(actual.picture.size(), QSize(110, 212));
    EXPECT_EQ(actual.client, QSize(533, 212));
}

class ListClicksTest : public test::WindowTest {
protected:
    ListClicksTest() { addHairAndTops(); }
};

// Each click or key picks once and redraws once; the window is wide while variants show.
TEST_F(ListClicksTest, PicksRedrawOnceAndTheWindowWidensForVariants) {
    openAtActualSize();
    QSignalSpy refreshes(form->canvasView(), &CanvasView::refreshed);
    const auto width = [this] { return form->centralWidget()->width(); };

    clickRow(form->categoryList(), "Hair");
    EXPECT_EQ(form->itemList()->rows(), QStringList{"Long"});
    EXPECT_TRUE(form->itemList()->isVisible());
    EXPECT_EQ(width(), 392);
    EXPECT_EQ(refreshes.count(), 0) << "a category click does not redraw";
    clickRow(form->itemList(), "Long");
    EXPECT_EQ(refreshes.count(), 1);
    EXPECT_TRUE(form->variantList()->isVisible());
    EXPECT_EQ(width(), 533);
    clickRow(form->variantList(), "01");
    QTest::keyClick(form->variantList(), Qt::Key_Down);
    EXPECT_EQ(refreshes.count(), 3);
    EXPECT_EQ(form->picture().pixelColor(0, 0), hairColour(2));

    clickRow(form->categoryList(), "Tops");
    EXPECT_FALSE(form->variantList()->isVisible());
    EXPECT_EQ(width(), 392);
    clickRow(form->itemList(), "01");
    clickRow(form->itemList(), "01"); // a click on the selected row counts too
    EXPECT_EQ(refreshes.count(), 5);
    EXPECT_EQ(form->picture().pixelColor(1, 0), QColor(Qt::red));
    QTest::keyClick(form->itemList(), Qt::Key_Up); // to <none>
    EXPECT_EQ(refreshes.count(), 6);
    EXPECT_EQ(form->picture().pixelColor(1, 0), QColor(20, 40, 160)) << "the default bottoms";
    EXPECT_EQ(form->picture().pixelColor(0, 0), hairColour(2)) << "the chosen hair stays on";

    // A category removed meanwhile is told once and changes nothing.
    const Outfit before = form->outfit();
    ASSERT_TRUE(QDir(library.native("Hair")).removeRecursively());
    clickRow(form->categoryList(), "Hair");
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages.front().contains("Hair"));
    EXPECT_EQ(form->outfit(), before);
}

// Only left clicks on rows and keys pick; a variant dresses the item it was listed for.
TEST_F(ListClicksTest, OnlyLeftClicksOnRowsAndKeysPickAndVariantsFollowTheirItem) {
    openAtActualSize();
    QSignalSpy refreshes(form->canvasView(), &CanvasView::refreshed);
    pressDownInFocus(form->categoryList());
    EXPECT_EQ(form->categoryList()->selectedName(), "Bottoms") << "the first row";
    clickRow(form->categoryList(), "Tops");
    pressDownInFocus(form->itemList());
    EXPECT_EQ(form->itemList()->selectedName(), "<none>") << "the first row";

    for (const Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        clickRow(form->itemList(), "01", button);
        clickRow(form->categoryList(), "Hair", button);
    }
    EXPECT_EQ(form->itemList()->selectedName(), "<none>");
    EXPECT_EQ(form->categoryList()->selectedName(), "Tops");
    EXPECT_FALSE(form->outfit().tops.enabled);

    clickRow(form->categoryList(), "Hair");
    clickRow(form->itemList(), "Long");
    const auto redrawn = refreshes.count();
    clickBelowRows(form->itemList());
    clickBelowRows(form->categoryList());
    EXPECT_EQ(form->itemList()->selectedName(), "Long");
    EXPECT_EQ(form->categoryList()->selectedName(), "Hair");
    EXPECT_EQ(refreshes.count(), redrawn) << "a click beside the rows picks nothing";
    form->itemList()->clearSelection();
    clickRow(form->variantList(), "07");
    EXPECT_EQ(form->picture().pixelColor(0, 0), hairColour(7))
        << "the variant dresses the item it was listed for";
}

// Rows show the names library.ini gives and still pick their files.
TEST_F(ListClicksTest, RowsShowTheLibrarysNamesAndPickTheirFiles) {
    library.addImage("Tops/03.png", QColor(Qt::red), 2, 1);
    library.addFile("library.ini", "[Tops]\n01=Gr\xC3\xBCner Hoodie\nno equals sign\n"
                                   "03=Blue shirt\n[Hair\\Long]\n07=Chestnut\n");
    openAtActualSize();
    EXPECT_EQ(form->categoryList()->rows(), (QStringList{"Bottoms", "Hair", "Tops"}))
        << "library.ini is no category";
    clickRow(form->categoryList(), "Tops");
    EXPECT_EQ(form->itemList()->rows(), (QStringList{"<none>", "01", "02", "03"}));
    EXPECT_EQ(
        form->itemList()->shownRows(),
        (QStringList{"<none>", QString::fromUtf8("Gr\xC3\xBCner Hoodie"), "02", "Blue shirt"}));
    form->itemList()->setFocus();
    QTest::keyClicks(form->itemList(), "bl");
    EXPECT_EQ(form->itemList()->selectedName(), "03") << "type-ahead matches the shown name";
    EXPECT_EQ(form->outfit().tops.path(), library.stored("Tops/03.png"));

    clickRow(form->categoryList(), "Hair");
    clickRow(form->itemList(), "Long");
    EXPECT_EQ(form->variantList()->shownRows().mid(6, 2), (QStringList{"Chestnut", "08"}));
    clickRow(form->variantList(), "07");
    EXPECT_EQ(form->outfit().hair.path(), library.stored("Hair/Long/07.png"));
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

} // namespace
} // namespace brindo
