#include "tests/ui/UiFixture.h"

// The topmost visible, enabled control that says the point is its own takes the pointer.
TEST_F(UiTest, HitTestFindsTheTopmostControlThatTakesThePoint) {
  TWinControl panel(&form);
  panel.SetBounds(0, 0, 200, 100);
  TProbe lower(&panel, "lower", &log), upper(&panel, "upper", &log);
  lower.SetBounds(10, 10, 50, 50);
  upper.SetBounds(30, 30, 50, 50);
  ShowForm();

  struct TCase {
    const char* what;
    std::function<void()> arrange;
    TControl* expected;
  };
  const TCase cases[] = {
      {"the upper one of two", [] {}, &upper},
      {"the upper one is hidden", [&] { upper.Hide(); }, &lower},
      {"it is disabled", [&] { upper.SetEnabled(false); }, &lower},
      {"its shape leaves the point out", [&] { upper.shapedAway = true; }, &lower},
      {"both are disabled", [&] { upper.SetEnabled(false); lower.SetEnabled(false); }, &panel},
      {"the panel is disabled", [&] { panel.SetEnabled(false); }, &form},
  };
  for (const TCase& c : cases) {
    c.arrange();
    EXPECT_EQ(form.ControlAtPos({40, 40}), c.expected) << c.what;
    upper.Show();
    upper.shapedAway = false;
    for (TControl* ctl : std::initializer_list<TControl*>{&upper, &lower, &panel}) ctl->SetEnabled(true);
  }
}

// A press on a capturing control keeps the pointer: sliding off tells it the pointer left, and
// the moves and the release outside still reach it, in its own coordinates, without a click.
TEST_F(UiTest, CaptureKeepsThePointerAndSlidingOffSendsTheLeaveNotification) {
  TProbe button(&form, "button", &log), other(&form, "other", &log);
  button.SetControlStyle(csClickEvents | csCaptureMouse);
  button.SetBounds(20, 10, 80, 50);
  other.SetBounds(150, 10, 50, 50);
  ShowForm();

  backend.MoveTo(button, 5, 5);
  backend.Press();
  backend.MoveTo(button, 40, 20);
  backend.MoveTo(form, 160, 20); // over the other control
  backend.MoveTo(form, 290, 190);
  backend.Release();
  app.ProcessMessages();
  EXPECT_EQ(log, (TEventLog{"button:Move(5,5)", "button:Enter", "button:Down(L,5,5)", "button:Move(40,20)",
                            "button:Move(140,10)", "button:Leave", "other:Enter", "button:Move(270,180)",
                            "other:Leave", "button:Up(L,270,180)"}));
  EXPECT_EQ(form.CaptureControl(), nullptr);
  EXPECT_FALSE(backend.WindowOf(form)->PointerCaptured());

  // Back over it while held, the release inside is a click.
  log.clear();
  backend.MoveTo(button, 5, 5);
  backend.Press();
  backend.MoveTo(form, 290, 190);
  backend.MoveTo(button, 10, 10);
  backend.Release();
  app.ProcessMessages();
  EXPECT_EQ(log, (TEventLog{"button:Move(5,5)", "button:Enter", "button:Down(L,5,5)", "button:Move(270,180)",
                            "button:Leave", "button:Move(10,10)", "button:Enter", "button:Click", "button:Up(L,10,10)"}));
}

TEST_F(UiTest, WithoutCaptureTheMovesGoToTheControlUnderThePointer) {
  TProbe label(&form, "label", &log), other(&form, "other", &log);
  label.SetControlStyle(csClickEvents);
  label.SetBounds(20, 10, 80, 50);
  other.SetBounds(150, 10, 50, 50);
  ShowForm();

  backend.MoveTo(label, 5, 5);
  backend.Press();
  backend.MoveTo(other, 1, 2);
  backend.Release();
  app.ProcessMessages();
  EXPECT_EQ(log, (TEventLog{"label:Move(5,5)", "label:Enter", "label:Down(L,5,5)", "other:Move(1,2)", "label:Leave",
                            "other:Enter", "other:Up(L,1,2)"}));
}

