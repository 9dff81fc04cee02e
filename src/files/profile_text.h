#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>

namespace brindo {

// The text of an INI-format profile file, held in memory, read and changed one
// key at a time. Names of sections and keys match ignoring letter case and the
// blanks around them; of duplicate sections, and of duplicate keys within a
// section, the first one counts. Lines end in CRLF, LF or CR alone. Every line
// that a write does not change keeps its bytes, line end included. New lines
// are written in UTF-8 and end like the file's first line (CRLF in a file
// without line ends).
class ProfileText {
public:
    enum class WriteResult { Unchanged, Changed, NotStorable };

    // A section as read: its name and its keys with their values, in file
    // order.
    struct Section {
        QString name;
        QList<std::pair<QString, QString>> keys;
    };

    // One key to write; std::nullopt removes the key.
    struct Change {
        QString key;
        std::optional<QString> value;
    };

    ProfileText() = default;
    explicit ProfileText(QByteArray bytes) : bytes_(std::move(bytes)) {}

    const QByteArray& bytes() const { return bytes_; }

    // The key's value, without the blanks around it and without one pair of
    // enclosing quotes; "" when the section or the key is missing.
    QString read(const QString& section, const QString& key) const;
    // The values of several keys, in the order asked, read in one pass.
    QStringList read(const QString& section, const QStringList& keys) const;
    // Whether the text has the section, even an empty one.
    bool hasSection(const QString& section) const;

    // Every section with its keys, in file order, as read() finds them: of
    // duplicate sections and of duplicate keys the first counts.
    QList<Section> sections() const;

    // Sets the key to the value, creating the section at the end when it is
    // missing and the key at the end of its section. std::nullopt removes the
    // key's lines instead. Names and values holding a line break are refused,
    // since they would forge other lines.
    WriteResult write(const QString& section, const QString& key,
                      const std::optional<QString>& value);
    // Makes the changes in one pass, with the same result as writing them one
    // key after the other. Nothing is written when any of them is refused.
    WriteResult write(const QString& section, const QList<Change>& changes);

    // Whether a value can be stored: it holds no line break and no NUL.
    static bool canStore(const QString& value);

private:
    QByteArray bytes_;
};

} // namespace brindo
