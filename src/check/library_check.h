#pragma once

#include <QList>
#include <QString>

namespace brindo {

// Something in a picture library that does not fit the layout the program
// relies on. An error breaks something the program shows or draws (an image
// it loads is missing or unreadable, an item it lists puts nothing on); a
// warning is something that works but is most likely not meant.
struct LibraryFinding {
    enum class Severity { Error, Warning };

    Severity severity = Severity::Error;
    QString path;    // native path of the file or folder concerned
    QString message; // what is wrong and what to do about it
};

// Checks the library in the library folder the way the program reads
// it: the fixed files, every category and every item that the lists offer,
// and every image that picking them would load. Goes no deeper than the
// program does (category, item folder), so linked folders cannot loop.
QList<LibraryFinding> checkLibrary(const QString& libraryFolder);

} // namespace brindo
