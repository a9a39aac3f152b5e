#include <QLabel>
#include <QPlainTextEdit>
#include <QWindow>
#include <functional>

#include "tests/qt/QtConsole.h"
#include "tests/qt/QtHelpers.h"

namespace qttest {
namespace {

// The right-hand column in twips: the upper pane's width and height, the
// lower pane's height. Everything else follows from the stacking rule.
struct Column {
    float width, upper, lower;
};

// The real window, resized by the user and with its splitter bar dragged by
// the mouse, lays out the real widgets.
class Splitter : public QtConsole {
protected:
    void SetUp() override {
        load();  // no settings: the first-run size, 8000 x 6000
        ASSERT_EQ(form().width(), 8000.0f);
        ASSERT_EQ(form().height(), 6000.0f);
    }

    const platform::qt::TwipsScale& scale() { return platform_.scale(); }
    QLabel* bar() { return widget<QLabel>("LabelMove"); }
    // 30 twips below the bar's top, the middle of its 60.
    QPoint middleOfBar() { return bar()->pos() + QPoint(bar()->width() / 2, bar()->height() / 2); }

    // The user drags the window's frame to an outer size given in twips.
    void resizeOuter(float w, float h) {
        const QSize frame = view()->frameGeometry().size() - view()->size();
        view()->resize(scale().toPixels(w) - frame.width(), scale().toPixels(h) - frame.height());
        // Just after the start the window may still settle; a resize then
        // is taken once it has stood a while.
        PumpUntil([&] { return form().width() == w && form().height() == h; });
        ASSERT_EQ(form().width(), w);
        ASSERT_EQ(form().height(), h);
    }

    // A mouse event `dy` pixels below the middle of the bar as it stood when
    // the drag began. It goes through the window, as the window system
    // delivers it, so the toolkit picks the receiver and keeps it while a
    // button is held.
    void pointer(QEvent::Type type, int dy, Qt::MouseButton button, Qt::MouseButtons held,
                 Qt::KeyboardModifiers mods = Qt::NoModifier) {
        const QPointF local(barMiddle_ + QPoint(0, dy));
        const QPointF global = QPointF(view()->mapToGlobal(QPoint(0, 0))) + local;
        QMouseEvent e(type, local, local, global, button, held, mods);
        QCoreApplication::sendEvent(view()->windowHandle(), &e);
    }
    // Press on the bar's middle, move the pointer to each of `moves` (pixels
    // below where the press was; the bar follows it), release where it ends.
    void drag(std::initializer_list<int> moves, const std::function<void()>& afterEachMove,
              Qt::MouseButton button = Qt::LeftButton, Qt::MouseButtons held = Qt::LeftButton,
              Qt::KeyboardModifiers mods = Qt::NoModifier) {
        barMiddle_ = middleOfBar();
        pointer(QEvent::MouseButtonPress, 0, button, held, mods);
        int last = 0;
        for (int dy : moves) {
            last = dy;
            pointer(QEvent::MouseMove, dy, Qt::NoButton, held, mods);
            afterEachMove();
        }
        pointer(QEvent::MouseButtonRelease, last, button, held & ~button, mods);
        Pump();
    }

    void expectWidgets(const Column& c) {
        const QRect upper = scale().toPixels(1560, 0, c.width, c.upper);
        const QRect barRect = scale().toPixels(1560, c.upper - 10, c.width, 60);
        const QRect lower = scale().toPixels(1560, c.upper + 40, c.width, c.lower);
        EXPECT_EQ(widget<QPlainTextEdit>("TextOut")->geometry(), upper);
        EXPECT_EQ(bar()->geometry(), barRect);
        EXPECT_EQ(widget<QPlainTextEdit>("RTextBuf")->geometry(), lower);
    }

