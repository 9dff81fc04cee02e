#include "render/reporting_picture.h"

#include <algorithm>

namespace brindo {

int ReportingPicture::LoadFile(const QString& path) {
    const int result = inner_.LoadFile(path);
    const bool known = std::any_of(failed_.begin(), failed_.end(),
                                   [&](const FailedLoad& failed) { return failed.path == path; });
    if (result != 0 && !known) {
        failed_.append({path, result});
    }
    return result;
}

} // namespace brindo
