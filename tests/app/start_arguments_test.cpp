#include "app/start_arguments.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace brindo {
namespace {

using Action = StartArguments::Action;

TEST(StartArgumentsTest, OneDocumentAndNoOptionTakenForADocument) {
    const std::pair<QStringList, Action> cases[] = {
        {{}, Action::Run},
        {{"look.BRD"}, Action::Run},
        {{"--help"}, Action::Help},
        {{"--bogus", "-h"}, Action::Help},
        {{"look.BRD", "--version"}, Action::Version},
        {{"--", "--version"}, Action::Run},
        {{"--version", "--"}, Action::Version},
        {{"--bogus"}, Action::UsageError},
        {{"-v"}, Action::UsageError},
        {{"look.BRD", "-x"}, Action::UsageError},
        {{"a.BRD", "b.BRD"}, Action::UsageError},
        {{"--", "a.BRD", "-b.BRD"}, Action::UsageError},
    };
    for (const auto& [arguments, action] : cases) {
        const StartArguments start = parseStartArguments(arguments);
        EXPECT_EQ(start.action, action) << arguments.join(' ').toStdString();
        EXPECT_EQ(start.problem.isEmpty(), action != Action::UsageError);
    }
    EXPECT_EQ(parseStartArguments({"look.BRD"}).document, "look.BRD");
    EXPECT_EQ(parseStartArguments({"--", "--version"}).document, "--version");
    EXPECT_EQ(parseStartArguments({"-"}).document, "-");
    EXPECT_EQ(parseStartArguments({"--versoin"}).problem, "unknown option \"--versoin\"");
    EXPECT_EQ(parseStartArguments({"a", "b\nc"}).problem,
              QString::fromUtf8("one document at most, not 2 (a and b␊c)"));
}

// The program itself: help and version on stdout, a command line it does not
// take on stderr with the usage status, and no window in either case.
TEST(StartArgumentsTest, TheProgramAnswersAndRefusesWithoutAWindow) {
    const auto run = [](const QStringList& arguments) {
        QProcess program;
        program.start(QStringLiteral(BRINDO_PROGRAM), arguments);
        const bool ended = program.waitForFinished(30000);
        if (!ended) {
            program.kill();
            program.waitForFinished();
        }
        return std::tuple{ended ? program.exitCode() : -1,
                          QString::fromLocal8Bit(program.readAllStandardOutput()),
                          QString::fromLocal8Bit(program.readAllStandardError())};
    };
    const auto [versionStatus, version, versionErrors] = run({"--version"});
    EXPECT_EQ(versionStatus, 0);
    EXPECT_TRUE(version.startsWith("Brindo Creator 1.")) << version.toStdString();
    const auto [helpStatus, help, helpErrors] = run({"--help"});
    EXPECT_EQ(helpStatus, 0);
    EXPECT_TRUE(help.startsWith("Usage: brindo")) << help.toStdString();
    for (const QStringList& refused : {QStringList{"--bogus"}, QStringList{"a.BRD", "b.BRD"}}) {
        const auto [status, out, errors] = run(refused);
        EXPECT_EQ(status, kUsageErrorStatus);
        EXPECT_TRUE(out.isEmpty());
        // The last line; Qt may warn about the environment before it.
        EXPECT_TRUE(errors.trimmed().split('\n').constLast().startsWith("brindo: "))
            << errors.toStdString();
    }
}

} // namespace
} // namespace brindo
