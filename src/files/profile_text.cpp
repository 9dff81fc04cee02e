#include "files/profile_text.h"

#include "files/text_codec.h"

#include <QByteArrayView>
#include <QSet>
#include <algorithm>

namespace brindo {

namespace {

constexpr QByteArrayView kUtf8Bom("\xEF\xBB\xBF");
constexpr QByteArrayView kCrLf("\r\n");

qsizetype bomLength(const QByteArray& bytes) {
    return bytes.startsWith(kUtf8Bom) ? kUtf8Bom.size() : 0;
}

bool isLineEnd(char c) {
    return c == '\n' || c == '\r';
}

// One line: [begin, end) is its text, [end, next) its line end (CRLF, LF, CR
// alone, or nothing for a last line without one).
struct Line {
    qsizetype begin = 0;
    qsizetype end = 0;
    qsizetype next = 0;
};

class LineReader {
public:
    explicit LineReader(const QByteArray& bytes) : bytes_(bytes), pos_(bomLength(bytes)) {}

    bool atEnd() const { return pos_ >= bytes_.size(); }

    Line next() {
        const char* data = bytes_.constData();
        const char* found = std::find_if(data + pos_, data + bytes_.size(), isLineEnd);
        Line line{pos_, found - data, found - data};
        if (line.end < bytes_.size()) {
            const bool crlf = *found == '\r' && line.end + 1 < bytes_.size() && found[1] == '\n';
            line.next = line.end + (crlf ? 2 : 1);
        }
        pos_ = line.next;
        return line;
    }

private:
    const QByteArray& bytes_;
    qsizetype pos_;
};

// The line end that added lines take: the file's first one, so that they match
// the lines around them; CRLF in a file that has none. A write never changes a
// file's first line end, so the choice stays the same from write to write.
QByteArrayView lineEndOf(const QByteArray& bytes) {
    const Line first = LineReader(bytes).next();
    return first.next > first.end ? QByteArrayView(bytes).sliced(first.end, first.next - first.end)
                                  : kCrLf;
}

enum class LineKind { Blank, Comment, Section, Key };

struct ParsedLine {
    LineKind kind = LineKind::Blank;
    QByteArrayView name;  // section or key name, trimmed
    QByteArrayView value; // key value, trimmed, quotes still on
};

ParsedLine parseLine(QByteArrayView text) {
    const QByteArrayView content = text.trimmed();
    if (content.isEmpty()) {
        return {};
    }
    if (content.front() == ';') {
        return {LineKind::Comment, {}, {}};
    }
    if (content.front() == '[') {
        QByteArrayView name = content.sliced(1);
        const qsizetype close = name.indexOf(']');
        return {LineKind::Section, (close >= 0 ? name.first(close) : name).trimmed(), {}};
    }
    const qsizetype equals = content.indexOf('=');
    if (equals < 0) {
        return {LineKind::Key, content, {}};
    }
    return {LineKind::Key, content.first(equals).trimmed(), content.sliced(equals + 1).trimmed()};
}

bool isQuote(char c) {
    return c == '"' || c == '\'';
}

bool isWrappedInQuotes(QByteArrayView value) {
    return value.size() >= 2 && isQuote(value.front()) && value.back() == value.front();
}

QByteArrayView unquoted(QByteArrayView value) {
    return isWrappedInQuotes(value) ? value.sliced(1, value.size() - 2) : value;
}

// The bytes that read back as exactly this value: a value that reading would
// trim or unquote gets a protecting pair of quotes.
QByteArray encodedValue(const QString& value) {
    const QByteArray bytes = value.toUtf8();
    const bool needsQuotes = bytes != bytes.trimmed() || isWrappedInQuotes(bytes);
    return needsQuotes ? '"' + bytes + '"' : bytes;
}

QString decodedValue(QByteArrayView value) {
    return decodeText(unquoted(value));
}

char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsIgnoringAsciiCase(QByteArrayView a, QByteArrayView b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return asciiLower(x) == asciiLower(y);
           });
}

