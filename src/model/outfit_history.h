#pragma once

#include "model/outfit.h"

#include <deque>
#include <optional>

namespace brindo {

// The outfits that undo and redo go back and forth between. A step keeps the
// whole outfit as it was before a change. The document path is no part of a
// step: going back or forth keeps the path the window has now. At most
// `limit` steps can be undone; the oldest is forgotten first.
class OutfitHistory {
public:
    static constexpr int kDefaultLimit = 500;

    explicit OutfitHistory(int limit = kDefaultLimit);

    // Records the change from `before` to `after` as one step and forgets
    // what could be redone. A change that leaves every layer as it was is no
    // step and forgets nothing.
    void record(const Outfit& before, const Outfit& after);

    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }

    // The outfit before the last step, with the document path of `current`;
    // `current` can then be had back by redo. std::nullopt when there is
    // nothing to undo.
    std::optional<Outfit> undo(const Outfit& current);
    // The outfit that the last undo went back from, with the document path
    // of `current`.
    std::optional<Outfit> redo(const Outfit& current);

private:
    std::deque<Outfit> undo_; // oldest first
    std::deque<Outfit> redo_; // next to redo last
    int limit_;
};

} // namespace brindo
