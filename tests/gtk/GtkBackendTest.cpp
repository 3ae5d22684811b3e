// The GTK backend end to end: the test form in its own process on a private X server, touched
// with XTest and looked at through the server's pixels, with and without a window manager.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <iostream>
#include <memory>

#include "TXvfb.h"
#include "tests/gtk/TestLayout.h"

using namespace TestLayout;

namespace {

constexpr int kWait = 10000;

class GtkBackendTest : public ::testing::TestWithParam<bool> {
protected:
  bool WithWindowManager() const { return GetParam(); }

  // Starts the form program and waits until its window shows its face.
  void Start(const std::vector<std::string>& options) {
    x_ = std::make_unique<TXvfb>(1024, 768);
    if (WithWindowManager()) {
      ASSERT_TRUE(x_->StartWindowManager());
    }
    std::vector<std::string> argv{TEST_FORM_APP, "--timeout", "60"};
    argv.insert(argv.end(), options.begin(), options.end());
    app_ = std::make_unique<TChildProcess>(argv, x_->Environment());
    auto shown = app_->WaitForPrefix("shown ", kWait);
    ASSERT_TRUE(shown) << "the program did not show its form";
    win_ = x_->FindWindowByName(kMainCaption, kWait);
    ASSERT_NE(win_, 0u);
    // The form's handle is its X window, so system services can name it.
    EXPECT_EQ(shown->substr(6), std::to_string(win_));
    ASSERT_TRUE(TXvfb::WaitUntil([&] { return x_->PixelAt(Center(kBtnA).X, Center(kBtnA).Y) == kBtnA.rgb; }, kWait))
        << "the form was not painted";
  }

  void TearDown() override {
    if (!HasFailure() || !app_) return;
    app_->Drain();
    std::string all;
    for (const std::string& l : app_->Lines()) all += "  " + l + "\n";
    std::cerr << "the program said:\n" << all;
  }

  TRect Geometry() const { return x_->WindowGeometry(win_); }

  TPoint Center(const TPart& part, XWindow w = 0) const {
    const TRect g = x_->WindowGeometry(w ? w : win_);
    return {g.Left + (part.rect.Left + part.rect.Right) / 2, g.Top + (part.rect.Top + part.rect.Bottom) / 2};
  }

  void Click(const TPart& part, unsigned button = 1, XWindow w = 0) {
    const TPoint p = Center(part, w);
    x_->Click(p.X, p.Y, button);
  }

  bool Saw(const std::string& line, size_t from = 0) {
    app_->Drain();
    const auto& lines = app_->Lines();
    for (size_t i = from; i < lines.size(); ++i)
      if (lines[i] == line) return true;
    return false;
  }

  void ExpectExit(int code) {
    auto status = app_->Wait(kWait);
    ASSERT_TRUE(status) << "the program did not end";
    EXPECT_EQ(*status, code);
  }

  std::string Variant() const { return WithWindowManager() ? "openbox" : "bare"; }

