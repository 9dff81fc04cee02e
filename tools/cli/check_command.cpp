#include "catalogue/stored_path.h"
#include "check/library_check.h"
#include "command_line.h"
#include "files/message_text.h"

namespace brindo::cli {

int runCheck(const QStringList& arguments) {
    CommandParser parser(
        QStringLiteral("check"), QStringLiteral("[--library DIR]"),
        QStringLiteral(
            "Checks a picture library against the layout the program relies on: the fixed\n"
            "files, the category names, hair, eyes and mouth item folders, ready-made outfit\n"
            "frames, and every image the lists offer (PNG, readable, the base figure's size).\n"
            "Prints one line per finding on stdout: \"error:\" or \"warning:\", the path, and\n"
            "what to do.\n"
            "\n"
            "Warns, too, when the names file credits the makers of some items and not others.\n"
            "\n"
            "Exit status: 0 when nothing would break the program (warnings only), 1 when there\n"
            "are errors or the library cannot be read, 64 for a usage error."));
    QString library;
    if (const auto ended = parser.parse(arguments, library)) {
        return *ended;
    }
    const QList<LibraryFinding> findings = checkLibrary(library);
    qsizetype errors = 0;
    for (const LibraryFinding& finding : findings) {
        const bool error = finding.severity == LibraryFinding::Severity::Error;
        errors += error ? 1 : 0;
        printOut(QStringLiteral("%1: %2: %3\n")
                     .arg(error ? QStringLiteral("error") : QStringLiteral("warning"),
                          fitForMessage(finding.path), finding.message));
    }
    const QString summary = QStringLiteral("%1: %2 error(s), %3 warning(s)")
                                .arg(fitForMessage(nativePath(library)))
                                .arg(errors)
                                .arg(findings.size() - errors);
    printError(parser.command(), summary);
    return errors > 0 ? kFailure : kSuccess;
}

} // namespace brindo::cli
