#pragma once

#include "catalogue/folder_listing.h"

namespace brindo {

// Puts a folder list back to the folder and listing it had when the keeper
// was made, however the scope is left. Picks that look into an item folder
// through the file list leave it showing the category folder again.
class FolderListKeeper {
public:
    explicit FolderListKeeper(FolderList& list) : list_(list), saved_(list) {}
    ~FolderListKeeper() { list_ = saved_; }
    FolderListKeeper(const FolderListKeeper&) = delete;
    FolderListKeeper& operator=(const FolderListKeeper&) = delete;

private:
    FolderList& list_;
    FolderList saved_;
};

} // namespace brindo
