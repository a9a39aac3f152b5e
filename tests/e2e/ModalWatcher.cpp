#include "tests/e2e/ModalWatcher.h"

#include <QApplication>
#include <utility>

namespace e2e {

ModalWatcher::ModalWatcher() {
    connect(&timer_, &QTimer::timeout, this, [this] { poll(); });
    timer_.start(20);
}

std::vector<SeenBox> ModalWatcher::take() {
    return std::exchange(seen_, {});
}

void ModalWatcher::poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (!box) {
        modal->close();  // nothing else modal belongs in these runs; never wait on it
        return;
    }
    if (last_ != box) seen_.push_back(SeenBox{box->text(), box->windowTitle(), box->icon()});
    last_ = box;
    box->accept();
}

}  // namespace e2e
