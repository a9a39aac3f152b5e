// While text streams in, a pane's document takes the model's changes once a
// frame, a run of appends as one insertion; the user never acts on a pane
// that is behind its model.
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <tuple>

#include "platform/qt/PaneBacklog.h"
#include "platform/qt/PaneText.h"
#include "tests/qt/QtForm.h"

namespace qttest {
namespace {

using platform::qt::PaneBacklog;

class PaneFrames : public QtForm {
protected:
    void SetUp() override {
        QtForm::SetUp();
        pane = widget<QPlainTextEdit>("Pane");
        ASSERT_NE(pane, nullptr);
        QObject::connect(pane->document(), &QTextDocument::contentsChange,
                         [this](int p, int r, int a) { changes.emplace_back(p, r, a); });
        Pump(50);
    }
    // What the poll tick does with a burst, then the event loop's turn.
    void tick(const std::u16string& s) {
        form_.Pane.setSelStart(static_cast<int>(form_.Pane.text().size()));
        form_.Pane.setSelText(s);
        form_.Pane.refresh();
        QCoreApplication::processEvents();
    }
    bool inStep() const {
        return pane->document()->toPlainText() ==
                   platform::qt::PaneText::toDocument(form_.Pane.text()).replace(QChar::ParagraphSeparator, '\n') &&
               pane->textCursor().position() == form_.Pane.selStart() + form_.Pane.selLength();
    }
    // A first tick shows at once and begins a frame; the next ones wait for its end.
    void startFrame() {
        tick(u"AT\r\r\n");
        ASSERT_TRUE(inStep());
        clock.start();
        changes.clear();
    }
    // The ticks must all have come within the frame begun by startFrame.
    bool stillInFrame() const { return clock.elapsed() < 12; }

    QPlainTextEdit* pane = nullptr;
    QElapsedTimer clock;
    std::vector<std::tuple<int, int, int>> changes;
};

TEST_F(PaneFrames, AppendsWithinAFrameReachTheDocumentAsOneInsertion) {
    startFrame();
    const int end = static_cast<int>(form_.Pane.text().size());
    for (int i = 0; i < 10; ++i) tick(u"+CSQ: 25,99\r\n");
    if (!stillInFrame()) GTEST_SKIP() << "ten ticks took " << clock.elapsed() << " ms, longer than a frame";
    EXPECT_TRUE(changes.empty());
    EXPECT_FALSE(inStep());
    EXPECT_TRUE(PumpUntil([&] { return inStep(); }, 1000));
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0], std::make_tuple(end, 0, 10 * 13));
    EXPECT_TRUE(pane->textCursor().atEnd());
}

TEST_F(PaneFrames, AKeyInAPaneThatIsBehindLandsAfterTheTextItWaitedFor) {
    pane->setFocus();
    Pump(50);  // the focus arrives, and with it any catching up
    startFrame();
    tick(u"OK\r\n");
    if (!stillInFrame()) GTEST_SKIP() << "the tick took longer than a frame";
    ASSERT_FALSE(inStep());
    TypeText(pane, "x");
    EXPECT_EQ(form_.Pane.text(), u"AT\r\r\nOK\r\nx");
    EXPECT_TRUE(inStep());
}

TEST_F(PaneFrames, AWholeNewTextShowsAtOnceAndLaterEditsFollowIt) {
    startFrame();
    tick(u"OK\r\n");
    form_.Pane.setText(u"RING\r\n");
    if (!stillInFrame()) GTEST_SKIP() << "the tick took longer than a frame";
    EXPECT_EQ(pane->document()->toPlainText(),
              platform::qt::PaneText::toDocument(u"RING\r\n").replace(QChar::ParagraphSeparator, '\n'));
    tick(u"+CLIP\r\n");
    EXPECT_TRUE(PumpUntil([&] { return inStep(); }, 1000));
    EXPECT_EQ(form_.Pane.text(), u"RING\r\n+CLIP\r\n");
}

// Text that keeps streaming in still reaches the document every few frames
// (the poll tick's 5 ms come on top, for about 50 ms in all).
TEST_F(PaneFrames, StreamedTextNeverWaitsLongerThanTheBound) {
    QElapsedTimer clock;
    clock.start();
    qint64 behindSince = -1, longest = 0, longestTick = 0, last = 0;
    while (clock.elapsed() < 600) {
        const qint64 now = clock.elapsed();
        longestTick = std::max(longestTick, now - last);
        last = now;
        tick(u"+CSQ: 25,99\r\n");
        if (behindSince < 0 && !inStep()) behindSince = now;
        Pump(4);
        if (behindSince >= 0) longest = std::max(longest, clock.elapsed() - behindSince);
        if (inStep()) behindSince = -1;
    }
    if (longestTick > 10) GTEST_SKIP() << "a tick came " << longestTick << " ms after the one before";
    EXPECT_LE(longest, 50);
}

TEST(PaneBacklogTest, InsertionsJoinOnlyWhereThePreviousOneEnded) {
    PaneBacklog b;
    EXPECT_TRUE(b.empty());
    b.addEdit(10, 2, u"ab");  // replaces two characters
    b.addEdit(12, 0, u"cd");  // right after it: joins
    b.addEdit(3, 0, u"x");    // elsewhere: its own edit
    b.addEdit(4, 1, u"y");    // right after, but removes: its own edit
    ASSERT_EQ(b.edits().size(), 3u);
    EXPECT_EQ(b.edits()[0].start, 10u);
    EXPECT_EQ(b.edits()[0].removed, 2u);
    EXPECT_EQ(b.edits()[0].inserted, u"abcd");
    EXPECT_EQ(b.edits()[1].inserted, u"x");
    EXPECT_EQ(b.edits()[2].removed, 1u);
    b.dropEdits();
    EXPECT_TRUE(b.edits().empty());
    b.markRefresh();
    EXPECT_FALSE(b.empty());
}

TEST(PaneBacklogTest, ACutFromTheFrontShortensWhatWaitsAndKeepsTheModelsText) {
    const std::u16string shown = u"0123456789";
    PaneBacklog b;
    b.addEdit(10, 0, u"abcdef");
    b.cutFront(4, shown.size());  // within the text shown
    EXPECT_EQ(b.appliedTo(shown), u"456789abcdef");
    b.cutFront(8, shown.size());  // on into what waits
    EXPECT_EQ(b.appliedTo(shown), u"cdef");
    EXPECT_EQ(b.edits().size(), 1u);
    b.addEdit(4, 0, u"gh");
    b.addEdit(1, 1, u"X");  // an edit elsewhere: a cut after it comes after it
    b.cutFront(2, shown.size());
    EXPECT_EQ(b.appliedTo(shown), u"efgh");
}

}  // namespace
}  // namespace qttest
