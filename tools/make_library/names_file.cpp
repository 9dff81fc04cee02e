#include "names_file.h"

#include <QSaveFile>
#include <algorithm>
#include <stdexcept>

namespace brindo::sample {

void NamesFile::add(const QString& section, const QString& key, const QString& value) {
    auto found = std::find_if(sections_.begin(), sections_.end(),
                              [&](const Section& known) { return known.name == section; });
    if (found == sections_.end()) {
        found = sections_.insert(sections_.end(), Section{section, {}});
    }
    found->keys.emplace_back(key, value);
}

QByteArray NamesFile::text() const {
    QByteArray text;
    for (const Section& section : sections_) {
        if (!text.isEmpty()) {
            text.append("\r\n");
        }
        text.append('[').append(section.name.toUtf8()).append("]\r\n");
        for (const auto& [key, value] : section.keys) {
            text.append(key.toUtf8()).append('=').append(value.toUtf8()).append("\r\n");
        }
    }
    return text;
}

void NamesFile::save(const QString& file) const {
    QSaveFile out(file);
    const QByteArray bytes = text();
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        throw std::runtime_error("cannot write " + file.toStdString() + ": " +
                                 out.errorString().toStdString());
    }
}

} // namespace brindo::sample