bool isAscii(QByteArrayView bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// A section or key name as a caller gives it, ready to match stored names.
class Name {
public:
    explicit Name(const QString& text)
        : text_(text.trimmed()), utf8_(text_.toUtf8()), ascii_(isAscii(utf8_)) {}

    const QString& text() const { return text_; }
    const QByteArray& utf8() const { return utf8_; }

    bool matches(QByteArrayView stored) const {
        if (ascii_) {
            return equalsIgnoringAsciiCase(stored, utf8_);
        }
        return QString::compare(decodeText(stored), text_, Qt::CaseInsensitive) == 0;
    }

private:
    QString text_;
    QByteArray utf8_;
    bool ascii_;
};

bool canBeSectionName(const Name& name) {
    return !name.text().isEmpty() && !name.text().contains(u']') &&
           ProfileText::canStore(name.text());
}

bool canBeKeyName(const Name& name) {
    const QString& text = name.text();
    return !text.isEmpty() && !text.contains(u'=') && !text.startsWith(u'[') &&
           !text.startsWith(u';') && ProfileText::canStore(text);
}

// One key of a write, checked and ready to match.
struct PendingChange {
    Name key;
    std::optional<QString> value;
    QByteArray line; // "key=value" when there is a value
    bool done = false;
};

// Writes keys in a single pass over the text, copying every other line.
class KeyWriter {
public:
    KeyWriter(const QByteArray& source, const Name& section, QList<PendingChange>& changes)
        : source_(source), section_(section), changes_(changes), lineEnd_(lineEndOf(source)) {}

    // The changed text, or std::nullopt when the write changes nothing.
    std::optional<QByteArray> run() {
        out_.reserve(source_.size() + section_.utf8().size() + 8 + newLines().size());
        LineReader reader(source_);
        copyEnd_ = bomLength(source_); // the byte-order mark goes first
        while (!reader.atEnd()) {
            const Line line = reader.next();
            if (wouldJoinCrLineEnd(line)) {
                continue;
            }
            const ParsedLine parsed =
                parseLine(QByteArrayView(source_).sliced(line.begin, line.end - line.begin));
            PendingChange* change = nullptr;
            if (phase_ == Phase::Inside && parsed.kind == LineKind::Key) {
                change = changeFor(parsed.name);
            }
            if (parsed.kind == LineKind::Section) {
                onSection(line, parsed);
            } else if (change != nullptr) {
                onKey(line, parsed, *change);
            } else {
                copy(line);
                if (phase_ == Phase::Inside && parsed.kind != LineKind::Blank) {
                    insertAt_ = outputSize();
                }
            }
        }
        flush();
        if (phase_ == Phase::Inside) {
            closeSection();
        } else if (phase_ == Phase::Before) {
            appendSection();
        }
        return changed_ ? std::optional(std::move(out_)) : std::nullopt;
    }

private:
    enum class Phase { Before, Inside, After };

    PendingChange* changeFor(QByteArrayView name) {
        for (PendingChange& change : changes_) {
            if (change.key.matches(name)) {
                return &change;
            }
        }
        return nullptr;
    }

    // Lines of the keys still to add, in the order of the changes.
    QByteArray newLines() const {
        QByteArray lines;
        for (const PendingChange& change : changes_) {
            if (change.value && !change.done) {
                lines.append(change.line).append(lineEnd_);
            }
        }
        return lines;
    }

    // Unchanged lines are copied in runs: the source up to copiedUpTo_ has gone
    // to the output, the lines after it up to copyEnd_ are still to go.
    void copy(const Line& line) {
        if (line.begin != copyEnd_) {
            flush();
            copiedUpTo_ = line.begin;
        }
        copyEnd_ = line.next;
    }

    void flush() {
        out_.append(source_.constData() + copiedUpTo_, copyEnd_ - copiedUpTo_);
        copiedUpTo_ = copyEnd_;
    }

    qsizetype outputSize() const { return out_.size() + (copyEnd_ - copiedUpTo_); }

    char lastOutputByte() const {
        if (copyEnd_ > copiedUpTo_) {
            return source_.at(copyEnd_ - 1);
        }
        return out_.isEmpty() ? '\0' : out_.back();
    }

    // An empty LF line that only a removed line kept apart from a CR line end
    // would join it into one CRLF: it goes with the removed line.
    bool wouldJoinCrLineEnd(const Line& line) const {
        return source_.at(line.begin) == '\n' && lastOutputByte() == '\r';
    }

    void onSection(const Line& line, const ParsedLine& parsed) {
        if (phase_ == Phase::Inside) {
            closeSection();
            phase_ = Phase::After;
        }
        copy(line);
        if (phase_ == Phase::Before && section_.matches(parsed.name)) {
            phase_ = Phase::Inside;
            insertAt_ = outputSize();
        }
    }

    void onKey(const Line& line, const ParsedLine& parsed, PendingChange& change) {
        if (!change.value) {
            changed_ = true; // every line of the key goes
            return;
        }
        if (change.done || decodedValue(parsed.value) == *change.value) {
            copy(line);
        } else {
            flush();
            // Keep the line's indentation and its spelling of the key.
            const qsizetype nameEnd = parsed.name.data() - source_.constData() + parsed.name.size();
            out_.append(source_.constData() + line.begin, nameEnd - line.begin);
            out_.append(change.line.sliced(change.key.utf8().size()));
            out_.append(source_.constData() + line.end, line.next - line.end);
            changed_ = true;
        }
        change.done = true;
        insertAt_ = outputSize();
    }

    // Adds the new keys after the section's last line that is not blank.
    void closeSection() {
        QByteArray lines = newLines();
        if (lines.isEmpty()) {
            return;
        }
        flush();
        if (!isLineEnd(out_.at(insertAt_ - 1))) {
            lines.prepend(lineEnd_);
        }
        // New lines ending in CR go after the empty LF lines that follow, so
        // as not to join with them.
        while (lines.endsWith('\r') && insertAt_ < out_.size() && out_.at(insertAt_) == '\n') {
            ++insertAt_;
        }
        out_.insert(insertAt_, lines);
        markAllDone();
    }

    void appendSection() {
        const QByteArray lines = newLines();
        if (lines.isEmpty()) {
            return;
        }
        if (out_.size() > bomLength(out_) && !isLineEnd(out_.back())) {
            out_.append(lineEnd_);
        }
        out_.append('[').append(section_.utf8()).append(']').append(lineEnd_).append(lines);
        markAllDone();
    }

    void markAllDone() {
        for (PendingChange& change : changes_) {
            change.done = true;
        }
        changed_ = true;
    }

    const QByteArray& source_;
    const Name& section_;
    QList<PendingChange>& changes_;
    QByteArrayView lineEnd_;
    QByteArray out_;
    qsizetype copiedUpTo_ = 0;
    qsizetype copyEnd_ = 0;
    Phase phase_ = Phase::Before;
    qsizetype insertAt_ = 0;
    bool changed_ = false;
};

bool hasRepeatedKey(const QList<PendingChange>& changes) {
    for (qsizetype i = 0; i < changes.size(); ++i) {
        for (qsizetype j = i + 1; j < changes.size(); ++j) {
            if (changes.at(j).key.matches(changes.at(i).key.utf8())) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

bool ProfileText::canStore(const QString& value) {
    return !value.contains(u'\r') && !value.contains(u'\n') && !value.contains(QChar(0));
}

QString ProfileText::read(const QString& section, const QString& key) const {
    return read(section, QStringList{key}).constFirst();
}

QStringList ProfileText::read(const QString& section, const QStringList& keys) const {
    const Name sectionName(section);
    QList<Name> names;
    for (const QString& key : keys) {
        names.append(Name(key));
    }
    QStringList values(keys.size());
    QList<bool> found(keys.size(), false);
    qsizetype missing = keys.size();
    bool inside = false;
    LineReader reader(bytes_);
    while (missing > 0 && !reader.atEnd()) {
        const Line line = reader.next();
        const ParsedLine parsed =
            parseLine(QByteArrayView(bytes_).sliced(line.begin, line.end - line.begin));
        if (parsed.kind == LineKind::Section) {
            if (inside) {
                break; // later sections of the same name do not count
            }
            inside = sectionName.matches(parsed.name);
        } else if (inside && parsed.kind == LineKind::Key) {
            for (qsizetype i = 0; i < names.size(); ++i) {
                if (!found.at(i) && names.at(i).matches(parsed.name)) {
                    values[i] = decodedValue(parsed.value);
                    found[i] = true;
                    --missing;
                }
            }
        }
    }
    return values;
}

QList<ProfileText::Section> ProfileText::sections() const {
    QList<Section> sections;
    QSet<QString> seenSections;
    QSet<QString> seenKeys;
    bool counts = false;
    LineReader reader(bytes_);
    while (!reader.atEnd()) {
        const Line line = reader.next();
        const ParsedLine parsed =
            parseLine(QByteArrayView(bytes_).sliced(line.begin, line.end - line.begin));
        if (parsed.kind == LineKind::Section) {
            const QString name = decodeText(parsed.name);
            counts = !seenSections.contains(name.toCaseFolded());
            if (counts) {
                seenSections.insert(name.toCaseFolded());
                seenKeys.clear();
                sections.append({name, {}});
            }
        } else if (counts && parsed.kind == LineKind::Key) {
            const QString key = decodeText(parsed.name);
            if (!seenKeys.contains(key.toCaseFolded())) {
                seenKeys.insert(key.toCaseFolded());
                sections.last().keys.append({key, decodedValue(parsed.value)});
            }
        }
    }
    return sections;
}

bool ProfileText::hasSection(const QString& section) const {
    const Name sectionName(section);
    LineReader reader(bytes_);
    while (!reader.atEnd()) {
        const Line line = reader.next();
        const ParsedLine parsed =
            parseLine(QByteArrayView(bytes_).sliced(line.begin, line.end - line.begin));
        if (parsed.kind == LineKind::Section && sectionName.matches(parsed.name)) {
            return true;
        }
    }
    return false;
}

ProfileText::WriteResult ProfileText::write(const QString& section, const QString& key,
                                            const std::optional<QString>& value) {
    return write(section, QList<Change>{{key, value}});
}

ProfileText::WriteResult ProfileText::write(const QString& section, const QList<Change>& changes) {
    const Name sectionName(section);
    if (!canBeSectionName(sectionName)) {
        return WriteResult::NotStorable;
    }
    QList<PendingChange> pending;
    for (const Change& change : changes) {
        PendingChange next{Name(change.key), change.value, {}};
        if (!canBeKeyName(next.key) || (change.value && !canStore(*change.value))) {
            return WriteResult::NotStorable;
        }
        if (change.value) {
            next.line = next.key.utf8() + '=' + encodedValue(*change.value);
        }
        pending.append(next);
    }
    if (hasRepeatedKey(pending)) {
        // A later write of the same key builds on the earlier one, and may
        // undo it: only the text at the end says whether anything changed.
        const QByteArray before = bytes_;
        for (const Change& change : changes) {
            write(section, QList<Change>{change});
        }
        return bytes_ == before ? WriteResult::Unchanged : WriteResult::Changed;
    }
    std::optional<QByteArray> changed = KeyWriter(bytes_, sectionName, pending).run();
    if (!changed) {
        return WriteResult::Unchanged;
    }
    bytes_ = std::move(*changed);
    return WriteResult::Changed;
}

} // namespace brindo
