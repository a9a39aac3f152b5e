#pragma once

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/LumetraProgram.h"
#include "tests/e2e/ModalWatcher.h"
#include "tests/posix/ModemSimProcess.h"
#include "tests/posix/TempDir.h"

namespace e2e {

// One run of the program in a fresh directory against modem-sim, driven
// through its widgets in real time.
class E2eFixture : public ::testing::Test {
protected:
    static constexpr int kTimeoutMs = 10000;

    // Starts modem-sim with `args` plus a log of what it hears in `logName`;
    // the device path it prints, "" when it did not start.
    std::string startSim(std::vector<std::string> args, const std::string& logName = "sim.log");
    // Pulls the plug: SIGKILL, so it leaves no chance to tidy up, then reaps it.
    void killSim();
    // The settings file maps COM1 to `device`.
    void mapCom1(const std::string& device);
    void startProgram();
    std::string simLog(const std::string& logName = "sim.log") const;

    QWidget* window() const { return program_ ? program_->window() : nullptr; }
    QPushButton* button(const char* name) const;
    QPlainTextEdit* pane(const char* name) const;
    QLineEdit* textBox(const char* name) const;
    QComboBox* comboBox(const char* name) const;
    QString caption() const;
    QString paneText(const char* name) const;

    // A click as the user makes it; returns when the handler has ended.
    void click(const char* name);
    // Picks an entry from the drop-down list with the mouse.
    void choose(const char* comboName, int index);
    void type(QWidget* w, const QString& text);
    void pressEnter(QWidget* w);
    // Selects 9600 bit/s (the first start shows 1200) and opens COM 1.
    void openAt9600();

    // Runs the event loop until `done` holds or the timeout passes.
    static bool waitUntil(const std::function<bool()>& done, int timeoutMs = kTimeoutMs);
    // Runs the event loop for `ms` of real time.
    static void runFor(int ms);

    testsupport::TempDir dir_;
    ModalWatcher boxes_;
    std::unique_ptr<ModemSimProcess> sim_;
    std::unique_ptr<LumetraProgram> program_;
};

}  // namespace e2e