    QPoint barMiddle_;
};

TEST_F(Splitter, EveryWindowSizeLaysTheColumnOutAgain) {
    // The first-run size; at 96 dpi the upper pane is 423 x 137 pixels.
    expectWidgets({6340, 2060, 3490});
    EXPECT_EQ(widget<QPlainTextEdit>("TextOut")->geometry(), QRect(104, 0, 423, 137));
    resizeOuter(9000, 7200);
    EXPECT_EQ(form().TextOut.width(), 7340.0f);
    expectWidgets({7340, 2540, 4210});
    resizeOuter(1650, 1500);  // narrower than the left column, lower than 2000
    expectWidgets({100, 460, 1090});
    resizeOuter(8010, 6000);
    expectWidgets({6350, 2060, 3490});
}

TEST_F(Splitter, TheLeftButtonDragsTheSplitWithinItsLimits) {
    std::vector<Column> seen;
    const auto record = [&] {
        seen.push_back({form().TextOut.width(), form().TextOut.height(), form().RTextBuf.height()});
    };
    // 33 pixels (495 twips) down from the bar's middle; then below the
    // window's bottom; then above its top: the bar keeps the moves while held.
    drag({33, 300, -170}, [&] {
        record();
        expectWidgets(seen.back());
    });
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].upper, 2555.0f);  // 20 twips above the pointer
    EXPECT_EQ(seen[0].lower, 2995.0f);
    EXPECT_EQ(seen[1].upper, 5000.0f);
    EXPECT_EQ(seen[1].lower, 550.0f);
    EXPECT_EQ(seen[2].upper, 600.0f);
    EXPECT_EQ(seen[2].lower, 4950.0f);
    EXPECT_EQ(bar()->geometry(), scale().toPixels(1560, 590, 6340, 60));

    resizeOuter(8010, 6000);  // one pixel wider: the resize rule's split again
    expectWidgets({6350, 2060, 3490});
}

// The window hands this toolkit whole pixels; a screen with a fractional
// scale hands the bar positions between them, and those count in twips.
TEST_F(Splitter, APointerBetweenPixelsAsksForItsExactTwips) {
    const QPointF at(bar()->width() / 2.0, (30 + 500) / scale().twipsPerPixel());  // 500 below the middle
    QMouseEvent move(QEvent::MouseMove, at, at, bar()->mapToGlobal(at), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(bar(), &move);
    EXPECT_EQ(form().TextOut.height(), 2560.0f);
    EXPECT_EQ(form().LabelMove.top(), 2550.0f);
    EXPECT_EQ(form().RTextBuf.top(), 2600.0f);
    expectWidgets({6340, 2560, 2990});
}

TEST_F(Splitter, OtherButtonsAndHeldKeysMoveNoPane) {
    const QRect upper = widget<QPlainTextEdit>("TextOut")->geometry();
    const QRect lower = widget<QPlainTextEdit>("RTextBuf")->geometry();
    const QRect barRect = bar()->geometry();
    int moves = 0;
    const auto unchanged = [&] {
        ++moves;
        EXPECT_EQ(widget<QPlainTextEdit>("TextOut")->geometry(), upper);
        EXPECT_EQ(widget<QPlainTextEdit>("RTextBuf")->geometry(), lower);
        EXPECT_EQ(bar()->geometry(), barRect);
    };
    drag({33, -40}, unchanged, Qt::RightButton, Qt::RightButton);
    drag({33}, unchanged, Qt::LeftButton, Qt::LeftButton | Qt::RightButton);
    for (Qt::KeyboardModifier key : {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier})
        drag({33}, unchanged, Qt::LeftButton, Qt::LeftButton, key);
    EXPECT_EQ(moves, 6);
    EXPECT_EQ(form().TextOut.height(), 2060.0f);
    drag({33}, [] {});  // and the plain left button still drags
    EXPECT_EQ(form().TextOut.height(), 2555.0f);
}

// The bar shows its own pointer, two bars with arrows up and down, with the
// hot spot between them; the panes it overlaps do not take it over.
TEST_F(Splitter, ThePointerOverTheBarIsTheSplitterCursor) {
    const QCursor own = bar()->cursor();
    EXPECT_EQ(own.shape(), Qt::BitmapCursor);
    EXPECT_EQ(own.hotSpot(), QPoint(15, 14));
    const QPoint middle = middleOfBar();
    EXPECT_EQ(view()->childAt(middle), bar());
    barMiddle_ = middle;
    pointer(QEvent::MouseMove, 0, Qt::NoButton, Qt::NoButton);
    Pump();
    EXPECT_EQ(view()->windowHandle()->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(view()->windowHandle()->cursor().hotSpot(), QPoint(15, 14));
    pointer(QEvent::MouseMove, -40, Qt::NoButton, Qt::NoButton);  // over the upper pane
    Pump();
    EXPECT_NE(view()->windowHandle()->cursor().shape(), Qt::BitmapCursor);
}

}  // namespace
}  // namespace qttest
