#include "support/profile_values.h"

#include "document/profile_file.h"
#include "files/atomic_replace.h"

#include <QObject>

namespace brindo::test {

QString readProfileValue(const QString& nativeFile, const QString& section, const QString& key) {
    const LoadedProfile loaded = loadProfileFile(nativeFile);
    return loaded.status == LoadedProfile::Status::Loaded ? loaded.text.read(section, key)
                                                          : QString();
}

FileOutcome writeProfileValue(const QString& nativeFile, const QString& section, const QString& key,
                              const std::optional<QString>& value) {
    LoadedProfile loaded = loadProfileFile(nativeFile);
    if (loaded.refused()) {
        return {loaded.problem};
    }
    switch (loaded.text.write(section, key, value)) {
    case ProfileText::WriteResult::NotStorable:
        return {
            QObject::tr("the section or key name is not valid, or the value holds a line break")};
    case ProfileText::WriteResult::Unchanged:
        return {};
    case ProfileText::WriteResult::Changed:
        break;
    }
    return replaceFile(nativeFile, loaded.text.bytes());
}

} // namespace brindo::test