  std::unique_ptr<TXvfb> x_;
  std::unique_ptr<TChildProcess> app_;
  XWindow win_ = 0;
};

TEST_P(GtkBackendTest, KioskWindowCoversTheScreenShowsTheFormAndTakesClicks) {
  ASSERT_NO_FATAL_FAILURE(Start({"--kiosk", "--native"}));
  EXPECT_TRUE(TXvfb::WaitUntil([&] { return Geometry() == TRect{0, 0, 1024, 768}; }, kWait))
      << "geometry " << Geometry().Left << "," << Geometry().Top << " " << Geometry().Width() << "x"
      << Geometry().Height();

  const std::string shot = std::string(SCREENSHOT_DIR) + "/gtk-test-form-" + Variant() + ".png";
  ASSERT_TRUE(x_->Screenshot(shot));
  for (const TPart& part : {kBtnA, kBtnB, kBtnDialog, kCaption, kBtnQuit, kBtnMin, kKeys, kNative}) {
    const TPoint p = Center(part);
    EXPECT_EQ(x_->PixelAt(p.X, p.Y), part.rgb) << part.name;
  }
  // The face reaches the far corner: the back buffer follows the window to the screen's size.
  EXPECT_EQ(x_->PixelAt(4, 4), kFace);
  EXPECT_EQ(x_->PixelAt(1019, 763), kFace);

  Click(kBtnA);
  EXPECT_TRUE(app_->WaitForLine("clicked btnA", kWait));
  Click(kBtnB);
  EXPECT_TRUE(app_->WaitForLine("clicked btnB", kWait));

  // The native child takes its own clicks; the filter sees and drops right clicks aimed at it.
  Click(kNative);
  EXPECT_TRUE(app_->WaitForLine("native press", kWait));
  const size_t before = app_->Lines().size();
  Click(kNative, 3);
  EXPECT_TRUE(app_->WaitForLine("filtered right button", kWait));
  Click(kBtnA);
  EXPECT_TRUE(app_->WaitForLine("clicked btnA", kWait));
  EXPECT_FALSE(Saw("native right press", before));

  Click(kBtnQuit);
  EXPECT_TRUE(app_->WaitForLine("close", kWait));
  ExpectExit(0);
}

TEST_P(GtkBackendTest, ModalDialogIsCentredAboveItsOwnerWhichTakesNoInput) {
  ASSERT_NO_FATAL_FAILURE(Start({"--kiosk"}));
  ASSERT_TRUE(TXvfb::WaitUntil([&] { return Geometry() == TRect{0, 0, 1024, 768}; }, kWait));
  Click(kBtnDialog);
  ASSERT_TRUE(app_->WaitForLine("shown dialog", kWait));
  const XWindow dialog = x_->FindWindowByName(kDialogCaption, kWait);
  ASSERT_NE(dialog, 0u);
  ASSERT_TRUE(TXvfb::WaitUntil([&] {
    const TPoint p = Center(kDlgOk, dialog);
    return x_->PixelAt(p.X, p.Y) == kDlgOk.rgb;
  }, kWait)) << "the dialog is not above its stay-on-top owner";

  ASSERT_TRUE(x_->Screenshot(std::string(SCREENSHOT_DIR) + "/gtk-test-dialog-" + Variant() + ".png"));
  const TRect d = x_->WindowGeometry(dialog);
  EXPECT_EQ(d.Width(), kDialogWidth);
  EXPECT_EQ(d.Height(), kDialogHeight);
  // Centred on the owner; a window manager's frame shifts the client area by its title bar.
  const int slack = WithWindowManager() ? 30 : 1;
  EXPECT_NEAR((d.Left + d.Right) / 2, 512, slack);
  EXPECT_NEAR((d.Top + d.Bottom) / 2, 384, slack);

  const size_t before = app_->Lines().size();
  Click(kBtnA); // on the owner, outside the dialog
  Click(kDlgOk, 1, dialog);
  EXPECT_TRUE(app_->WaitForLine("clicked dlgOk", kWait));
  EXPECT_TRUE(app_->WaitForLine("dialog result 1", kWait));
  EXPECT_FALSE(Saw("clicked btnA", before)) << "the owner took a click while the dialog was modal";
  EXPECT_TRUE(TXvfb::WaitUntil([&] { return !x_->WindowViewable(dialog); }, kWait));

  Click(kBtnA);
  EXPECT_TRUE(app_->WaitForLine("clicked btnA", kWait)) << "the owner stayed disabled";
}

TEST_P(GtkBackendTest, KeysReachTheFocusedControlWhereverThePointerIs) {
  ASSERT_NO_FATAL_FAILURE(Start({}));
  ASSERT_TRUE(app_->WaitForLine("activate", kWait));
  x_->Move(1000, 740); // off the window: the keys must not follow the pointer
  struct TCase {
    unsigned long keysym;
    std::vector<std::string> lines;
  };
  const TCase cases[] = {
      {XK_a, {"key 65", "char 97"}},
      {XK_A, {"key 16", "key 65", "char 65"}},
      {XK_1, {"key 49", "char 49"}},
      {XK_exclam, {"key 16", "key 49", "char 33"}},
      {XK_Return, {"key 13", "char 13"}},
      {XK_BackSpace, {"key 8", "char 8"}},
      {XK_Left, {"key 37"}},
      {XK_Delete, {"key 46"}},
  };
  for (const TCase& c : cases) {
    ASSERT_TRUE(x_->Key(c.keysym));
    for (const std::string& line : c.lines) EXPECT_TRUE(app_->WaitForLine(line, kWait)) << line << " for " << c.keysym;
  }
}

TEST_P(GtkBackendTest, BorderlessWindowIsPlacedMovedByItsCaptionAndMinimised) {
  ASSERT_NO_FATAL_FAILURE(Start({}));
  EXPECT_TRUE(TXvfb::WaitUntil([&] { return Geometry() == kNormalBounds; }, kWait))
      << "geometry " << Geometry().Left << "," << Geometry().Top << " " << Geometry().Width() << "x"
      << Geometry().Height();

  const TPoint from = Center(kCaption);
  x_->Drag(from.X, from.Y, from.X + 60, from.Y + 40);
  EXPECT_TRUE(app_->WaitForLine("moved 160 120", kWait));
  EXPECT_TRUE(TXvfb::WaitUntil([&] { return Geometry() == kNormalBounds.Offset(60, 40); }, kWait));

  Click(kBtnMin);
  EXPECT_TRUE(app_->WaitForLine("clicked btnMin", kWait));
  EXPECT_TRUE(TXvfb::WaitUntil([&] { return !x_->WindowViewable(win_); }, kWait)) << "still shown";
}

TEST_P(GtkBackendTest, CloseRequestFromTheSystemClosesTheForm) {
  ASSERT_NO_FATAL_FAILURE(Start({}));
  x_->SendCloseRequest(win_);
  EXPECT_TRUE(app_->WaitForLine("close", kWait));
  ExpectExit(0);
}

INSTANTIATE_TEST_SUITE_P(, GtkBackendTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Openbox" : "NoWindowManager"; });

} // namespace
