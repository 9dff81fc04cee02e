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
inline constexpr int kImagesMissing = 2; // drawn, but some images were missing
inline constexpr int kUsage = 64;        // the command line itself is wrong (BSD sysexits)

// The worse of two exit statuses: a usage error, then a failure, then
// missing images, then success.
int worseStatus(int first, int second);

// An image path from a library or document: the native path where it has
// one here, else as stored (a path from another system).
QString shownImage(const QString& storedPath);

// Prints "brindo-cli <command>: <message>" on stderr.
void printError(const QString& command, const QString& message);
void printOut(const QString& text);
// Writes bytes to stdout in full; false when it could not (a closed pipe,
// a full disk).
bool writeOut(const QByteArray& bytes);

// The arguments of one command, with its own --help.
class CommandParser {
public:
    // `synopsis` follows the command's name in the usage line, e.g.
    // "DOCUMENT -o OUT [--library DIR]"; `about` is the help's description.
    CommandParser(QString command, QString synopsis, QString about);

    void addOption(const QCommandLineOption& option);
    // A required positional argument; with `repeated`, one or more of them.
    void addArgument(const QString& name, bool repeated = false);

    // Parses the arguments that follow the command's name and finds the
    // library: --library DIR when given, else the folder that holds the
    // program, in its stored form. Answers an exit status when the command
    // should end at once: after --help (0), after a usage error (64), or
    // after a library folder that does not exist (1), which are printed.
    std::optional<int> parse(const QStringList& arguments, QString& libraryFolder);

    // Prints a usage error with a pointer to --help; answers kUsage.
    int usageError(const QString& message) const;

    bool isSet(const QCommandLineOption& option) const { return parser_.isSet(option); }
    QString value(const QCommandLineOption& option) const { return parser_.value(option); }
    QStringList values(const QCommandLineOption& option) const { return parser_.values(option); }
    QStringList positional() const { return parser_.positionalArguments(); }
    const QString& command() const { return command_; }

private:
    QString helpText() const;

    QString command_;
    QString synopsis_;
    QString about_;
    QStringList arguments_;
    bool lastRepeated_ = false;
    QList<QCommandLineOption> options_;
    QCommandLineParser parser_;
};

int runRender(const QStringList& arguments);
int runCompose(const QStringList& arguments);
int runCheck(const QStringList& arguments);
int runList(const QStringList& arguments);
int runCredits(const QStringList& arguments);

} // namespace brindo::cli
