#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace brindo::cli {

// Exit statuses of every command.
inline constexpr int kSuccess = 0;
inline constexpr int kFailure = 1;
inline constexpr int kImagesMissing = 2; // render: drawn, but some images were missing

// Prints "brindo-cli <command>: <message>" on stderr.
void printError(const QString& command, const QString& message);
void printOut(const QString& text);

// The arguments of one command, with its own --help.
class CommandParser {
public:
    // `synopsis` follows the command's name in the usage line, e.g.
    // "DOCUMENT -o OUT [--library DIR]"; `about` is the help's description.
    CommandParser(QString command, QString synopsis, QString about);

    void addOption(const QCommandLineOption& option);
    // A required positional argument.
    void addArgument(const QString& name);

    // Parses the arguments that follow the command's name and finds the
    // library: --library DIR when given, else the folder that holds the
    // program, in its stored form. Answers an exit status when the command
    // should end at once: after --help (0), or after a usage error or a library
    // folder that does not exist, which is printed (1).
    std::optional<int> parse(const QStringList& arguments, QString& libraryFolder);

    bool isSet(const QCommandLineOption& option) const { return parser_.isSet(option); }
    QString value(const QCommandLineOption& option) const { return parser_.value(option); }
    QStringList positional() const { return parser_.positionalArguments(); }
    const QString& command() const { return command_; }

private:
    QString helpText() const;

    QString command_;
    QString synopsis_;
    QString about_;
    QStringList arguments_;
    QList<QCommandLineOption> options_;
    QCommandLineParser parser_;
};

int runRender(const QStringList& arguments);
int runCheck(const QStringList& arguments);
int runList(const QStringList& arguments);

} // namespace brindo::cli
