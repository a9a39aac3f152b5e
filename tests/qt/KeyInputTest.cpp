#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "platform/qt/KeyTranslator.h"
#include "tests/qt/QtForm.h"

namespace qttest {
namespace {

using platform::qt::KeyTranslator;

std::optional<std::int16_t> CodeOf(int key, const QString& text, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    const QKeyEvent e(QEvent::KeyPress, key, mods, text);
    return KeyTranslator::code(e);
}

// 中 is D6 D0 in code page 936: lead byte high, as a signed 16-bit code.
constexpr std::int16_t kZhong = static_cast<std::int16_t>(0xD6D0 - 0x10000);

TEST(KeyTranslator, GivesTheCodesHandlersExpect) {
    EXPECT_EQ(CodeOf(Qt::Key_A, "a"), 97);
    EXPECT_EQ(CodeOf(Qt::Key_A, "A", Qt::ShiftModifier), 65);
    EXPECT_EQ(CodeOf(Qt::Key_5, "5"), 53);
    EXPECT_EQ(CodeOf(Qt::Key_Return, "\r"), 13);
    EXPECT_EQ(CodeOf(Qt::Key_Enter, "\r", Qt::KeypadModifier), 13);
    EXPECT_EQ(CodeOf(Qt::Key_Backspace, "\b"), 8);
    EXPECT_EQ(CodeOf(Qt::Key_C, "", Qt::ControlModifier), 3);
    EXPECT_EQ(CodeOf(Qt::Key_V, "\x16", Qt::ControlModifier), 22);
    EXPECT_EQ(CodeOf(0, QStringLiteral("中")), kZhong);
    EXPECT_EQ(CodeOf(Qt::Key_Left, ""), std::nullopt);
    EXPECT_EQ(CodeOf(Qt::Key_Delete, "\x7f"), std::nullopt);
    EXPECT_EQ(CodeOf(Qt::Key_Tab, "\t"), std::nullopt);
    EXPECT_EQ(KeyTranslator::text(kZhong), QStringLiteral("中"));
    EXPECT_EQ(KeyTranslator::text(66), QStringLiteral("B"));
}

class KeyInput : public QtForm {};

TEST_F(KeyInput, TypingRunsKeyPressThenReportsTheText) {
    auto* box = widget<QLineEdit>("Box");
    TypeText(box, "ab");
    Type(box, 0, QStringLiteral("中"));
    EXPECT_EQ(form_.boxKeys, (std::vector<std::int16_t>{97, 98, kZhong}));
    EXPECT_EQ(form_.Box.text(), u"ab中");
    Type(box, Qt::Key_Backspace, "\b");
    EXPECT_EQ(form_.boxKeys.back(), 8);
    EXPECT_EQ(form_.Box.text(), u"ab");
}

TEST_F(KeyInput, ACodeSetToZeroCancelsAndAChangedCodeTypesItsCharacter) {
    auto* box = widget<QLineEdit>("Box");
    form_.cancelKey = 'x';
    form_.replaceKey = 'a';
    form_.replacement = kZhong;
    TypeText(box, "xa1");
    EXPECT_EQ(box->text(), QStringLiteral("中1"));
    EXPECT_EQ(form_.Box.text(), u"中1");
}

TEST_F(KeyInput, TextBoxesKeepTheirMaximumLength) {
    TypeText(widget<QLineEdit>("Box"), "123456");
    EXPECT_EQ(form_.Box.text(), u"1234");
}

TEST_F(KeyInput, InputMethodTextRaisesKeyPressPerCharacter) {
    auto* box = widget<QLineEdit>("Box");
    form_.cancelKey = 'b';
    QInputMethodEvent im;
    im.setCommitString(QStringLiteral("中b文"));
    QCoreApplication::sendEvent(box, &im);
    ASSERT_EQ(form_.boxKeys.size(), 3u);
    EXPECT_EQ(form_.boxKeys[0], kZhong);
    EXPECT_EQ(form_.Box.text(), u"中文");
}

TEST_F(KeyInput, PaneTypingKeepsModelTextAndCaretInStep) {
    auto* pane = widget<QPlainTextEdit>("Pane");
    form_.cancelKey = 13;
    TypeText(pane, "ati");
    Type(pane, Qt::Key_Return, "\r");
    EXPECT_EQ(form_.paneKeys, (std::vector<std::int16_t>{97, 116, 105, 13}));
    EXPECT_EQ(pane->toPlainText(), QStringLiteral("ati"));
    EXPECT_EQ(form_.Pane.text(), u"ati");
    EXPECT_EQ(form_.Pane.selStart(), 3);
    Type(pane, Qt::Key_Left, "");
    EXPECT_EQ(form_.Pane.selStart(), 2);
    Type(pane, Qt::Key_Backspace, "\b");
    EXPECT_EQ(form_.Pane.text(), u"ai");
    EXPECT_EQ(form_.Pane.selStart(), 1);
}

TEST_F(KeyInput, EnterAndEscapeClickTheDefaultAndCancelButtons) {
    Type(view(), Qt::Key_Return, "\r");
    Type(view(), Qt::Key_Escape, "\x1b");
    EXPECT_EQ(form_.okClicks, 1);
    EXPECT_EQ(form_.otherClicks, 1);
}

}  // namespace
}  // namespace qttest
