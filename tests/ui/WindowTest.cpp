#include "tests/ui/UiFixture.h"

// Where and how a form's window appears.
TEST_F(UiTest, ShowPlacesTheWindowAsTheFormSays) {
  backend.SetWorkArea({0, 0, 1024, 740});
  struct TCase {
    const char* what;
    std::function<void(TForm&)> setup;
    TRect bounds;
    bool decorated, fullScreen, maximized, onTop;
  };
  const TCase cases[] = {
      {"where it was designed", [](TForm&) {}, {10, 20, 310, 220}, true, false, false, false},
      {"centred on the screen", [](TForm& f) { f.SetPosition(poScreenCenter); }, {362, 284, 662, 484}, true, false,
       false, false},
      {"borderless and maximised: the whole screen",
       [](TForm& f) {
         f.SetBorderStyle(bsNone);
         f.SetWindowState(wsMaximized);
       },
       {0, 0, 1024, 768}, false, true, false, false},
      {"maximised with a border: the work area", [](TForm& f) { f.SetWindowState(wsMaximized); }, {0, 0, 1024, 740},
       true, false, true, false},
      {"on top", [](TForm& f) { f.SetFormStyle(fsStayOnTop); }, {10, 20, 310, 220}, true, false, false, true},
  };
  for (const TCase& c : cases) {
    TForm f(nullptr);
    f.SetBounds(10, 20, 300, 200);
    c.setup(f);
    f.Show();
    app.ProcessMessages();
    const THeadlessWindow& w = *backend.WindowOf(f);
    EXPECT_EQ(w.Bounds(), c.bounds) << c.what;
    EXPECT_EQ(f.BoundsRect(), c.bounds) << c.what;
    EXPECT_EQ(w.Decorated(), c.decorated) << c.what;
    EXPECT_EQ(w.FullScreen(), c.fullScreen) << c.what;
    EXPECT_EQ(w.Maximized(), c.maximized) << c.what;
    EXPECT_EQ(w.StayOnTop(), c.onTop) << c.what;
    EXPECT_TRUE(w.Visible()) << c.what;
  }
}

namespace {

// A form that, like a skinned frame, watches its window messages after the standard handling.
class TWatchingForm : public TForm {
public:
  using TForm::TForm;
  std::vector<std::string> seen;
  void WndProc(TMsg& msg) override {
    TForm::WndProc(msg);
    if (msg.message == WM_ACTIVATE) seen.push_back(msg.wParam == WA_INACTIVE ? "inactive" : "active");
    if (msg.message == WM_SIZE) seen.push_back("size " + std::to_string(Width()) + "x" + std::to_string(Height()));
  }
};

} // namespace

TEST_F(UiTest, ActivationAndSizeChangesComeAsWindowMessages) {
  TWatchingForm f(nullptr);
  f.SetBounds(100, 100, 300, 200);
  std::vector<std::string> events;
  f.OnShow = [&](TObject*) { events.push_back(backend.WindowOf(f)->Visible() ? "show, visible" : "show"); };
  f.OnActivate = [&](TObject*) { events.push_back("activate"); };
  f.OnDeactivate = [&](TObject*) { events.push_back("deactivate"); };
  f.Show();
  app.ProcessMessages();
  ShowForm(); // another window takes the activation
  f.Window()->Maximize();
  app.ProcessMessages();
  EXPECT_EQ(f.WindowState(), wsMaximized);
  f.Window()->Restore();
  app.ProcessMessages();
  EXPECT_EQ(f.WindowState(), wsNormal);
  EXPECT_EQ(f.BoundsRect(), (TRect{100, 100, 400, 300}));
  EXPECT_EQ(events, (std::vector<std::string>{"show", "activate", "deactivate"}));
  EXPECT_EQ(f.seen, (std::vector<std::string>{"active", "inactive", "size 1024x768", "size 300x200"}));

  f.SetCaption("Quillo触摸浏览器助手");
  EXPECT_EQ(backend.WindowOf(f)->Caption(), "Quillo触摸浏览器助手");
}
