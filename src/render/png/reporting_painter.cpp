#include "render/png/reporting_painter.h"

#include <algorithm>

namespace brindo {

LoadResult ReportingPainter::load(const QString& path) {
    const LoadResult result = inner_.load(path);
    const bool known = std::any_of(failed_.begin(), failed_.end(),
                                   [&](const FailedLoad& failed) { return failed.path == path; });
    if (result != LoadResult::Loaded && !known) {
        failed_.append({path, result});
    }
    return result;
}

} // namespace brindo
