#include <stdexcept>

#include "platform/ui/Dialogs.h"
#include "platform/ui/TMessageForm.h"
#include "platform/ui/TTimer.h"
#include "tests/ui/UiFixture.h"

namespace {

TMessageForm& OpenBox() {
  auto* box = dynamic_cast<TMessageForm*>(Application->ModalForm());
  if (!box) throw std::logic_error("no message box is open");
  return *box;
}

void PostTo(TForm& form, uint32_t message) {
  TMsg msg;
  msg.hwnd = form.Handle();
  msg.message = message;
  Application->PostMessage(msg);
}

} // namespace

// The error box is the program's own modal message box, titled with the application's title;
// while it is open the form underneath takes no input. After it the loop goes on as before.
TEST_F(UiTest, AnExceptionFromAHandlerIsShownInTheErrorBoxAndTheLoopGoesOn) {
  app.SetTitle("Quillo触摸浏览器");
  TProbe button(&form, "button", &log);
  button.SetBounds(10, 10, 80, 40);
  button.OnClick = [](TObject*) { throw std::runtime_error("访问被拒绝"); };
  ShowForm();

  std::vector<std::string> shown;
  auto readBox = [&] {
    TMessageForm& box = OpenBox();
    shown.push_back(box.Caption() + "|" + box.Text());
    EXPECT_EQ(box.Flags(), unsigned(MB_ICONERROR | MB_OK));
    EXPECT_FALSE(backend.WindowOf(form)->Enabled());
    return &box;
  };
  backend.OnIdle([&] {
    readBox();
    backend.Key(VK_RETURN);
  });
  backend.Click(button, 5, 5);
  app.ProcessMessages();
  EXPECT_EQ(shown, (std::vector<std::string>{"Quillo触摸浏览器|访问被拒绝"}));
  EXPECT_EQ(app.ModalForm(), nullptr);
  EXPECT_TRUE(backend.WindowOf(form)->Enabled());

  // The same again, answered with the box's own button this time.
  backend.OnIdle([&] {
    TMessageForm* box = readBox();
    ASSERT_EQ(box->Buttons().size(), 1u);
    EXPECT_EQ(box->Buttons()[0]->Caption(), "确定");
    backend.Click(*box->Buttons()[0], 5, 5);
  });
  backend.Advance(1000);
  backend.Click(button, 5, 5);
  app.ProcessMessages();
  EXPECT_EQ(shown.size(), 2u);
  EXPECT_EQ(backend.PendingIdleSteps(), 0u);
}

TEST_F(UiTest, AnExceptionFromATimerGoesToOnExceptionAndTheTimerTicksOn) {
  std::vector<std::string> errors;
  app.OnException = [&](TObject*, const std::exception& e) { errors.push_back(e.what()); };
  TTimer timer(&form);
  timer.SetInterval(1000);
  timer.OnTimer = [](TObject*) { throw std::runtime_error("tick"); };
  backend.Advance(3000);
  EXPECT_EQ(errors, (std::vector<std::string>{"tick", "tick", "tick"}));
}

TEST_F(UiTest, TimersFireEveryIntervalAsTheVirtualClockAdvances) {
  TTimer timer(nullptr);
  int ticks = 0;
  timer.OnTimer = [&](TObject*) { ++ticks; };
  backend.Advance(60000);
  EXPECT_EQ(ticks, 60);
  timer.SetEnabled(false);
  backend.Advance(5000);
  EXPECT_EQ(ticks, 60);
  timer.SetEnabled(true); // a new period starts now
  backend.Advance(999);
  EXPECT_EQ(ticks, 60);
  backend.Advance(1);
  EXPECT_EQ(ticks, 61);
  backend.Advance(500);
  timer.SetInterval(2000);
  backend.Advance(1999);
  EXPECT_EQ(ticks, 61);
  backend.Advance(1);
  EXPECT_EQ(ticks, 62);
}

// ShowModal disables the other windows, runs a nested loop in which the timers go on, and ends
// when ModalResult is set; input to the disabled window is dropped.
TEST_F(UiTest, AModalFormRunsItsOwnLoopWhileTimersKeepFiring) {
  TProbe behind(&form, "behind", &log);
  behind.SetBounds(0, 0, 100, 100);
  ShowForm();
  TForm dialog(&form);
  dialog.SetBounds(0, 0, 200, 100);
  dialog.SetPosition(poOwnerFormCenter);
  TTimer timer(&form);
  timer.SetInterval(100);
  int ticks = 0;
  timer.OnTimer = [&](TObject*) {
    if (++ticks == 5) dialog.SetModalResult(mrOk);
  };
  backend.SetAutoAdvance(true);
  backend.OnIdle([&] {
    EXPECT_EQ(app.ModalForm(), &dialog);
    EXPECT_EQ(backend.ActiveWindow(), backend.WindowOf(dialog));
    EXPECT_FALSE(backend.WindowOf(form)->Enabled());
    backend.Click(behind, 5, 5);
  });

  EXPECT_EQ(dialog.ShowModal(), mrOk);
  EXPECT_EQ(ticks, 5);
  EXPECT_EQ(backend.TickCount(), 500u);
  EXPECT_EQ(log, TEventLog{}) << "the click on the disabled form was dropped";
  EXPECT_EQ(dialog.BoundsRect(), (TRect{50, 50, 250, 150})) << "centred on its owner";
  EXPECT_FALSE(dialog.Visible());
  EXPECT_EQ(dialog.ModalResult(), mrNone);
  EXPECT_EQ(app.ModalForm(), nullptr);
  EXPECT_TRUE(backend.WindowOf(form)->Enabled());
  app.ProcessMessages();
  EXPECT_EQ(backend.ActiveWindow(), backend.WindowOf(form));
  EXPECT_TRUE(form.Active());
}

