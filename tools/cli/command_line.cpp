#include "command_line.h"

#include "catalogue/stored_path.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <utility>

namespace brindo::cli {

namespace {

const QCommandLineOption& helpOption() {
    static const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                         QStringLiteral("Show this help."));
    return help;
}

// Every command reads a library.
const QCommandLineOption& libraryOption() {
    static const QCommandLineOption library(
        QStringLiteral("library"),
        QStringLiteral("The picture library (default: the folder of brindo-cli)."),
        QStringLiteral("DIR"));
    return library;
}

QString optionSyntax(const QCommandLineOption& option) {
    QStringList names;
    for (const QString& name : option.names()) {
        names.append((name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name);
    }
    QString syntax = names.join(QLatin1String(", "));
    if (!option.valueName().isEmpty()) {
        syntax += u' ' + option.valueName();
    }
    return syntax;
}

} // namespace

void printError(const QString& command, const QString& message) {
    const QString prefix =
        command.isEmpty() ? QStringLiteral("brindo-cli") : QStringLiteral("brindo-cli ") + command;
    std::fprintf(stderr, "%s: %s\n", qPrintable(prefix), qPrintable(message));
}

void printOut(const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stdout);
}

CommandParser::CommandParser(QString command, QString synopsis, QString about)
    : command_(std::move(command)), synopsis_(std::move(synopsis)), about_(std::move(about)) {
    parser_.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    addOption(helpOption());
    addOption(libraryOption());
}

void CommandParser::addOption(const QCommandLineOption& option) {
    options_.append(option);
    parser_.addOption(option);
}

void CommandParser::addArgument(const QString& name) {
    arguments_.append(name);
}

std::optional<int> CommandParser::parse(const QStringList& arguments, QString& libraryFolder) {
    const auto usageError = [this](const QString& message) {
        printError(command_,
                   message + QStringLiteral(" (see \"brindo-cli %1 --help\")").arg(command_));
        return kFailure;
    };
    if (!parser_.parse(QStringList{command_} + arguments)) {
        return usageError(parser_.errorText());
    }
    if (parser_.isSet(helpOption())) {
        printOut(helpText());
        return kSuccess;
    }
    const QStringList given = parser_.positionalArguments();
    if (given.size() < arguments_.size()) {
        return usageError(QStringLiteral("%1 is missing").arg(arguments_.at(given.size())));
    }
    if (given.size() > arguments_.size()) {
        return usageError(
            QStringLiteral("unexpected argument \"%1\"").arg(given.at(arguments_.size())));
    }
    const bool named = parser_.isSet(libraryOption());
    const QString folder = QDir::cleanPath(
        QFileInfo(named ? parser_.value(libraryOption()) : QCoreApplication::applicationDirPath())
            .absoluteFilePath());
    if (!QFileInfo(folder).isDir()) {
        printError(command_, QStringLiteral("the library folder \"%1\" does not exist")
                                 .arg(QDir::toNativeSeparators(folder)));
        return kFailure;
    }
    libraryFolder = storedFromNative(folder);
    return std::nullopt;
}

QString CommandParser::helpText() const {
    QString text = QStringLiteral("Usage: brindo-cli %1 %2\n\n%3\n\nOptions:\n")
                       .arg(command_, synopsis_, about_);
    qsizetype width = 0;
    for (const QCommandLineOption& option : options_) {
        width = std::max(width, optionSyntax(option).size());
    }
    for (const QCommandLineOption& option : options_) {
        text += QStringLiteral("  %1  %2\n")
                    .arg(optionSyntax(option).leftJustified(width), option.description());
    }
    return text;
}

} // namespace brindo::cli
