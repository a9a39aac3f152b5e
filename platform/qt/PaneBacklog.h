#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace platform::qt {

// The model's pane changes a document has not taken yet, in the order they
// were made. An insertion right after the previous one joins it, so a run
// of appends reaches the document as one insertion.
class PaneBacklog {
public:
    struct Edit {
        std::size_t start = 0;
        std::size_t removed = 0;
        std::u16string inserted;
    };

    void addEdit(std::size_t start, std::size_t removed, const std::u16string& inserted);
    void markSelection() { selection_ = true; }
    void markRefresh() { refresh_ = true; }
    // The model set its whole text: the edits before it no longer matter.
    void dropEdits() { edits_.clear(); }

    // The model kept its text but the first `count` characters; `shownSize`
    // is the length of the text the edits apply to.
    void cutFront(std::size_t count, std::size_t shownSize);
    // `shown` with every edit made.
    std::u16string appliedTo(std::u16string shown) const;
    // Where each character of a shown text of `shownSize` stands in the
    // model's text, every edit made; npos for one an edit removed.
    std::vector<std::size_t> placesOf(std::size_t shownSize) const;

    bool empty() const { return edits_.empty() && !selection_ && !refresh_; }
    const std::vector<Edit>& edits() const { return edits_; }
    bool selection() const { return selection_; }
    bool refresh() const { return refresh_; }

private:
    bool asFrontAndEnd(std::size_t shownSize, std::size_t& front, std::u16string& appended) const;

    std::vector<Edit> edits_;
    bool selection_ = false;
    bool refresh_ = false;
};

}  // namespace platform::qt