TEST_F(UiTest, PointerLeavingTheWindowSendsTheLeaveNotification) {
  TProbe button(&form, "button", &log);
  button.SetBounds(20, 10, 80, 50);
  ShowForm();
  backend.MoveTo(button, 5, 5);
  app.ProcessMessages();
  TMsg leave;
  leave.hwnd = form.Handle();
  leave.message = WM_MOUSELEAVE;
  app.PostMessage(leave);
  app.ProcessMessages();
  EXPECT_EQ(log, (TEventLog{"button:Move(5,5)", "button:Enter", "button:Leave"}));
  EXPECT_EQ(form.MouseControl(), nullptr);
}

TEST_F(UiTest, OnlyTheLeftButtonMakesTheClickStep) {
  TProbe button(&form, "button", &log);
  button.SetBounds(20, 10, 80, 50);
  ShowForm();
  backend.Click(button, 5, 5, TMouseButton::mbRight);
  backend.Click(button, 5, 5, TMouseButton::mbMiddle);
  app.ProcessMessages();
  EXPECT_EQ(log, (TEventLog{"button:Move(5,5)", "button:Enter", "button:Down(R,5,5)", "button:Up(R,5,5)",
                            "button:Move(5,5)", "button:Down(M,5,5)", "button:Up(M,5,5)"}));
}

// The form tells a double click from two clicks by the second press's time, place and control.
TEST_F(UiTest, DoubleClicksGoToControlsThatTakeThem) {
  struct TCase {
    const char* what;
    TControlStyle style;
    uint64_t pause;
    int secondX;
    TEventLog expected;
  };
  const TControlStyle plain = csClickEvents | csCaptureMouse;
  const TCase cases[] = {
      {"quick, same place", plain | csDoubleClicks, 0, 5,
       {"Down(L,5,5)", "Click", "Up(L,5,5)", "DblClick", "Down(L,double,5,5)", "Up(L,5,5)"}},
      {"no double clicks taken: two clicks", plain, 0, 5,
       {"Down(L,5,5)", "Click", "Up(L,5,5)", "Down(L,5,5)", "Click", "Up(L,5,5)"}},
      {"too slow", plain | csDoubleClicks, 600, 5,
       {"Down(L,5,5)", "Click", "Up(L,5,5)", "Down(L,5,5)", "Click", "Up(L,5,5)"}},
      {"too far", plain | csDoubleClicks, 0, 10,
       {"Down(L,5,5)", "Click", "Up(L,5,5)", "Down(L,10,5)", "Click", "Up(L,10,5)"}},
  };
  for (const TCase& c : cases) {
    TEventLog events;
    TProbe target(&form, "t", &events);
    target.SetControlStyle(c.style);
    target.SetBounds(20, 10, 80, 50);
    ShowForm();
    backend.Click(target, 5, 5);
    app.ProcessMessages();
    backend.Advance(c.pause);
    backend.Click(target, c.secondX, 5);
    app.ProcessMessages();
    TEventLog presses;
    for (const std::string& e : events)
      if (e.find("Move") == std::string::npos && e.find("Enter") == std::string::npos) presses.push_back(e.substr(2));
    EXPECT_EQ(presses, c.expected) << c.what;
  }
}

TEST_F(UiTest, TheMessageFilterSeesEveryMessageFirstAndMayDropIt) {
  TProbe target(&form, "t", &log);
  target.SetBounds(0, 0, 100, 100);
  ShowForm();
  std::vector<uint32_t> seen;
  app.OnMessage = [&](TMsg& msg, bool& handled) {
    seen.push_back(msg.message);
    handled = msg.message == WM_RBUTTONDOWN || msg.message == WM_RBUTTONUP;
  };
  backend.Click(target, 5, 5, TMouseButton::mbRight);
  backend.Click(target, 6, 6);
  app.ProcessMessages();
  EXPECT_EQ(seen, (std::vector<uint32_t>{WM_MOUSEMOVE, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_MOUSEMOVE, WM_LBUTTONDOWN,
                                         WM_LBUTTONUP}));
  EXPECT_EQ(log, (TEventLog{"t:Move(5,5)", "t:Enter", "t:Move(6,6)", "t:Down(L,6,6)", "t:Click", "t:Up(L,6,6)"}));
}
