#include "platform/qt/PaneBacklog.h"

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

}  // namespace platform::qt
