// brindo-cli: renders outfits, checks and lists picture libraries, without a
// window.

#include "command_line.h"

#include <QCoreApplication>
#include <array>
#include <exception>

namespace {

using brindo::cli::kFailure;
using brindo::cli::kSuccess;
using brindo::cli::kUsage;

struct Command {
    const char* name;
    const char* summary;
    int (*run)(const QStringList& arguments);
};

constexpr std::array<Command, 5> kCommands{{
    {"render", "draw outfit documents as BMP or PNG pictures, one or thousands at a time",
     brindo::cli::runRender},
    {"compose", "make an outfit document or picture from names, or at random",
     brindo::cli::runCompose},
    {"check", "check a picture library against the layout the program relies on",
     brindo::cli::runCheck},
    {"list", "list the categories, items and variants as the program shows them",
     brindo::cli::runList},
    {"credits", "print who made what the pictures of outfits show", brindo::cli::runCredits},
}};

QString usage() {
    QString text = QStringLiteral(
        "Usage: brindo-cli COMMAND [options]\n\n"
        "Works with Brindo Creator outfits and picture libraries, without a window.\n\n"
        "Commands:\n");
    for (const Command& command : kCommands) {
        text += QStringLiteral("  %1  %2\n")
                    .arg(QString::fromLatin1(command.name).leftJustified(7),
                         QString::fromLatin1(command.summary));
    }
    text += QStringLiteral(
        "\nRun \"brindo-cli COMMAND --help\" for the options of a command.\n"
        "\nExit status: 0 success, 1 failure, 2 a picture written without missing images,\n"
        "64 a usage error.\n");
    return text;
}

int dispatch(const QStringList& arguments) {
    if (arguments.isEmpty()) {
        std::fputs(qPrintable(usage()), stderr);
        return kUsage;
    }
    const QString& name = arguments.constFirst();
    if (name == u"--help" || name == u"-h" || name == u"help") {
        brindo::cli::printOut(usage());
        return kSuccess;
    }
    if (name == u"--version") {
        brindo::cli::printOut(QStringLiteral("brindo-cli " BRINDO_VERSION "\n"));
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
    return kUsage;
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
