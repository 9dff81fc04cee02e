#include "files/message_text.h"

#include <QDir>
#include <QObject>

namespace brindo {

namespace {

constexpr char16_t kFirstControlPicture = 0x2400; // "␀"; "␡" for DEL
constexpr char16_t kDeletePicture = 0x2421;

// A character that would break the message apart or hide what it says.
bool isHidden(QChar c) {
    const auto category = c.category();
    return category == QChar::Other_Control || category == QChar::Separator_Line ||
           category == QChar::Separator_Paragraph ||
           (c.unicode() >= 0x202A && c.unicode() <= 0x202E) || // direction overrides
           (c.unicode() >= 0x2066 && c.unicode() <= 0x2069);
}

QString madeVisible(const QString& text) {
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        if (!isHidden(c)) {
            shown.append(c);
        } else if (c.unicode() < 0x20) {
            shown.append(QChar(kFirstControlPicture + c.unicode()));
        } else if (c.unicode() == 0x7F) {
            shown.append(QChar(kDeletePicture));
        } else {
            shown.append(QStringLiteral("<U+%1>").arg(c.unicode(), 4, 16, QChar(u'0')).toUpper());
        }
    }
    return shown;
}

// Cuts between characters, never inside a surrogate pair.
qsizetype cutBefore(const QString& text, qsizetype at) {
    return at > 0 && at < text.size() && text.at(at).isLowSurrogate() ? at - 1 : at;
}

} // namespace

QString fitForMessage(const QString& nativePathOrName) {
    // Only the ends are kept, so only they are made visible: a path of many
    // megabytes costs no more than a short one.
    const QString native = QDir::toNativeSeparators(nativePathOrName);
    if (native.size() > 4 * kLongestShownPath) {
        const qsizetype head = cutBefore(native, kLongestShownPath);
        const qsizetype tail = cutBefore(native, native.size() - kLongestShownPath);
        return fitForMessage(native.first(head) + native.sliced(tail));
    }
    QString shown = madeVisible(native);
    if (shown.size() <= kLongestShownPath) {
        return shown;
    }
    const qsizetype half = (kLongestShownPath - 1) / 2;
    const qsizetype head = cutBefore(shown, half);
    const qsizetype tail = cutBefore(shown, shown.size() - half);
    return shown.first(head) + QChar(0x2026) + shown.sliced(tail);
}

QString fewNames(const QStringList& names, qsizetype named) {
    QStringList shown;
    for (qsizetype i = 0; i < names.size() && i < named; ++i) {
        shown.append(fitForMessage(names.at(i)));
    }
    if (names.size() > named + 1) {
        return QObject::tr("%1 and %2 more")
            .arg(shown.join(QLatin1String(", ")))
            .arg(names.size() - named);
    }
    if (names.size() == named + 1) {
        shown.append(fitForMessage(names.constLast()));
    }
    if (shown.size() < 2) {
        return shown.value(0);
    }
    return QObject::tr("%1 and %2")
        .arg(shown.first(shown.size() - 1).join(QLatin1String(", ")), shown.constLast());
}

} // namespace brindo
