#include "app/main_window.h"
#include "app/start_arguments.h"

#include <QApplication>
#include <QFileInfo>
#include <cstdio>

namespace {

using brindo::StartArguments;

QStringList argumentsOf(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    return arguments;
}

// Answers --help and --version; nothing for a command line that runs the window.
std::optional<int> answered(const StartArguments& start) {
    switch (start.action) {
    case StartArguments::Action::Help:
        std::fputs("Usage: brindo [--help] [--version] [DOCUMENT.BRD]\n"
                   "Dresses up a character picture; opens the outfit document DOCUMENT\n"
                   "when one is given (after \"--\" when its name starts with \"-\").\n",
                   stdout);
        return 0;
    case StartArguments::Action::Version:
        std::fputs("Brindo Creator " BRINDO_VERSION "\n", stdout);
        return 0;
    case StartArguments::Action::UsageError:
        std::fprintf(stderr, "brindo: %s (see \"brindo --help\")\n", qPrintable(start.problem));
        return brindo::kUsageErrorStatus;
    case StartArguments::Action::Run:
        break;
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char* argv[]) {
    // Help and version are answered before the window system is reached, so
    // that they work without a display.
    const StartArguments early = brindo::parseStartArguments(argumentsOf(argc, argv));
    if (early.action == StartArguments::Action::Help ||
        early.action == StartArguments::Action::Version) {
        return *answered(early);
    }
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Brindo"));
    QApplication::setApplicationName(QStringLiteral("Brindo Creator"));
    QApplication::setDesktopFileName(QStringLiteral("brindo"));
    // Qt has taken its own options (-platform, -style, ...) out by now.
    const StartArguments start = brindo::parseStartArguments(QCoreApplication::arguments().mid(1));
    if (const auto status = answered(start)) {
        return *status;
    }

    brindo::MainWindow window(QCoreApplication::applicationDirPath());
    window.start();
    if (!start.document.isEmpty()) {
        window.openDocument(QFileInfo(start.document).absoluteFilePath());
    }
    return QApplication::exec();
}
