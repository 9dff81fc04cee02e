#include "app/main_window.h"

#include <QApplication>
#include <QFileInfo>
#include <cstdio>
#include <cstring>

namespace {

// Answered before the window system is reached, so that it works without a display.
bool printedHelp(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-h") == 0 || std::strcmp(argv[i], "--help") == 0) {
            std::fputs("Usage: brindo [DOCUMENT.BRD]\n"
                       "Dresses up a character picture; opens the outfit document DOCUMENT\n"
                       "when one is given.\n",
                       stdout);
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    if (printedHelp(argc, argv)) {
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brindo Creator"));
    QApplication::setDesktopFileName(QStringLiteral("brindo"));

    brindo::MainWindow window(QCoreApplication::applicationDirPath());
    window.start();
    // Qt has taken its own options out of the arguments by now.
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1) {
        window.openDocument(QFileInfo(arguments.at(1)).absoluteFilePath());
    }
    return QApplication::exec();
}
