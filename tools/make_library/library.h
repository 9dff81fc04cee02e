#pragma once

#include <QString>

namespace brindo::sample {

struct LibraryOptions {
    QString folder;
    double scale = 1.0;
    // Remove the category folders and the names file first, so that nothing
    // of an earlier library stays behind.
    bool clean = false;
    // Where the program's icons go; none are drawn when empty. Never inside
    // the library folder, where every sub-folder is a category.
    QString iconFolder;
};

// Draws the whole sample library into the folder. Throws std::runtime_error
// when a folder or file cannot be written.
void writeLibrary(const LibraryOptions& options);

} // namespace brindo::sample
