#pragma once

#include <QString>
#include <QStringList>

namespace brindo {

// What the program's command line asks for: `brindo [--help] [--version]
// [--] [DOCUMENT]`.
struct StartArguments {
    enum class Action { Run, Help, Version, UsageError };

    Action action = Action::Run;
    QString document; // as given; empty when none is
    QString problem;  // for UsageError: what is wrong, in plain words
};

// The exit status of a command line the program does not take (EX_USAGE).
inline constexpr int kUsageErrorStatus = 64;

// Reads the arguments after the program's name. --help and --version win
// over everything else before "--"; any other word that starts with "-" is an
// unknown option, never a document name, unless it follows "--". At most one
// document is taken.
StartArguments parseStartArguments(const QStringList& arguments);

} // namespace brindo
