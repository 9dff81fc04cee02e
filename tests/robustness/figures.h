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

// Notes a fault, what the user is shown for it (empty: nothing is shown) and
// optionally what dealing with it cost. Temporary folders in the message are
// written as <folder>.
void recordFault(const QString& fault, const QString& whatTheUserSees,
                 const QString& temporaryFolder = {}, const QString& cost = {});

} // namespace brindo::test
