#include "platform/qt/QtPlatform.h"

#include <QApplication>
#include <QDate>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

#include "platform/qt/FontMapper.h"
#include "platform/qt/FormView.h"
#include "ui/Form.h"

namespace platform::qt {

namespace {

QMessageBox::Icon IconFor(int style) {
    switch (style & 0x70) {
        case 16:
            return QMessageBox::Critical;
        case 32:
            return QMessageBox::Question;
        case 48:
            return QMessageBox::Warning;
        case 64:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

QRect ScreenPixels() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}

}  // namespace

QtPlatform::QtPlatform(ui::AppInfo app) : app_(std::move(app)), scale_(TwipsScale::ofPrimaryScreen()) {
    FontMapper::installSubstitutions();
    QApplication::setQuitOnLastWindowClosed(true);
}

// The forms may be gone by now: the windows are deleted without a word to them.
QtPlatform::~QtPlatform() {
    if (filtering_) qApp->removeEventFilter(&filter_);
    for (auto& [form, view] : views_) {
        view->detach();
        delete view;
    }
    for (const QPointer<FormView>& view : retired_) delete view.data();
}

// One pass over what is pending; with nothing pending, it sleeps until the
// next event (a timer, input), so a wait loop costs no CPU.
void QtPlatform::doEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

// No event runs while the thread sleeps: what the windows hold back for
// their next frame is painted first, so what came before the pause shows.
void QtPlatform::sleep(int ms) {
    for (auto& [form, view] : views_) view->binder().showNow();
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// Nobody is left to answer a box at the end of a session, and the session
// manager does not wait for one: the handler gets the default answer.
int QtPlatform::messageBox(const std::u16string& text, int style, const std::u16string& title) {
    if (ending_) return ui::mb::Ok;
    QMessageBox box(IconFor(style), QString::fromStdU16String(title), QString::fromStdU16String(text), QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    boxes_.push_back(&box);
    box.exec();
    boxes_.erase(std::find(boxes_.begin(), boxes_.end(), &box));
    return ui::mb::Ok;
}

// Each box's loop ends; the handlers go on as their boxes return.
void QtPlatform::endSession() {
    ending_ = true;
    for (QMessageBox* box : std::vector<QMessageBox*>(boxes_))
        if (QPushButton* button = box->defaultButton()) button->click();
}

ui::Date QtPlatform::today() {
    const QDate d = QDate::currentDate();
    return ui::Date{d.year(), d.month(), d.day()};
}

float QtPlatform::screenWidthTwips() {
    return scale_.toTwips(ScreenPixels().width());
}
float QtPlatform::screenHeightTwips() {
    return scale_.toTwips(ScreenPixels().height());
}

FormView* QtPlatform::viewOf(const ui::Form& form) const {
    auto it = views_.find(&form);
    return it == views_.end() ? nullptr : it->second;
}

void QtPlatform::show(ui::Form& form) {
    if (FormView* view = viewOf(form)) {
        if (!view->isVisible()) view->show();
        view->raise();
        view->activateWindow();
        return;
    }
    auto* view = new FormView(*this, form, scale_);
    views_[&form] = view;
    refreshInputFilter();
    form.setLoaded(true);
    form.setObserver(&view->binder());
    view->scheduleTimers();
    if (form.Load) dispatch(form.Load);
    if (!form.loaded() || viewOf(form) != view) return;  // Load unloaded it
    view->showFromModel();
    if (form.Resize) dispatch(form.Resize);
}

// The filter sees every event the application delivers, the poll's timer
// events included, so it is in place only while some form refuses input.
void QtPlatform::refreshInputFilter() {
    const bool needed =
        std::any_of(views_.begin(), views_.end(), [](const auto& entry) { return entry.second->refusesInput(); });
    if (needed == filtering_) return;
    filtering_ = needed;
    if (needed)
        qApp->installEventFilter(&filter_);
    else
        qApp->removeEventFilter(&filter_);
}

void QtPlatform::unload(ui::Form& form) {
    FormView* view = viewOf(form);
    if (!form.loaded() || !view) return;
    if (!runUnload(form)) return;
    finishUnload(form);
    view->closeFromPlatform();
}

bool QtPlatform::runUnload(ui::Form& form) {
    std::int16_t cancel = 0;
    if (FormView* view = viewOf(form)) view->settleGeometry();
    if (form.Unload) dispatch([&] { form.Unload(cancel); });
    return cancel == 0;
}

// The window is deleted later: its own close event may be what got us here.
void QtPlatform::finishUnload(ui::Form& form) {
    FormView* view = viewOf(form);
    if (!view) return;
    view->detach();
    if (form.observer() == &view->binder()) form.setObserver(nullptr);
    form.setLoaded(false);
    views_.erase(&form);
    refreshInputFilter();
    retired_.erase(std::remove(retired_.begin(), retired_.end(), nullptr), retired_.end());
    retired_.emplace_back(view);
    view->deleteLater();
}

void QtPlatform::escaped(const char* what) noexcept {
    std::fprintf(stderr, "lumetra: %s\n", what);
}

}  // namespace platform::qt
