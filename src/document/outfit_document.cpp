#include "document/outfit_document.h"

#include "files/atomic_replace.h"

#include <QDir>
#include <QObject>
#include <string_view>

namespace brindo {

namespace {

constexpr QLatin1String kTrue{"True"};
constexpr QLatin1String kFalse{"False"};

QString keyText(std::string_view key) {
    return QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size()));
}

QString shown(const QString& nativeFile) {
    return QDir::toNativeSeparators(nativeFile);
}

} // namespace

FileOutcome writeOutfit(ProfileText& document, const Outfit& outfit) {
    QList<ProfileText::Change> changes;
    for (const SlotInfo& info : kSlotTable) {
        const bool enabled = (outfit.*(info.field)).enabled;
        changes.append({keyText(info.flagKey), QString(enabled ? kTrue : kFalse)});
    }
    for (const SlotInfo& info : kSlotTable) {
        const std::optional<QString>& path = (outfit.*(info.field)).imagePath;
        if (path && !ProfileText::canStore(*path)) {
            return {QObject::tr("the path of the %1 layer holds a line break, which an outfit "
                                "document cannot store")
                        .arg(keyText(info.name))};
        }
        changes.append({keyText(info.pathKey), path});
    }
    document.write(kOutfitSection, changes);
    return {};
}

QList<DocumentLayer> layersSwitchedOn(const ProfileText& document) {
    QStringList keys;
    for (const SlotInfo& info : kSlotTable) {
        keys.append(keyText(info.flagKey));
    }
    for (const SlotInfo& info : kSlotTable) {
        keys.append(keyText(info.pathKey));
    }
    const QStringList values = document.read(kOutfitSection, keys);
    const auto pathsAt = static_cast<qsizetype>(kSlotTable.size());
    QList<DocumentLayer> layers;
    for (const SlotInfo& info : kSlotTable) {
        const auto index = static_cast<qsizetype>(info.id);
        if (values.at(index) == kTrue) {
            layers.append({info.id, values.at(pathsAt + index)});
        }
    }
    return layers;
}

Outfit outfitFromDocument(const ProfileText& document, Outfit base) {
    base.switchAllOff();
    for (const DocumentLayer& layer : layersSwitchedOn(document)) {
        base.slot(layer.slot).switchOn(layer.path);
    }
    return base;
}

QString noOutfitProblem(const QString& shownName) {
    return QObject::tr("\"%1\" is not an outfit document: it holds no outfit (it has no [%2] "
                       "section).")
        .arg(shownName, kOutfitSection);
}

LoadedProfile loadOutfitDocument(const QString& nativeFile) {
    LoadedProfile loaded = loadProfileFile(nativeFile);
    if (loaded.status == LoadedProfile::Status::NotText) {
        loaded.problem = QObject::tr("\"%1\" is not an outfit document: %2.")
                             .arg(shown(nativeFile), loaded.problem);
    } else if (loaded.status == LoadedProfile::Status::Unreadable) {
        loaded.problem =
            QObject::tr("Could not open \"%1\": %2.").arg(shown(nativeFile), loaded.problem);
    } else if (loaded.status == LoadedProfile::Status::Loaded &&
               !loaded.text.hasSection(kOutfitSection)) {
        // Any text file would otherwise open as an outfit with every layer off.
        loaded.status = LoadedProfile::Status::NoOutfit;
        loaded.problem = noOutfitProblem(shown(nativeFile));
    }
    return loaded;
}

FileOutcome saveOutfitDocument(const QString& nativeFile, const Outfit& outfit) {
    LoadedProfile loaded = loadProfileFile(nativeFile);
    FileOutcome outcome{loaded.problem};
    if (!loaded.refused()) {
        const QByteArray before = loaded.text.bytes();
        outcome = writeOutfit(loaded.text, outfit);
        const bool unchanged =
            loaded.status == LoadedProfile::Status::Loaded && loaded.text.bytes() == before;
        if (outcome.ok() && !unchanged) {
            outcome = replaceFile(nativeFile, loaded.text.bytes());
        }
    }
    if (!outcome.ok()) {
        outcome.problem = QObject::tr("Could not save the outfit to \"%1\": %2.")
                              .arg(shown(nativeFile), outcome.problem);
    }
    return outcome;
}

} // namespace brindo
