#include "document/profile_file.h"

#include "files/regular_file.h"

#include <QObject>

namespace brindo {

LoadedProfile loadProfileFile(const QString& nativeFile) {
    ReadFile read = readRegularFile(nativeFile, kMaxProfileFileBytes);
    LoadedProfile loaded;
    loaded.problem = read.problem;
    switch (read.status) {
    case ReadStatus::Ok:
        if (read.bytes.contains('\0')) {
            loaded.status = LoadedProfile::Status::NotText;
            loaded.problem = QObject::tr("it holds binary data, not text");
        } else {
            loaded.status = LoadedProfile::Status::Loaded;
            loaded.text = ProfileText(std::move(read.bytes));
        }
        break;
    case ReadStatus::Missing:
        loaded.status = LoadedProfile::Status::Missing;
        loaded.problem = QObject::tr("it is not a file");
        break;
    case ReadStatus::TooLarge:
        loaded.status = LoadedProfile::Status::NotText;
        loaded.problem =
            QObject::tr("it is far too large (over %1 MB)").arg(kMaxProfileFileBytes / kBytesPerMB);
        break;
    case ReadStatus::NotAFile:
    case ReadStatus::NoPermission:
    case ReadStatus::Failed:
        loaded.status = LoadedProfile::Status::Unreadable;
        break;
    }
    return loaded;
}

} // namespace brindo
