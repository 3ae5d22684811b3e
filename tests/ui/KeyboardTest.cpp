#include "tests/ui/UiFixture.h"

// Tab walks the focusable controls in tab order, depth first, skipping those that cannot take
// the focus, and wraps; Shift+Tab walks back.
TEST_F(UiTest, TabMovesTheFocusInTabOrder) {
  TFocusBox a(&form, "a", &log), b(&form, "b", &log), c(&form, "c", &log);
  TWinControl panel(&form);
  TFocusBox inner(&panel, "inner", &log), hidden(&form, "hidden", &log), noStop(&form, "noStop", &log);
  c.SetTabOrder(0);
  hidden.Hide();
  noStop.SetTabStop(false);
  ShowForm();
  EXPECT_EQ(form.ActiveControl(), &c) << "the first in tab order has the focus when the form shows";

  std::vector<TWinControl*> seen;
  for (int i = 0; i < 5; ++i) {
    backend.Key(VK_TAB);
    app.ProcessMessages();
    seen.push_back(form.ActiveControl());
  }
  EXPECT_EQ(seen, (std::vector<TWinControl*>{&a, &b, &inner, &c, &a}));
  backend.Key(VK_TAB, ssShift);
  app.ProcessMessages();
  EXPECT_EQ(form.ActiveControl(), &c);
  EXPECT_EQ(std::vector<std::string>(log.begin(), log.begin() + 4),
            (TEventLog{"c:Enter", "c:Key(9)", "c:Exit", "a:Enter"}));
}

TEST_F(UiTest, ClickingAFocusableControlFocusesIt) {
  TFocusBox a(&form, "a", &log), b(&form, "b", &log);
  TProbe picture(&form, "picture");
  a.SetBounds(0, 0, 50, 50);
  b.SetBounds(100, 0, 50, 50);
  picture.SetBounds(200, 0, 50, 50);
  ShowForm();
  ASSERT_EQ(form.ActiveControl(), &a);
  backend.Click(b, 5, 5);
  app.ProcessMessages();
  EXPECT_EQ(form.ActiveControl(), &b);
  backend.Click(picture, 5, 5);
  app.ProcessMessages();
  EXPECT_EQ(form.ActiveControl(), &b) << "a windowless control takes no focus";
}

// The focused control sees a key first; Enter and Escape then go to the default and the cancel
// button, unless the control wants the key itself. A form with KeyPreview sees keys before all.
TEST_F(UiTest, EnterAndEscapeGoToTheDefaultAndCancelButtons) {
  TProbe ok(&form, "ok", &log), cancel(&form, "cancel", &log);
  ok.isDefault = true;
  cancel.isCancel = true;
  TFocusBox edit(&form, "edit", &log);
  ShowForm();
  auto press = [&](uint16_t key) {
    log.clear();
    backend.Key(key);
    app.ProcessMessages();
    return log;
  };
  EXPECT_EQ(press(VK_RETURN), (TEventLog{"edit:Key(13)", "ok:Click"}));
  EXPECT_EQ(press(VK_ESCAPE), (TEventLog{"edit:Key(27)", "cancel:Click"}));
  edit.wantsReturn = true;
  EXPECT_EQ(press(VK_RETURN), (TEventLog{"edit:Key(13)"}));
  ok.SetEnabled(false);
  edit.wantsReturn = false;
  EXPECT_EQ(press(VK_RETURN), (TEventLog{"edit:Key(13)"})) << "a disabled default button takes no Enter";

  form.SetKeyPreview(true);
  form.OnKeyDown = [&](TObject*, uint16_t& key, TShiftState) {
    log.push_back("form:Key(" + std::to_string(key) + ")");
    if (key == VK_ESCAPE) key = 0;
  };
  EXPECT_EQ(press(VK_ESCAPE), (TEventLog{"form:Key(27)"}));
  EXPECT_EQ(press(VK_TAB), (TEventLog{"form:Key(9)", "edit:Key(9)"}));
}

// A typed character goes to the focused control, and is offered to the form's controls as an
// accelerator when that control does not take text, when Alt is held, or when nothing has the
// focus. Hidden controls are not asked.
TEST_F(UiTest, TypedCharactersReachAcceleratorsThroughTheForm) {
  TProbe yes(&form, "yes", &log);
  yes.accel = "是(&Y)";
  TFocusBox edit(&form, "edit", &log);
  ShowForm();
  auto type = [&](uint32_t ch, bool alt = false) {
    log.clear();
    if (alt) backend.KeyDown(VK_MENU);
    backend.Char(ch);
    if (alt) backend.KeyUp(VK_MENU);
    app.ProcessMessages();
    log.erase(std::remove(log.begin(), log.end(), "edit:Key(18)"), log.end());
    return log;
  };
  EXPECT_EQ(type('y'), (TEventLog{"edit:Char(121)", "yes:Accel"}));
  EXPECT_EQ(type('Y'), (TEventLog{"edit:Char(89)", "yes:Accel"}));
  edit.wantsChars = true;
  EXPECT_EQ(type('y'), (TEventLog{"edit:Char(121)"}));
  EXPECT_EQ(type('y', true), (TEventLog{"edit:Char(121)", "yes:Accel"}));
  edit.Hide();
  EXPECT_EQ(type('y'), (TEventLog{"yes:Accel"}));
  yes.Hide();
  EXPECT_EQ(type('y'), TEventLog{});
}

TEST(Accelerators, TheLetterAfterASingleAmpersand) {
  struct TCase {
    const char* caption;
    uint32_t expected;
  };
  const TCase cases[] = {
      {"是(&Y)", 'Y'}, {"&&a", 0}, {"a&&&b", 'b'}, {"&", 0}, {"&中文", 0x4E2D}, {"", 0}, {"no accel", 0},
  };
  for (const TCase& c : cases) EXPECT_EQ(AcceleratorChar(c.caption), c.expected) << c.caption;
  EXPECT_TRUE(IsAccel('y', "是(&Y)"));
  EXPECT_FALSE(IsAccel('n', "是(&Y)"));
  EXPECT_FALSE(IsAccel(0, "plain"));
}