TEST_F(UiTest, ClosingAModalFormGivesCancelUnlessItsCloseQueryRefuses) {
  ShowForm();
  TForm dialog(nullptr);
  dialog.SetBounds(0, 0, 100, 50);
  bool allow = false;
  int queries = 0;
  dialog.OnCloseQuery = [&](TObject*, bool& canClose) {
    ++queries;
    canClose = allow;
  };
  backend.OnIdle([&] { dialog.Close(); });
  backend.OnIdle([&] {
    EXPECT_TRUE(dialog.Visible()) << "the close query kept it open";
    allow = true;
    PostTo(dialog, WM_CLOSE);
  });
  EXPECT_EQ(dialog.ShowModal(), mrCancel);
  EXPECT_EQ(queries, 2);
}

TEST_F(UiTest, AModalLoopWithNothingToDoFailsInsteadOfHanging) {
  ShowForm();
  TForm dialog(nullptr);
  dialog.SetBounds(0, 0, 100, 50);
  EXPECT_THROW(dialog.ShowModal(), std::logic_error);
  EXPECT_FALSE(dialog.Visible());
  EXPECT_EQ(app.ModalForm(), nullptr);
  EXPECT_TRUE(backend.WindowOf(form)->Enabled());
}

TEST_F(UiTest, ClosingAFormAsksItAndTheMainFormsCloseEndsTheProgram) {
  TCloseAction action = caNone;
  bool canClose = false;
  form.OnCloseQuery = [&](TObject*, bool& c) { c = canClose; };
  form.OnClose = [&](TObject*, TCloseAction& a) { a = action; };
  ShowForm();
  form.Close();
  EXPECT_TRUE(form.Visible()) << "refused by the close query";
  canClose = true;
  form.Close();
  EXPECT_TRUE(form.Visible()) << "refused by OnClose";
  action = caHide;
  form.Close();
  EXPECT_FALSE(form.Visible());
  EXPECT_FALSE(app.Terminated()) << "not the main form";

  app.SetMainForm(&form);
  backend.OnIdle([&] {
    EXPECT_TRUE(form.Visible()) << "Run shows the main form";
    PostTo(form, WM_CLOSE);
  });
  app.Run();
  EXPECT_TRUE(app.Terminated());
  EXPECT_FALSE(form.Visible());
}

// Every way out of a message box gives an answer; closing it counts as its cancel button.
TEST_F(UiTest, MessageBoxAnswersByKeyAcceleratorButtonOrClose) {
  ShowForm();
  struct TCase {
    const char* what;
    unsigned flags;
    std::function<void(TMessageForm&)> act;
    int expected;
  };
  auto key = [&](uint16_t vk) { return [&, vk](TMessageForm&) { backend.Key(vk); }; };
  auto typed = [&](uint32_t ch) { return [&, ch](TMessageForm&) { backend.Char(ch); }; };
  const TCase cases[] = {
      {"OK: Enter", MB_OK, key(VK_RETURN), IDOK},
      {"OK: Escape", MB_OK, key(VK_ESCAPE), IDOK},
      {"Yes/No: Enter", MB_YESNO, key(VK_RETURN), IDYES},
      {"Yes/No: Escape", MB_YESNO, key(VK_ESCAPE), IDNO},
      {"Yes/No: n", MB_YESNO, typed('n'), IDNO},
      {"Yes/No: Y", MB_YESNO, typed('Y'), IDYES},
      {"Yes/No: closed", MB_YESNO, [](TMessageForm& box) { PostTo(box, WM_CLOSE); }, IDNO},
      {"OK/Cancel: the cancel button", MB_OKCANCEL,
       [&](TMessageForm& box) { backend.Click(*box.ButtonFor(mrCancel), 3, 3); }, IDCANCEL},
  };
  for (const TCase& c : cases) {
    std::vector<std::string> captions;
    TRect placed;
    backend.OnIdle([&] {
      TMessageForm& box = OpenBox();
      for (TMessageButton* b : box.Buttons()) captions.push_back(b->Caption());
      placed = box.BoundsRect();
      c.act(box);
    });
    EXPECT_EQ(MessageBox("要保存吗？", "Setuva", c.flags | MB_ICONQUESTION), c.expected) << c.what;
    const std::vector<std::string> expected =
        c.flags == MB_YESNO ? std::vector<std::string>{"是(&Y)", "否(&N)"}
        : c.flags == MB_OKCANCEL ? std::vector<std::string>{"确定", "取消"} : std::vector<std::string>{"确定"};
    EXPECT_EQ(captions, expected) << c.what;
    EXPECT_EQ(placed.Left, (1024 - placed.Width()) / 2) << c.what;
    EXPECT_EQ(placed.Top, (768 - placed.Height()) / 2) << c.what;
  }
}
