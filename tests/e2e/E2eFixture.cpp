#include "tests/e2e/E2eFixture.h"

#include <signal.h>

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>

namespace e2e {

namespace {

void SendMouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent e(type, QPointF(at), w->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

void SendKey(QWidget* w, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(w, &release);
}

}  // namespace

std::string E2eFixture::startSim(std::vector<std::string> args, const std::string& logName) {
    args.push_back("--log");
    args.push_back(dir_.file(logName));
    sim_ = std::make_unique<ModemSimProcess>(args);
    const std::string device = sim_->firstLine();
    if (device.empty()) {
        sim_->stop(SIGKILL, 1000);
        ADD_FAILURE() << "modem-sim did not start: " << sim_->errors();
    }
    return device;
}

void E2eFixture::killSim() {
    if (sim_) sim_->stop(SIGKILL);
    sim_.reset();
}

void E2eFixture::mapCom1(const std::string& device) {
    testsupport::TempDir::write(dir_.file("lumetra.ini"), "[Ports]\nCOM1=" + device + "\n");
}

void E2eFixture::startProgram() {
    program_ = std::make_unique<LumetraProgram>(dir_.path());
}

std::string E2eFixture::simLog(const std::string& logName) const {
    return testsupport::TempDir::read(dir_.file(logName));
}

QPushButton* E2eFixture::button(const char* name) const {
    return program_ ? program_->find<QPushButton>(name) : nullptr;
}
QPlainTextEdit* E2eFixture::pane(const char* name) const {
    return program_ ? program_->find<QPlainTextEdit>(name) : nullptr;
}
QLineEdit* E2eFixture::textBox(const char* name) const {
    return program_ ? program_->find<QLineEdit>(name) : nullptr;
}
QComboBox* E2eFixture::comboBox(const char* name) const {
    return program_ ? program_->find<QComboBox>(name) : nullptr;
}

QString E2eFixture::caption() const {
    return window() ? window()->windowTitle() : QString();
}

QString E2eFixture::paneText(const char* name) const {
    QPlainTextEdit* p = pane(name);
    return p ? p->toPlainText() : QString();
}

void E2eFixture::click(const char* name) {
    QPushButton* b = button(name);
    ASSERT_NE(b, nullptr) << name;
    b->click();
}

void E2eFixture::choose(const char* comboName, int index) {
    QComboBox* combo = comboBox(comboName);
    ASSERT_NE(combo, nullptr) << comboName;
    combo->showPopup();
    QAbstractItemView* list = combo->view();
    ASSERT_TRUE(waitUntil([&] { return list->isVisible(); })) << "the drop-down list did not open";
    const QModelIndex entry = combo->model()->index(index, 0);
    list->scrollTo(entry);
    const QPoint at = list->visualRect(entry).center();
    QWidget* surface = list->viewport();
    SendMouse(surface, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
    SendMouse(surface, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    SendMouse(surface, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    ASSERT_TRUE(waitUntil([&] { return !list->isVisible(); })) << "the drop-down list did not close";
}

void E2eFixture::type(QWidget* w, const QString& text) {
    for (QChar ch : text) {
        const bool letter = ch.unicode() < 128 && ch.isLetter();
        SendKey(w, letter ? Qt::Key_A + (ch.toUpper().unicode() - 'A') : 0, QString(ch));
    }
}

void E2eFixture::pressEnter(QWidget* w) {
    SendKey(w, Qt::Key_Return, QStringLiteral("\r"));
}

void E2eFixture::openAt9600() {
    choose("ComboSpeed", 9);
    ASSERT_EQ(comboBox("ComboSpeed")->currentText(), QStringLiteral("9600bps"));
    click("ComStartStop");
    ASSERT_EQ(button("ComStartStop")->text(), QStringLiteral("关 闭 端 口")) << "the port did not open";
}

bool E2eFixture::waitUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer elapsed;
    elapsed.start();
    while (!done()) {
        if (elapsed.elapsed() > timeoutMs) return false;
        runFor(10);
    }
    return true;
}

// A real event loop, so timers fire on time and the thread sleeps between them.
void E2eFixture::runFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace e2e
