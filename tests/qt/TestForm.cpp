#include "tests/qt/TestForm.h"

namespace qttest {

TestForm::TestForm(ui::Platform& platform, bool sizable)
    : ui::Form(platform, u"TestForm"),
      Caption(*this, u"Caption"),
      Bar(*this, u"Bar"),
      Ok(*this, u"Ok"),
      Other(*this, u"Other"),
      Box(*this, u"Box"),
      Pane(*this, u"Pane"),
      Check(*this, u"Check"),
      Combo(*this, u"Combo"),
      Clock(*this, u"Clock"),
      Rule(*this, u"Rule") {
    setSizable(sizable);
    design();
    wire();
}

void TestForm::design() {
    setClientSize(5880, 4020);
    setWidth(6000);
    setHeight(4500);
    setLeft(1500);
    setTop(1500);
    setCaption(u"测试");
    Caption.move(120, 120, 1500, 300);
    Caption.setCaption(u"标签");
    Bar.move(120, 600, 3000, 60);
    Ok.move(120, 900, 1200, 375);
    Ok.setCaption(u"确定");
    Ok.setDefault(true);
    Other.move(1500, 900, 1200, 375);
    Other.setCaption(u"取消");
    Other.setCancel(true);
    Box.move(120, 1500, 1500, 315);
    Box.setMaxLength(4);
    Pane.move(1800, 1500, 3000, 1500);
    Check.move(120, 2000, 1500, 255);
    Check.setCaption(u"勾选");
    Combo.move(120, 2400, 1500, 315);
    for (const char16_t* s : {u"一", u"二", u"三"}) Combo.addItem(s);
    Rule.setPoints(90, 3500, 5600, 3500);
}

void TestForm::filter(std::vector<std::int16_t>& seen, std::int16_t& key) {
    seen.push_back(key);
    if (key == cancelKey)
        key = 0;
    else if (key == replaceKey)
        key = replacement;
}

void TestForm::wire() {
    Load = [this] { ++loads; };
    Resize = [this] { ++resizes; };
    Unload = [this](std::int16_t& cancel) {
        ++unloads;
        if (cancelUnload) cancel = 1;
    };
    DblClick = [this] { ++dblClicks; };
    Ok.Click = [this] { ++okClicks; };
    Other.Click = [this] { ++otherClicks; };
    Caption.Click = [this] { ++labelClicks; };
    Bar.MouseMove = [this](std::int16_t b, std::int16_t s, float x, float y) { moves.push_back({b, s, x, y}); };
    Box.KeyPress = [this](std::int16_t& k) { filter(boxKeys, k); };
    Pane.KeyPress = [this](std::int16_t& k) { filter(paneKeys, k); };
    Check.Click = [this] { ++checkClicks; };
    Combo.Click = [this] { ++comboClicks; };
    Clock.Tick = [this] { ++ticks; };
}

}  // namespace qttest
