// A pane is drawn at the pace of a screen, not of the poll tick: changes
// that come faster than a frame are painted together, the last one always
// shows, and the document catches up with the model when the frame ends.
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStyleFactory>
#include <QStyleOptionSlider>
#include <memory>

#include "platform/qt/PaneScrollStyle.h"
#include "tests/qt/QtForm.h"

namespace qttest {
namespace {

class PanePaints : public QtForm {
protected:
    void SetUp() override {
        QtForm::SetUp();
        pane = widget<QPlainTextEdit>("Pane");
        ASSERT_NE(pane, nullptr);
        Pump(50);
    }
    // What the poll tick does with a burst of received text.
    void append(const std::u16string& s) {
        form_.Pane.setSelStart(static_cast<int>(form_.Pane.text().size()));
        form_.Pane.setSelLength(0);
        form_.Pane.setSelText(s);
        form_.Pane.setSelStart(static_cast<int>(form_.Pane.text().size()));
        form_.Pane.refresh();
    }

    QPlainTextEdit* pane = nullptr;
};

TEST_F(PanePaints, ChangesFasterThanAFrameAreDrawnTogether) {
    PaintCounter paints(pane->viewport());
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 40; ++i) {
        append(u"+CSQ: 25,99\r\n");
        QCoreApplication::processEvents();  // the event loop runs between two ticks
    }
    const auto inStep = [&] { return pane->document()->characterCount() - 1 == static_cast<int>(form_.Pane.text().size()); };
    EXPECT_TRUE(PumpUntil(inStep, 1000));
    // One paint for each frame begun (40 ms, taken up to 2 ms early), one for the frame in progress.
    EXPECT_LE(paints.count, clock.elapsed() / 38 + 2);
}

TEST_F(PanePaints, TheLastChangeIsPaintedAndPaintingThenStops) {
    PaintCounter paints(pane->viewport());
    for (int i = 0; i < 9; ++i) {
        append(u"OK\r\n");
        QCoreApplication::processEvents();
    }
    const int beforeLast = paints.count;
    append(u"ERROR\r\n");
    EXPECT_TRUE(PumpUntil([&] { return paints.count > beforeLast; }, 1000));
    Pump(50);
    const int settled = paints.count;
    Pump(50);
    EXPECT_EQ(paints.count, settled);  // nothing is repainted again and again
}

// A reply after a quiet spell is not held back: what is on screen at once
// is what stays there.
TEST_F(PanePaints, AChangeAfterAQuietSpellShowsAtOnce) {
    pane->clearFocus();  // no caret blinking between the two looks
    PaintCounter paints(pane->viewport());
    append(u"AT\r\r\nOK\r\n");
    QCoreApplication::processEvents();
    EXPECT_GE(paints.count, 1);
    const QImage now = pane->grab().toImage();
    Pump(50);
    EXPECT_EQ(pane->grab().toImage(), now);
}

TEST_F(PanePaints, TheUsersTypingShowsAtOnce) {
    pane->setFocus();
    PaintCounter paints(pane->viewport());
    TypeText(pane, "x");
    QCoreApplication::processEvents();
    EXPECT_EQ(form_.Pane.text(), u"x");
    EXPECT_GE(paints.count, 1);
}

// The scroll bar's buttons and thumb are copies of what the plain style
// draws: pixel for pixel the same, wherever the thumb stands and whatever
// its size, also when a size comes back from the copies kept.
TEST(PaneScrollBar, ItsPartsAreThePlainStylesToThePixel) {
    std::unique_ptr<QStyle> plain(QStyleFactory::create(QStringLiteral("Windows")));
    QScrollBar ours(Qt::Vertical);
    ours.setStyle(new platform::qt::PaneScrollStyle(&ours));
    QScrollBar reference(Qt::Vertical);
    reference.setStyle(plain.get());
    for (const auto& [maximum, value] : {std::pair{10, 0}, {10, 5}, {300, 300}, {40, 17}, {10, 5}}) {
        for (QScrollBar* b : {&ours, &reference}) {
            b->resize(17, 200);
            b->setRange(0, maximum);
            b->setPageStep(8);
            b->setValue(value);
        }
        const QImage got = ours.grab().toImage();
        const QImage want = reference.grab().toImage();
        QStyleOptionSlider option;
        option.initFrom(&reference);
        option.orientation = Qt::Vertical;
        option.maximum = maximum;
        option.pageStep = 8;
        option.sliderPosition = option.sliderValue = value;
        for (auto part : {QStyle::SC_ScrollBarSubLine, QStyle::SC_ScrollBarAddLine, QStyle::SC_ScrollBarSlider}) {
            const QRect r = plain->subControlRect(QStyle::CC_ScrollBar, &option, part, &reference);
            ASSERT_FALSE(r.isEmpty());
            EXPECT_EQ(got.copy(r), want.copy(r)) << "part " << part << " at " << value << " of " << maximum;
        }
    }
}

}  // namespace
}  // namespace qttest
