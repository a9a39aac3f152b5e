#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <tuple>

#include "platform/qt/PaneText.h"
#include "tests/qt/QtForm.h"

namespace qttest {
namespace {

class Repaint : public QtForm {};

TEST_F(Repaint, AnUnchangedPropertyCausesNoRepaint) {
    auto* label = widget<QLabel>("Caption");
    PaintCounter paints(label);
    form_.Caption.setBackColor({0, 255, 0});
    Pump(20);
    const int afterFirst = paints.count;
    EXPECT_GE(afterFirst, 1);
    for (int i = 0; i < 50; ++i) {
        form_.Caption.setBackColor({0, 255, 0});
        form_.Caption.setCaption(u"标签");
    }
    Pump(20);
    EXPECT_EQ(paints.count, afterFirst);
}

// Every change the document makes is recorded as (position, removed, added).
class PaneEdits : public QtForm {
protected:
    void SetUp() override {
        QtForm::SetUp();
        pane = widget<QPlainTextEdit>("Pane");
        QObject::connect(pane->document(), &QTextDocument::contentsChange,
                         [this](int p, int r, int a) { changes.emplace_back(p, r, a); });
    }
    void append(const std::u16string& s) {
        form_.Pane.setSelStart(static_cast<int>(form_.Pane.text().size()));
        form_.Pane.setSelText(s);
        form_.Pane.refresh();
    }
    // The model's caret and length index the document as they are.
    void expectInStep() {
        EXPECT_EQ(pane->document()->characterCount() - 1, static_cast<int>(form_.Pane.text().size()));
        EXPECT_EQ(pane->textCursor().position(), form_.Pane.selStart() + form_.Pane.selLength());
        EXPECT_EQ(pane->document()->toPlainText(),
                  platform::qt::PaneText::toDocument(form_.Pane.text()).replace(QChar::ParagraphSeparator, '\n'));
    }

    QPlainTextEdit* pane = nullptr;
    std::vector<std::tuple<int, int, int>> changes;
};

TEST_F(PaneEdits, AnAppendAndTheCutEditInPlaceAndNeverSetTheWholeText) {
    form_.Pane.setText(std::u16string(3999, u'x'));
    changes.clear();
    append(u"OK\r\n");
    form_.Pane.setText(form_.Pane.text().substr(2003));  // the cut keeps the last 2000
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0], std::make_tuple(3999, 0, 4));
    EXPECT_EQ(changes[1], std::make_tuple(0, 2003, 0));
    expectInStep();
}

TEST_F(PaneEdits, CrLfBreaksTheLineOnceWhereverItIsSplit) {
    append(u"AT\r");
    append(u"\r\nOK\r");
    append(u"\n");
    expectInStep();
    EXPECT_EQ(pane->document()->blockCount(), 4);  // "AT", "", "OK", ""
    EXPECT_EQ(pane->document()->findBlockByNumber(2).text().remove(platform::qt::PaneText::kHiddenLf), "OK");
}

TEST_F(PaneEdits, AReplacementMidTextRedrawsTheCharacterItPairsWith) {
    form_.Pane.setText(u"A\nB");
    form_.Pane.setSelStart(1);
    form_.Pane.setSelText(u"\r");  // now A CR LF B: one line break, not two
    expectInStep();
    EXPECT_EQ(pane->document()->blockCount(), 2);
    form_.Pane.setSelStart(0);
    form_.Pane.setSelLength(2);
    form_.Pane.setSelText(u"Z");  // Z LF B
    expectInStep();
    EXPECT_EQ(pane->document()->blockCount(), 2);
}

TEST_F(PaneEdits, ASelectionSetByCodeShowsInTheWidget) {
    form_.Pane.setText(u"hello world");
    form_.Pane.setSelStart(6);
    form_.Pane.setSelLength(5);
    EXPECT_EQ(pane->textCursor().selectedText(), QStringLiteral("world"));
    EXPECT_EQ(form_.Pane.selText(), u"world");  // not reported back as a user caret move
}

TEST_F(PaneEdits, UserEditsKeepTheModelsCarriageReturns) {
    form_.Pane.setText(u"AT\r\nOK");
    form_.Pane.setSelStart(6);
    TypeText(pane, "!");
    EXPECT_EQ(form_.Pane.text(), u"AT\r\nOK!");
    expectInStep();
}

// What is pasted reaches the model, and so the port, as it came; a copy gives
// the model's text, not the document's line breaks and stand-ins.
TEST_F(PaneEdits, PasteAndCopyCarryCarriageReturnsAndLineFeedsAsTheyAre) {
    QGuiApplication::clipboard()->setText(QStringLiteral("AT\r\nATI\rX\n"));
    pane->paste();
    append(u"OK\r\nAT\r\n");
    expectInStep();
    pane->selectAll();
    pane->copy();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("AT\r\nATI\rX\nOK\r\nAT\r\n"));
}

TEST_F(PaneEdits, TypingBetweenCrAndLfShowsBothBreaksAndTheLfIsNoCaretStop) {
    form_.Pane.setText(u"ab\r\ncd");
    form_.Pane.setSelStart(2);
    Type(pane, Qt::Key_Right, "");
    EXPECT_EQ(form_.Pane.selStart(), 4);
    Type(pane, Qt::Key_Left, "");
    EXPECT_EQ(form_.Pane.selStart(), 2);
    form_.Pane.setSelStart(3);
    TypeText(pane, "x");
    EXPECT_EQ(form_.Pane.text(), u"ab\rx\ncd");
    expectInStep();
}

TEST_F(PaneEdits, TabMovesTheFocusOnAndADisabledPaneHidesItsSelection) {
    pane->setFocus();
    Type(pane, Qt::Key_Tab, "\t");
    EXPECT_FALSE(pane->hasFocus());
    EXPECT_EQ(form_.Pane.text(), u"");
    form_.Pane.setText(u"chunk being sent");
    form_.Pane.setEnabled(false);
    const QImage unselected = pane->viewport()->grab().toImage();
    form_.Pane.setSelLength(5);
    EXPECT_EQ(pane->viewport()->grab().toImage(), unselected);
}

}  // namespace
}  // namespace qttest
