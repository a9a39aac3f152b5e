// While text streams in, a pane's document takes the model's changes once a
// frame, a run of appends as one insertion; nothing the user does meanwhile
// loses or moves a received character. The frames run on a test's clock,
// which stands still unless a test moves it.
#include <QClipboard>
#include <QGuiApplication>
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
        PacerOf(*view(), form_.Pane).setClock([this] { return now; });
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
        changes.clear();
    }
    bool endFrame() {
        now += 50;
        return PumpUntil([&] { return inStep(); }, 1000);
    }
    QPoint at(int position) const {
        QTextCursor c(pane->document());
        c.setPosition(position);
        return pane->cursorRect(c).center();
    }
    void selectInDocument(int from, int to) {
        QTextCursor c = pane->textCursor();
        c.setPosition(from);
        c.setPosition(to, QTextCursor::KeepAnchor);
        pane->setTextCursor(c);
    }
    // Each on its own turn of the event loop, as from the window system.
    void mouse(QEvent::Type type, int position, Qt::MouseButtons held) {
        Mouse(pane->viewport(), type, at(position), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held);
        QCoreApplication::processEvents();
    }

    QPlainTextEdit* pane = nullptr;
    std::int64_t now = 1000;
    std::vector<std::tuple<int, int, int>> changes;
};

TEST_F(PaneFrames, AppendsWithinAFrameReachTheDocumentAsOneInsertion) {
    startFrame();
    const int end = static_cast<int>(form_.Pane.text().size());
    for (int i = 0; i < 10; ++i) tick(u"+CSQ: 25,99\r\n");
    Pump(60);  // the frame timer comes, but the frame is not over by the clock
    EXPECT_TRUE(changes.empty());
    EXPECT_FALSE(inStep());
    EXPECT_TRUE(endFrame());
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0], std::make_tuple(end, 0, 10 * 13));
    EXPECT_TRUE(pane->textCursor().atEnd());
}

TEST_F(PaneFrames, AKeyInAPaneThatIsBehindLandsAfterTheTextItWaitedFor) {
    pane->setFocus();
    Pump(50);  // the focus arrives, and with it any catching up
    startFrame();
    tick(u"OK\r\n");
    ASSERT_FALSE(inStep());
    TypeText(pane, "x");
    Type(pane, Qt::Key_Return, "\r");  // a line break is typed as CR, as the core's helper types it
    EXPECT_EQ(form_.Pane.text(), u"AT\r\r\nOK\r\nx\r");
    EXPECT_TRUE(inStep());
}

TEST_F(PaneFrames, AWholeNewTextShowsAtOnceAndLaterEditsFollowIt) {
    startFrame();
    tick(u"OK\r\n");
    form_.Pane.setText(u"RING\r\n");
    EXPECT_EQ(pane->document()->toPlainText(),
              platform::qt::PaneText::toDocument(u"RING\r\n").replace(QChar::ParagraphSeparator, '\n'));
    tick(u"+CLIP\r\n");
    EXPECT_TRUE(endFrame());
    EXPECT_EQ(form_.Pane.text(), u"RING\r\n+CLIP\r\n");
}

// The poll's ticks every 5 ms, each with text, on a focused pane with its
// caret blinking: every change is in the document within 50 ms of its tick
// and painted before the clock moves on; the document takes at most one
// change a frame.
TEST_F(PaneFrames, StreamedTextIsPaintedWithinTheBoundOnceAFrame) {
    pane->setFocus();
    Pump(50);
    PaintCounter paints(pane->viewport());
    std::int64_t waitingSince = -1, longest = 0, lastChange = -1000, shortestGap = 1000;
    for (const std::int64_t start = now; now < start + 1000; ++now) {
        if (now % 5 == 0) tick(u"+CSQ: 25,99\r\n");
        PacerOf(*view(), form_.Pane).endFrameIfDue();  // what the frame timer does at its time
        const int painted = paints.count;
        QCoreApplication::processEvents();
        if (!changes.empty()) {
            shortestGap = std::min(shortestGap, now - lastChange);
            lastChange = now;
            EXPECT_TRUE(PumpUntil([&] { return paints.count > painted; }, 1000)) << "at " << now;
            changes.clear();
        }
        if (inStep()) {
            if (waitingSince >= 0) longest = std::max(longest, now - waitingSince);
            waitingSince = -1;
        } else if (waitingSince < 0) {
            waitingSince = now;
        }
    }
    EXPECT_LT(longest, 50);
    EXPECT_GE(shortestGap, 38);
}

// A click into a selection moves the caret when the button comes up; the
// text that came meanwhile stays.
TEST_F(PaneFrames, ACaretMoveWhileTextWaitsKeepsEveryReceivedByte) {
    startFrame();
    selectInDocument(0, 2);
    ASSERT_EQ(form_.Pane.selText(), u"AT");
    mouse(QEvent::MouseButtonPress, 1, Qt::LeftButton);
    tick(u"OK\r\n");
    mouse(QEvent::MouseButtonRelease, 1, Qt::NoButton);
    EXPECT_EQ(form_.Pane.text(), u"AT\r\r\nOK\r\n");
    EXPECT_EQ(form_.Pane.selStart(), 1);
    EXPECT_TRUE(endFrame());
}

// The selection a drag makes stands on the characters dragged over, also
// where the model cut some of them away before the document showed it.
TEST_F(PaneFrames, AMouseDragWhileTextWaitsKeepsEveryReceivedByte) {
    startFrame();
    mouse(QEvent::MouseButtonPress, 0, Qt::LeftButton);
    form_.Pane.setText(form_.Pane.text().substr(1));  // the cut
    tick(u"OK\r\n");
    mouse(QEvent::MouseMove, 2, Qt::LeftButton);
    EXPECT_EQ(form_.Pane.selText(), u"T");
    tick(u"RING\r\n");
    mouse(QEvent::MouseMove, 2, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, 2, Qt::NoButton);
    EXPECT_EQ(form_.Pane.text(), u"T\r\r\nOK\r\nRING\r\n");
    EXPECT_EQ(form_.Pane.selText(), u"T\r");
    EXPECT_TRUE(endFrame());
}

// A cut from the menu takes only what the user saw and selected; what is
// pasted goes in beside the text that came meanwhile.
TEST_F(PaneFrames, ACutAndAPasteWhileTextWaitsKeepEveryReceivedByte) {
    startFrame();
    selectInDocument(0, 2);
    tick(u"OK\r\n");
    pane->cut();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("AT"));
    EXPECT_EQ(form_.Pane.text(), u"\r\r\nOK\r\n");
    EXPECT_TRUE(inStep());
    tick(u"ERROR\r\n");
    pane->paste();
    EXPECT_EQ(form_.Pane.text(), u"\r\r\nOK\r\nERROR\r\nAT");
    EXPECT_TRUE(inStep());
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
