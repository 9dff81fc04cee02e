#pragma once

#include <QString>

namespace brindo {

// What came of changing a file. An empty problem means it worked; otherwise the
// problem says why not, in plain words (a clause such as "the disk is full").
struct FileOutcome {
    QString problem;

    bool ok() const { return problem.isEmpty(); }
};

} // namespace brindo
