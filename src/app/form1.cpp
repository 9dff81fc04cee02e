#include "app/form1.h"

#include "catalogue/library_layout.h"
#include "catalogue/stored_path.h"
#include "render/draw_outfit.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenuBar>
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

// Design positions of the controls, in twips.
constexpr TwipRect kPicture1{0, 0, 1650, 1650};
constexpr TwipRect kList1{1650, 0, 2115, 3180};
constexpr TwipRect kList2{3780, 0, 2085, 2595};
constexpr TwipRect kList3{1965, 3345, 6195, 2205};
constexpr TwipRect kLabel1{30, 1680, 1635, 1545};

// The desktop's keys for a command, or the common ones where the desktop names
// none (plain X11 has no key for Save as, for instance).
QList<QKeySequence> shortcutsFor(QKeySequence::StandardKey command, const char* usualKeys) {
    QList<QKeySequence> keys = QKeySequence::keyBindings(command);
    if (keys.isEmpty() && usualKeys != nullptr) {
        keys.append(QKeySequence(QString::fromLatin1(usualKeys)));
    }
    return keys;
}

} // namespace

Form1::Form1(const QString& nativeInstallFolder, std::unique_ptr<UserDialogs> dialogs)
    : installFolder_(storedFromNative(QDir(nativeInstallFolder).absolutePath())),
      dialogs_(std::move(dialogs)) {
    setWindowTitle(QStringLiteral("Brindo Creator"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    buildControls();
    buildMenu();
    setOuterWidthTwips(kWideWidthTwips);
}

Form1::~Form1() = default;

int Form1::pixels(double twips) {
    constexpr double kTwipsPerPixel = 15.0;
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

void Form1::buildControls() {
    auto* client = new QWidget(this);
    setCentralWidget(client);
    const auto place = [](QWidget* widget, const TwipRect& rect) {
        widget->setGeometry(pixels(rect.left), pixels(rect.top), pixels(rect.width),
                            pixels(rect.height));
    };

    // Created first so that it lies behind the canvas.
    Label1 =
        new QLabel(QStringLiteral("Brindo Creator\nDress the character: pick a category, an item "
                                  "and a variant."),
                   client);
    QFont creditFont(QStringLiteral("MS Sans Serif"));
    creditFont.setPointSizeF(9.75);
    creditFont.setBold(true);
    Label1->setFont(creditFont);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(Label1, kLabel1);

    Picture1 = new PictureBox(client);
    place(Picture1, kPicture1);

    List1 = new ListBox(client);
    List1->setObjectName(QStringLiteral("List1"));
    place(List1, kList1);
    List2 = new ListBox(client);
    List2->setObjectName(QStringLiteral("List2"));
    place(List2, kList2);
    List2->hide();
    List3 = new ListBox(client);
    List3->setObjectName(QStringLiteral("List3"));
    place(List3, kList3);
    List3->hide();

    connect(List1, &ListBox::clicked, this, &Form1::List1_Click);
    connect(List2, &ListBox::clicked, this, &Form1::List2_Click);
    connect(List3, &ListBox::clicked, this, &Form1::List3_Click);
}

void Form1::buildMenu() {
    bestand = menuBar()->addMenu(QStringLiteral("File"));
    bestand->setObjectName(QStringLiteral("bestand"));
    struct Item {
        const char* name;
        const char* caption;
        QKeySequence::StandardKey shortcut;
        const char* usualKeys;
        void (Form1::*handler)();
    };
    const Item items[] = {
        {"nieuw", "New", QKeySequence::New, "Ctrl+N", &Form1::nieuw_Click},
        {"bla", "-", QKeySequence::UnknownKey, nullptr, nullptr},
        {"open", "Open", QKeySequence::Open, "Ctrl+O", &Form1::open_Click},
        {"save", "Save", QKeySequence::Save, "Ctrl+S", &Form1::save_Click},
        {"saveas", "Save as", QKeySequence::SaveAs, "Ctrl+Shift+S", &Form1::saveas_Click},
        {"image", "Export as Image", QKeySequence::UnknownKey, nullptr, &Form1::image_Click},
        {"lotion", "-", QKeySequence::UnknownKey, nullptr, nullptr},
        {"emd", "Quit", QKeySequence::Quit, "Ctrl+Q", &Form1::emd_Click},
    };
    for (const Item& item : items) {
        QAction* action = item.handler == nullptr
                              ? bestand->addSeparator()
                              : bestand->addAction(QString::fromLatin1(item.caption));
        action->setObjectName(QString::fromLatin1(item.name));
        if (item.handler != nullptr) {
            action->setShortcuts(shortcutsFor(item.shortcut, item.usualKeys));
            connect(action, &QAction::triggered, this, item.handler);
        }
    }
}

QAction* Form1::action(const QString& objectName) const {
    return bestand->findChild<QAction*>(objectName);
}

void Form1::setOuterWidthTwips(int twips) {
    const int clientWidth = pixels(twips - kFrameTwips);
    const int clientHeight = pixels(kClientHeightTwips);
    setFixedSize(clientWidth, menuBar()->sizeHint().height() + clientHeight);
}

void Form1::Form_Load() {
    guarded(tr("Starting"), [this] {
        show();
        PNG = std::make_unique<PNGPicture>(installFolder_);
        const QString baseFigure = baseFigurePath(installFolder_);
        const int baseFigureResult = PNG->LoadFile(baseFigure);

        Picture1->setGeometry(0, 0, PNG->ImageWidth(), PNG->ImageHeight());
        Picture1->canvas().resize(PNG->ImageWidth(), PNG->ImageHeight());
        List1->move(Picture1->width(), 0);
        List2->setGeometry(List1->width() + List1->x(), 0, List1->width(), List1->height());
        List3->setGeometry(List2->width() + List2->x(), 0, List1->width(), List1->height());

        state_.Bottom.switchOn(defaultBottomsPath(installFolder_));
        drawOutfit();
        PNG->DrawTo(Picture1->canvas().hDC(), 0, 0);

        if (Dir1.setPath(installFolder_)) {
            List1->addItems(Dir1.names());
        }
        if (baseFigureResult != kLoaded) {
            tellProblem(tr("The base figure \"%1\" is missing or cannot be read, so there is "
                           "no character to dress.\n\nBrindo Creator looks for its picture "
                           "library in the folder that holds the program:\n%2")
                            .arg(QString(kBaseFigureFile),
                                 QDir::toNativeSeparators(nativePath(installFolder_))));
        }
    });
}

void Form1::emd_Click() {
    close();
    QCoreApplication::quit();
}

void Form1::drawOutfit() {
    if (PNG) {
        DrawOutfit(state_, installFolder_, *PNG, Picture1->canvas());
    }
}

void Form1::redrawAndRefresh() {
    drawOutfit();
    Picture1->Refresh();
}

void Form1::slotRedraw() {
    drawOutfit();
    if (PNG) {
        PNG->DrawTo(Picture1->canvas().hDC(), 0, 0);
    }
    Picture1->Refresh();
}

void Form1::fullRedraw() {
    drawOutfit();
    if (PNG) {
        PNG->DrawTo(Picture1->canvas().hDC(), 0, 0);
    }
    drawOutfit();
    Picture1->Refresh();
}

void Form1::tellProblem(const QString& message) {
    dialogs_->tellProblem(this, message);
}

void Form1::guarded(const QString& action, const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        tellProblem(tr("%1 did not work: %2").arg(action, QString::fromLocal8Bit(error.what())));
    } catch (...) {
        tellProblem(tr("%1 did not work because of an unexpected error.").arg(action));
    }
}

} // namespace brindo
