// Draws the main window offscreen at zoom 2 with its previews, dressed with a
// few picks from the library, and saves it as a PNG for the README.
#include "app/main_window.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDeadlineTimer>
#include <QPixmap>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

namespace {

// No one is there to answer: any problem ends the run instead.
class NoDialogs : public brindo::UserDialogs {
public:
    std::optional<QString> askOpenFile(QWidget* /*parent*/,
                                       const brindo::FileDialogSettings& /*settings*/) override {
        return std::nullopt;
    }
    std::optional<QString> askSaveFile(QWidget* /*parent*/,
                                       const brindo::FileDialogSettings& /*settings*/) override {
        return std::nullopt;
    }
    void tellProblem(QWidget* /*parent*/, const QString& message) override {
        std::fprintf(stderr, "screenshot: %s\n", qPrintable(message));
        std::exit(1);
    }
    void tellNote(QWidget* parent, const QString& message) override {
        tellProblem(parent, message);
    }
};

// Selects the row that stands for this name, as a click on it would.
bool pick(brindo::ListBox* list, const QString& name) {
    const int row = list->rowOf(name);
    if (row < 0) {
        std::fprintf(stderr, "screenshot: no row \"%s\"\n", qPrintable(name));
        return false;
    }
    list->setCurrentRow(row);
    return true;
}

// Lets the previews be made and shown, for ten seconds at most.
bool previewsReady(const brindo::MainWindow& form) {
    QDeadlineTimer deadline(10000);
    while (form.previews()->outstanding() > 0 && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return form.previews()->outstanding() == 0;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Saves a picture of the Brindo Creator window."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("library"), QStringLiteral("the program's folder"));
    parser.addPositionalArgument(QStringLiteral("output"), QStringLiteral("PNG file to write"));
    parser.process(app);
    const QStringList arguments = parser.positionalArguments();
    if (arguments.size() != 2) {
        parser.showHelp(2);
    }

    // Whatever the window remembers stays out of the user's own settings.
    const QTemporaryDir settings;
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());

    brindo::MainWindow form(arguments.at(0), std::make_unique<NoDialogs>());
    form.start();
    form.setZoom(2);
    form.setPreviewsShown(true);
    const bool dressed = pick(form.categoryList(), QStringLiteral("Backgrounds")) &&
                         pick(form.itemList(), QStringLiteral("02")) &&
                         pick(form.categoryList(), QStringLiteral("Tops")) &&
                         pick(form.itemList(), QStringLiteral("03")) &&
                         pick(form.categoryList(), QStringLiteral("Hair")) &&
                         pick(form.itemList(), QStringLiteral("Long")) &&
                         pick(form.variantList(), QStringLiteral("07"));
    if (dressed && !previewsReady(form)) {
        std::fprintf(stderr, "screenshot: the previews took too long\n");
        return 1;
    }
    if (!dressed || !form.grab().save(arguments.at(1), "png")) {
        std::fprintf(stderr, "screenshot: could not make the picture\n");
        return 1;
    }
    return 0;
}
