#include "model/outfit_history.h"

#include <algorithm>

namespace brindo {

namespace {

bool sameLayers(const Outfit& first, Outfit second) {
    second.documentPath = first.documentPath;
    return first == second;
}

// Moves the last outfit of `from` to `to` in place of `current`, and answers
// it with the current document path.
std::optional<Outfit> stepAcross(std::deque<Outfit>& from, std::deque<Outfit>& to,
                                 const Outfit& current) {
    if (from.empty()) {
        return std::nullopt;
    }
    Outfit outfit = std::move(from.back());
    from.pop_back();
    to.push_back(current);
    outfit.documentPath = current.documentPath;
    return outfit;
}

} // namespace

OutfitHistory::OutfitHistory(int limit) : limit_(std::max(limit, 1)) {}

void OutfitHistory::record(const Outfit& before, const Outfit& after) {
    if (sameLayers(before, after)) {
        return;
    }
    undo_.push_back(before);
    if (std::ssize(undo_) > limit_) {
        undo_.pop_front();
    }
    redo_.clear();
}

std::optional<Outfit> OutfitHistory::undo(const Outfit& current) {
    return stepAcross(undo_, redo_, current);
}

std::optional<Outfit> OutfitHistory::redo(const Outfit& current) {
    return stepAcross(redo_, undo_, current);
}

} // namespace brindo
