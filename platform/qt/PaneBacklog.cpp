#include "platform/qt/PaneBacklog.h"

#include <numeric>

namespace platform::qt {

void PaneBacklog::addEdit(std::size_t start, std::size_t removed, const std::u16string& inserted) {
    if (removed == 0 && !edits_.empty()) {
        Edit& last = edits_.back();
        if (start == last.start + last.inserted.size()) {
            last.inserted += inserted;
            return;
        }
    }
    edits_.push_back(Edit{start, removed, inserted});
}

std::u16string PaneBacklog::appliedTo(std::u16string shown) const {
    for (const Edit& e : edits_) {
        if (e.start + e.removed > shown.size()) break;
        shown.replace(e.start, e.removed, e.inserted);
    }
    return shown;
}

std::vector<std::size_t> PaneBacklog::placesOf(std::size_t shownSize) const {
    constexpr std::size_t kNone = std::u16string::npos;
    std::vector<std::size_t> from(shownSize);  // for each model character, its shown one
    std::iota(from.begin(), from.end(), std::size_t{0});
    for (const Edit& e : edits_) {
        if (e.start + e.removed > from.size()) break;
        const auto at = from.erase(from.begin() + static_cast<std::ptrdiff_t>(e.start),
                                   from.begin() + static_cast<std::ptrdiff_t>(e.start + e.removed));
        from.insert(at, e.inserted.size(), kNone);
    }
    std::vector<std::size_t> places(shownSize, kNone);
    for (std::size_t k = 0; k < from.size(); ++k)
        if (from[k] != kNone) places[from[k]] = k;
    return places;
}

// While text streams in, the edits are a removal at the front and an append
// at the end; a cut that reaches into the append shortens it instead, so the
// document never takes text only to lose it again in the same frame.
void PaneBacklog::cutFront(std::size_t count, std::size_t shownSize) {
    std::size_t front = 0;
    std::u16string appended;
    if (!asFrontAndEnd(shownSize, front, appended)) {
        edits_.push_back(Edit{0, count, {}});
        return;
    }
    front += count;
    if (front > shownSize) {
        appended.erase(0, front - shownSize);
        front = shownSize;
    }
    edits_.clear();
    if (front > 0) edits_.push_back(Edit{0, front, {}});
    if (!appended.empty()) addEdit(shownSize - front, 0, appended);
}

bool PaneBacklog::asFrontAndEnd(std::size_t shownSize, std::size_t& front, std::u16string& appended) const {
    std::size_t i = 0;
    if (i < edits_.size() && edits_[i].start == 0 && edits_[i].removed > 0 && edits_[i].removed <= shownSize) {
        front = edits_[i].removed;
        appended = edits_[i].inserted;
        ++i;
        if (!appended.empty()) return i == edits_.size() && front == shownSize;
    }
    if (i < edits_.size() && edits_[i].removed == 0 && edits_[i].start == shownSize - front) {
        appended = edits_[i].inserted;
        ++i;
    }
    return i == edits_.size();
}

}  // namespace platform::qt
