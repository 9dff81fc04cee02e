#pragma once

#include <QList>
#include <QString>
#include <utility>

namespace brindo::test {

// Figures that the robustness tests measure, for docs/RELIABILITY.md. Each test
// writes its own file of "key: value" lines into the build's reliability
// folder; scripts/reliability-report gathers them into the page.
using Figures = QList<std::pair<QString, QString>>;
void writeFigures(const QString& name, const Figures& figures);

// A fault for the faults table, and what the user sees of it.
struct Fault {
    QString fault;   // what went wrong
    QString outcome; // what the program does about it, as the user sees it
    QString told;    // the message the user is given; empty when none
    QString cost{};  // the time and memory it took, when measured
};

// Notes the fault; a temporary folder in the message is written as <folder>.
void recordFault(const Fault& fault, const QString& temporaryFolder = {});

} // namespace brindo::test
