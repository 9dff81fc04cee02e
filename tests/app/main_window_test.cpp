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

TEST(StartupTest, WindowDefaultOutfitAndListsFollowTheBaseFigure) {
    const int width = 120; // the classic 110 is tested with the zoom
    test::TempLibrary library;
    library.addFixedFiles(width, 212);
    library.addImage("wm.png", QColor(255, 255, 255, 128), width, 212);
    for (const char* folder : {"tops", "Hair", "Shoes and more", ".hidden"}) {
        library.addFolder(folder);
    }
    library.addFile("notes.txt");
    test::FakeDialogs::Shared dialogs;
    MainWindow form(library.root(), std::make_unique<test::FakeDialogs>(dialogs));
    form.start();

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

// A library without its base figure, and one in a folder whose name holds the
// "\" that documents put between names: each is told once, plainly.
TEST(StartupTest, LibraryProblemsAreToldOnceAndTheWindowStillOpens) {
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

// An X server of its own at a screen size, which picks a free display, with
// a window manager; the programs started on it end with it. Whatever the
// programs remember goes to a settings folder of its own.
class RealScreen {
public:
    explicit RealScreen(const QString& size) {
        QProcess& server = start(
            tool("Xvfb"), {"-displayfd", "1", "-screen", "0", size + "x24", "-nolisten", "tcp"});
        QByteArray said;
        const QDeadlineTimer ready(10000);
        while (!said.contains('\n') && server.waitForReadyRead(ready.remainingTime())) {
            said += server.readAllStandardOutput();
        }
        environment.insert("DISPLAY", ":" + QString::fromLatin1(said.trimmed()));
        environment.insert("QT_QPA_PLATFORM", "xcb");
        environment.insert("XDG_CONFIG_HOME", settings_.path());
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

    // The tools it needs that this machine lacks; empty when it can run.
    static QStringList missingTools() {
        QStringList missing;
        for (const char* name : {"Xvfb", "openbox", "xdotool", "import"}) {
            if (tool(name).isEmpty()) {
                missing.append(name);
            }
        }
        return missing;
    }
    static QString tool(const char* name) {
        return QStandardPaths::findExecutable(QString::fromLatin1(name));
    }

    bool ready() const { return ready_; }
    QProcess& start(const QString& program, const QStringList& arguments) {
        QProcess& process = processes_.emplace_front();
        process.setProcessEnvironment(environment);
        process.start(program, arguments);
        return process;
    }
    // Runs a program on the screen to its end; answers what it wrote.
    QByteArray run(const char* program, const QStringList& arguments) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(tool(program), arguments);
        process.waitForFinished(10000);
        return process.readAllStandardOutput();
    }
    // The program's visible windows, by their X ids.
    QStringList windows() {
        return QString::fromLatin1(
                   run("xdotool", {"search", "--onlyvisible", "--name", "^Brindo Creator$"}))
            .split(u'\n', Qt::SkipEmptyParts);
    }

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();

private:
    QTemporaryDir settings_;
    std::list<QProcess> processes_;
    bool ready_ = false;
};

// Under a real X server with a window manager, a message at start-up opens
// centred over the main window, not in the corner of the screen.
TEST(StartupTest, MessagesAtStartUpOpenCentredOverTheWindow) {
    if (!RealScreen::missingTools().isEmpty()) {
        GTEST_SKIP() << "needs " << RealScreen::missingTools().join(", ").toStdString();
    }
    RealScreen screen("1280x1024");
    ASSERT_TRUE(screen.ready());
    // Without its library beside it the program tells that the base figure is missing.
    test::TempLibrary empty;
    const QString program = empty.native("brindo");
    ASSERT_TRUE(QFile::copy(BRINDO_PROGRAM, program));
    ASSERT_TRUE(screen.start(program, {}).waitForStarted(10000));

    // Both windows, once the message is placed (a loaded machine may map it
    // before the window manager has moved it).
    QList<QRect> windows;
    const auto centred = [&windows] {
        std::sort(windows.begin(), windows.end(),
                  [](const QRect& a, const QRect& b) { return a.height() > b.height(); });
        return windows.size() == 2 &&
               (windows.at(1).center() - windows.at(0).center()).manhattanLength() < 80;
    };
    const QRegularExpression geometry("Position: (\\d+),(\\d+).*\\n.*Geometry: (\\d+)x(\\d+)");
    for (const QDeadlineTimer shown(30000); !centred() && !shown.hasExpired();) {
        QThread::msleep(200);
        const QString out = QString::fromLocal8Bit(
            screen.run("xdotool", {"search", "--onlyvisible", "--name", "^Brindo Creator$",
                                   "getwindowgeometry", "%@"}));
        windows.clear();
        for (auto it = geometry.globalMatch(out); it.hasNext();) {
            const auto match = it.next();
            const QRect rect(match.captured(1).toInt(), match.captured(2).toInt(),
                             match.captured(3).toInt(), match.captured(4).toInt());
            if (rect.width() > 1) {
                windows.append(rect);
            }
        }
    }
    ASSERT_EQ(windows.size(), 2) << "the window and its message";
    EXPECT_TRUE(centred()) << "window at " << windows.at(0).x() << "," << windows.at(0).y()
                           << ", message at " << windows.at(1).x() << "," << windows.at(1).y();
}

// What a grab of the window shows: the picture (all of one colour, at the
// left edge of the client area, its top the client area's top) and the
// client area, from there down to the window's bottom edge.
struct SeenWindow {
    QRect picture;
    QSize client;

    bool operator==(const SeenWindow&) const = default;
};

SeenWindow seeWindow(RealScreen& screen, const QString& window, QRgb pictureColour) {
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
    while (top < grab.height() && right < grab.width() && grab.pixel(right, top) == pictureColour) {
        ++right;
    }
    return {QRect(0, top, right, bottom - top), QSize(grab.width(), grab.height() - top)};
}

// The window once two grabs in a row agree, as it is after the window
// manager has placed it.
SeenWindow settledWindow(RealScreen& screen, const QString& window, QRgb pictureColour) {
    SeenWindow seen;
    const QDeadlineTimer deadline(15000);
    for (SeenWindow before; !deadline.hasExpired(); before = seen) {
        QThread::msleep(300);
        seen = seeWindow(screen, window, pictureColour);
        if (seen == before && !seen.picture.isEmpty()) {
            break;
        }
    }
    return seen;
}

// On a real X server at 1920 x 1080, a first start shows the picture
// enlarged, and Actual Size gives the classic client area to the pixel.
TEST(StartupTest, AFirstStartOnALargeScreenEnlargesAndActualSizeIsClassic) {
    if (!RealScreen::missingTools().isEmpty()) {
        GTEST_SKIP() << "needs " << RealScreen::missingTools().join(", ").toStdString();
    }
    RealScreen screen("1920x1080");
    ASSERT_TRUE(screen.ready());
    test::TempLibrary library;
    library.addFixedFiles(110, 212); // the default bottoms cover the picture
    const QRgb bottoms = qRgb(20, 40, 160);
    ASSERT_TRUE(QFile::copy(BRINDO_PROGRAM, library.native("brindo")));
    ASSERT_TRUE(screen.start(library.native("brindo"), {}).waitForStarted(10000));
    QStringList windows;
    for (const QDeadlineTimer shown(30000); windows.isEmpty() && !shown.hasExpired();) {
        QThread::msleep(200);
        windows = screen.windows();
    }
    ASSERT_EQ(windows.size(), 1);

    const SeenWindow first = settledWindow(screen, windows.at(0), bottoms);
    const int zoom = first.picture.width() / 110;
    EXPECT_GE(zoom, 2) << "one step more would pass half the screen's height";
    EXPECT_EQ(first.picture.size(), QSize(110, 212) * zoom);
    EXPECT_EQ(first.client, QSize(533 + (zoom - 1) * 110, 212 * zoom));

    screen.run("xdotool", {"windowactivate", "--sync", windows.at(0), "key", "ctrl+0"});
    const SeenWindow actual = settledWindow(screen, windows.at(0), bottoms);
    EXPECT_EQ(actual.picture.size(), QSize(110, 212));
    EXPECT_EQ(actual.client, QSize(533, 212));
}

// A one-layer hair item, covering pixel (0, 0), and tops, showing at (1, 0).
class ListClicksTest : public test::WindowTest {
protected:
    ListClicksTest() {
        library.addFixedFiles(2, 1);
        for (int number = 0; number <= 20; ++number) { // a one-layer hair item has 21 images
            library.addImage(QStringLiteral("Hair/Long/%1.png").arg(number, 2, 10, QChar(u'0')),
                             hairColour(number), 1, 1);
        }
        library.addImage("Tops/01.png", QColor(Qt::red), 2, 1);
    }
    void start() {
        openWindow();
        form->actualSize(); // a picture this small starts enlarged
    }
};

// Each click or key picks once and redraws once; the window is wide while variants show.
TEST_F(ListClicksTest, PicksRedrawOnceAndTheWindowWidensForVariants) {
    start();
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

// Lists pick with the left button and the keyboard only, keep their selection
// when the space below the rows is clicked, and select the first row on the
// first Down; a variant always dresses the item it was listed for.
TEST_F(ListClicksTest, OnlyLeftClicksOnRowsAndKeysPickAndVariantsFollowTheirItem) {
    start();
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
    library.addImage("Tops/02.png", QColor(Qt::red), 2, 1);
    library.addImage("Tops/03.png", QColor(Qt::red), 2, 1);
    library.addFile("library.ini", "[Tops]\n01=Gr\xC3\xBCner Hoodie\nno equals sign\n"
                                   "03=Blue shirt\n[Hair\\Long]\n07=Chestnut\n");
    start();
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
