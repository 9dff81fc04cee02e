#include "command_line.h"

#include "catalogue/stored_path.h"
#include "files/message_text.h"

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

int worseStatus(int first, int second) {
    const auto rank = [](int status) {
        switch (status) {
        case kSuccess:
            return 0;
        case kImagesMissing:
            return 1;
        case kFailure:
            return 2;
        default:
            return 3;
        }
    };
    return rank(second) > rank(first) ? second : first;
}

QString shownImage(const QString& storedPath) {
    const QString native = nativePath(storedPath);
    return fitForMessage(native.isEmpty() ? storedPath : native);
}

void printError(const QString& command, const QString& message) {
    const QString prefix =
        command.isEmpty() ? QStringLiteral("brindo-cli") : QStringLiteral("brindo-cli ") + command;
    std::fprintf(stderr, "%s: %s\n", qPrintable(prefix), qPrintable(message));
}

void printOut(const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stdout);
}

bool writeOut(const QByteArray& bytes) {
    return std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout) ==
               static_cast<std::size_t>(bytes.size()) &&
           std::fflush(stdout) == 0;
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

void CommandParser::addArgument(const QString& name, bool repeated) {
    arguments_.append(name);
    lastRepeated_ = repeated;
}

int CommandParser::usageError(const QString& message) const {
    printError(command_, message + QStringLiteral(" (see \"brindo-cli %1 --help\")").arg(command_));
    return kUsage;
}

std::optional<int> CommandParser::parse(const QStringList& arguments, QString& libraryFolder) {
    if (!parser_.parse(QStringList{command_} + arguments)) {
        return usageError(fitForMessage(parser_.errorText()));
    }
    if (parser_.isSet(helpOption())) {
        printOut(helpText());
        return kSuccess;
    }
    const QStringList given = parser_.positionalArguments();
    if (given.size() < arguments_.size()) {
        return usageError(QStringLiteral("%1 is missing").arg(arguments_.at(given.size())));
    }
    if (given.size() > arguments_.size() && !lastRepeated_) {
        return usageError(QStringLiteral("unexpected argument \"%1\"")
                              .arg(fitForMessage(given.at(arguments_.size()))));
    }
    const bool named = parser_.isSet(libraryOption());
    const QString folder = QDir::cleanPath(
        QFileInfo(named ? parser_.value(libraryOption()) : QCoreApplication::applicationDirPath())
            .absoluteFilePath());
    if (!QFileInfo(folder).isDir()) {
        printError(
            command_,
            QStringLiteral("the library folder \"%1\" does not exist").arg(fitForMessage(folder)));
        return kFailure;
    }
    if (!canStoreName(folder)) {
        printError(command_, QStringLiteral("the name of the library folder \"%1\" holds the "
                                            "character \"%2\", which outfit documents cannot "
                                            "store in a path; rename the folder without it")
                                 .arg(fitForMessage(folder), kStoredSeparator));
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
