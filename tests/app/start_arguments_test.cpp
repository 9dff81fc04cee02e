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

// The program answers on stdout, refuses on stderr with the usage status, and opens no window.
TEST(StartArgumentsTest, TheProgramAnswersAndRefusesWithoutAWindow) {
    const std::tuple<QStringList, int, const char*, const char*> runs[] = {
        {{"--version"}, 0, "Brindo Creator 1.", ""},
        {{"--help"}, 0, "Usage: brindo", ""},
        {{"--bogus"}, kUsageErrorStatus, "", "brindo: "},
        {{"a.BRD", "b.BRD"}, kUsageErrorStatus, "", "brindo: "}};
    for (const auto& [arguments, status, out, err] : runs) {
        QProcess program;
        program.start(QStringLiteral(BRINDO_PROGRAM), arguments);
        ASSERT_TRUE(program.waitForFinished(30000)) << arguments.join(' ').toStdString();
        EXPECT_EQ(program.exitCode(), status);
        const QString said = QString::fromLocal8Bit(program.readAllStandardOutput());
        EXPECT_TRUE(*out == 0 ? said.isEmpty() : said.startsWith(out)) << said.toStdString();
        // The last line; Qt may warn about the environment before it.
        const QString errors = QString::fromLocal8Bit(program.readAllStandardError()).trimmed();
        EXPECT_TRUE(errors.split('\n').constLast().startsWith(err)) << errors.toStdString();
    }
}

} // namespace
} // namespace brindo
