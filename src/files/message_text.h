#pragma once

#include <QString>
#include <QStringList>

namespace brindo {

// Messages name paths and names so that they read on one line and stay short.

// Paths and names longer than this are cut in the middle: room for any one
// file name with some folders around it.
inline constexpr qsizetype kLongestShownPath = 160;

// A native path, or a single name, as a message shows it: with native
// separators, control characters (a line break, a tab) shown as their
// visible symbols ("␊"), and cut to kLongestShownPath characters, keeping
// both ends around a "…".
QString fitForMessage(const QString& nativePathOrName);

// "a", "a and b", "a, b and c", "a, b, c and 2 more": at most `named`
// names, each fit for a message, then how many more there are.
QString fewNames(const QStringList& names, qsizetype named = 3);

} // namespace brindo
