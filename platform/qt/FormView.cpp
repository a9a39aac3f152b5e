#include "platform/qt/FormView.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <algorithm>

#include "platform/qt/ButtonBinding.h"
#include "platform/qt/FontMapper.h"
#include "platform/qt/LineBinding.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/TimerBinding.h"
#include "ui/Controls.h"
#include "ui/Form.h"

namespace platform::qt {

FormView::FormView(QtPlatform& platform, ui::Form& form, TwipsScale scale)
    : platform_(platform), form_(form), scale_(scale), binder_(*this), geometry_(*this, form, scale_) {
    setObjectName(QString::fromStdU16String(form.name()));
    setAttribute(Qt::WA_QuitOnClose, true);
    applyFlags();
    setFont(FontMapper::toQFont(form.font()));
    setWindowTitle(QString::fromStdU16String(form.caption()));
    applyBackColor();
    geometry_.applyBounds();
    binder_.bindAll();
}

FormView::~FormView() {
    attached_ = false;
}

QString FormView::objectNameOf(const ui::Control& c) {
    QString name = QString::fromStdU16String(c.name());
    if (c.index() >= 0) name += QLatin1Char('_') + QString::number(c.index());
    return name;
}

FormView* FormView::owning(QWidget* w) {
    for (; w; w = w->parentWidget()) {
        if (auto* view = dynamic_cast<FormView*>(w)) return view;
        if (w->isWindow() && w->windowType() != Qt::Popup) return nullptr;
    }
    return nullptr;
}

bool FormView::refusesInput() const {
    return attached_ && !form_.enabled();
}

void FormView::detach() {
    stopTimers();
    geometry_.stop();
    attached_ = false;
}

void FormView::applyFlags() {
    Qt::WindowFlags flags = form_.sizable() ? Qt::WindowFlags(Qt::Window)
                                            : Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                                                  Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    if (form_.topMost()) flags |= Qt::WindowStaysOnTopHint;
    setWindowFlags(flags);
}

// Changing a flag hides a shown window; it comes back where it was, and what
// the window reports meanwhile is not the user's doing.
void FormView::applyTopMost() {
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == form_.topMost()) return;
    const bool shown = isVisible();
    reshowing_ = true;
    setWindowFlag(Qt::WindowStaysOnTopHint, form_.topMost());
    if (shown) show();
    reshowing_ = false;
}

// The background is the form's own whatever the desktop's theme, so the
// text drawn on it without a colour of its own is the toolkit's black, not
// the theme's text colour (light in a dark theme). Disabled text keeps the
// theme's look.
void FormView::applyBackColor() {
    QPalette p = palette();
    const ui::Color c = form_.backColor();
    p.setColor(QPalette::Window, QColor(c.r, c.g, c.b));
    p.setColor(QPalette::Active, QPalette::WindowText, Qt::black);
    p.setColor(QPalette::Inactive, QPalette::WindowText, Qt::black);
    setPalette(p);
    setAutoFillBackground(true);
}

void FormView::showFromModel() {
    geometry_.showing();
    if (form_.windowState() == ui::Maximized)
        showMaximized();
    else if (form_.windowState() == ui::Minimized)
        showMinimized();
    else
        show();
}

void FormView::closeFromPlatform() {
    closing_ = true;
    close();
}

void FormView::scheduleTimers() {
    for (const auto& b : binder_.bindings())
        if (auto* t = dynamic_cast<TimerBinding*>(b.get())) t->schedule();
}

void FormView::stopTimers() {
    for (const auto& b : binder_.bindings())
        if (auto* t = dynamic_cast<TimerBinding*>(b.get())) t->stop();
}

// Focus moves in the order of the controls' tab indexes.
void FormView::updateTabOrder() {
    std::vector<std::pair<int, QWidget*>> order;
    for (const auto& b : binder_.bindings())
        if (b->widget() && b->widget()->focusPolicy() != Qt::NoFocus)
            order.emplace_back(b->control().tabIndex(), b->widget());
    std::stable_sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1].second, order[i].second);
}

void FormView::applyForm(ui::Prop prop) {
    switch (prop) {
        case ui::Prop::Caption:
            setWindowTitle(QString::fromStdU16String(form_.caption()));
            break;
        case ui::Prop::Left:
        case ui::Prop::Top:
        case ui::Prop::Width:
        case ui::Prop::Height:
            geometry_.applyBounds();
            break;
        case ui::Prop::WindowState:
            applyTopMost();
            geometry_.applyState();
            break;
        case ui::Prop::BackColor:
            applyBackColor();
            break;
        case ui::Prop::Enabled:
            platform_.refreshInputFilter();  // which asks the form at each event
            break;
        default:
            break;
    }
}

// The close box unloads the form through the platform; a disabled form
// cannot be closed, and Unload may keep it open.
void FormView::closeEvent(QCloseEvent* event) {
    if (closing_ || !attached_) return event->accept();
    if (!form_.enabled() || !platform_.runUnload(form_)) return event->ignore();
    event->accept();
    platform_.finishUnload(form_);
}

void FormView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (attached_ && !reshowing_) geometry_.changed();
}

void FormView::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (attached_ && !reshowing_) geometry_.changed();
}

void FormView::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && attached_ && !reshowing_) geometry_.changed();
}

// Only what reaches the window itself is a double click on the form: the
// controls keep their own.
void FormView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && attached_) form_.userDblClick();
    QWidget::mouseDoubleClickEvent(event);
}

// Enter clicks the focused command button, else the default one; Escape
// the cancel button.
void FormView::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    bool done = false;
    if (attached_ && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        done = clickFocusedButton() || clickButton([](const ui::CommandButton& b) { return b.isDefault(); });
    } else if (attached_ && key == Qt::Key_Escape) {
        done = clickButton([](const ui::CommandButton& b) { return b.isCancel(); });
    }
    if (!done) QWidget::keyPressEvent(event);
}

bool FormView::clickFocusedButton() {
    for (const auto& b : binder_.bindings()) {
        auto* button = dynamic_cast<ButtonBinding*>(b.get());
        if (button && button->widget() == focusWidget()) {
            button->button().userClick();
            return true;
        }
    }
    return false;
}

bool FormView::clickButton(bool (*role)(const ui::CommandButton&)) {
    for (ui::Control* c : form_.controls()) {
        if (c->kind() != ui::Kind::CommandButton) continue;
        auto* button = static_cast<ui::CommandButton*>(c);
        if (!role(*button) || !button->acceptsInput()) continue;
        button->userClick();
        return true;
    }
    return false;
}

void FormView::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    QPainter painter(this);
    for (const auto& b : binder_.bindings()) {
        const auto* lb = dynamic_cast<const LineBinding*>(b.get());
        if (lb && lb->line().visible()) lb->paint(painter);
    }
}

}  // namespace platform::qt
