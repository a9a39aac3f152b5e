#pragma once

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <vector>

namespace e2e {

// A message box as the user saw it.
struct SeenBox {
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Plays the user who reads each modal message box and presses OK. It polls
// while any event loop runs, the box's own included, so a handler blocked
// in a message box always gets its answer and no test can hang on one.
class ModalWatcher : public QObject {
public:
    ModalWatcher();

    // The boxes seen since the last take, oldest first.
    std::vector<SeenBox> take();

private:
    void poll();

    QTimer timer_;
    QPointer<QWidget> last_;
    std::vector<SeenBox> seen_;
};

}  // namespace e2e
