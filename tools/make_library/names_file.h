#pragma once

#include <QByteArray>
#include <QString>
#include <utility>
#include <vector>

namespace brindo::sample {

// The names file of a library: one section per category or item folder, whose
// keys are the items and variants as the lists show them. Sections and keys
// keep the order they were added in, so that the file is the same every time.
class NamesFile {
public:
    // Adds the key to the section, creating the section after the others.
    void add(const QString& section, const QString& key, const QString& value);

    // The file's bytes: UTF-8 with CRLF line ends, a blank line between sections.
    QByteArray text() const;

    // Throws std::runtime_error when the file cannot be written.
    void save(const QString& file) const;

private:
    struct Section {
        QString name;
        std::vector<std::pair<QString, QString>> keys;
    };
    std::vector<Section> sections_;
};

} // namespace brindo::sample
