// brindo-cli: renders outfits, checks and lists picture libraries, without a
// window.

#include "command_line.h"

#include <QCoreApplication>
#include <array>
#include <exception>

namespace {

using brindo::cli::kFailure;
using brindo::cli::kSuccess;

struct Command {
    const char* name;
    const char* summary;
    int (*run)(const QStringList& arguments);
};

constexpr std::array<Command, 3> kCommands{{
    {"render", "draw an outfit document as a BMP or PNG picture", brindo::cli::runRender},
    {"check", "check a picture library against the layout the program relies on",
     brindo::cli::runCheck},
    {"list", "list the categories, items and variants as the program shows them",
     brindo::cli::runList},
}};

QString usage() {
    QString text = QStringLiteral(
        "Usage: brindo-cli COMMAND [options]\n\n"
        "Works with Brindo Creator outfits and picture libraries, without a window.\n\n"
        "Commands:\n");
    for (const Command& command : kCommands) {
        text += QStringLiteral("  %1  %2\n")
                    .arg(QString::fromLatin1(command.name).leftJustified(6),
                         QString::fromLatin1(command.summary));
    }
    text += QStringLiteral("\nRun \"brindo-cli COMMAND --help\" for the options of a command.\n");
    return text;
}

int dispatch(const QStringList& arguments) {
    if (arguments.isEmpty()) {
        std::fputs(qPrintable(usage()), stderr);
        return kFailure;
    }
    const QString& name = arguments.constFirst();
    if (name == u"--help" || name == u"-h" || name == u"help") {
        brindo::cli::printOut(usage());
        return kSuccess;
    }
    for (const Command& command : kCommands) {
        if (name == QLatin1String(command.name)) {
            return command.run(arguments.mid(1));
        }
    }
    brindo::cli::printError(QString(), QStringLiteral("unknown command \"%1\" (see \"brindo-cli "
                                                      "--help\")")
                                           .arg(name));
    return kFailure;
}

} // namespace

int main(int argc, char* argv[]) {
    const QCoreApplication application(argc, argv);
    try {
        return dispatch(QCoreApplication::arguments().mid(1));
    } catch (const std::exception& error) {
        brindo::cli::printError(QString(), QString::fromLocal8Bit(error.what()));
    } catch (...) {
        brindo::cli::printError(QString(), QStringLiteral("an unexpected error stopped it"));
    }
    return kFailure;
}
