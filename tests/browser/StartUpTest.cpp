// The main window's start-up: what the settings file makes of it, its place on the screen and
// the layout stretched to it.
#include "MainWindowFixture.h"

#include "artwork/Artwork.h"

namespace {

const char* const kFullFile =
    "[Common]\r\n"
    "Homepage=http://127.0.0.1/home.html\r\n"
    "ShutdownAuto=1\r\n"
    "ShutdownTime=18:30\r\n"
    "ExitPassword= secret \r\n"
    "AutoStart=1\r\n"
    "IdleAutoHomepage=1\r\n"
    "IdleMinutes=0x1E\r\n"
    "ShowExitButton=2\r\n"
    "ShowVendorSite=1\r\n"
    "VendorName=技术支持\r\n"
    "VendorURL=http://vendor.example/\r\n"
    "SoftSite=使用帮助\r\n"
    "SoftSiteURL=http://help.example/\r\n";

} // namespace

TEST_F(MainWindowTest, ReadsEveryKeyOfAFullSettingsFile) {
  folder.Write("Tovira.dat", kFullFile);
  Start();
  EXPECT_EQ(form->Homepage, "http://127.0.0.1/home.html");
  EXPECT_TRUE(form->ShutdownAuto);
  EXPECT_EQ(form->ShutdownTime, "18:30");
  EXPECT_EQ(form->ExitPassword, "secret");
  EXPECT_TRUE(form->AutoStart);
  EXPECT_TRUE(form->IdleAutoHomepage);
  EXPECT_EQ(form->IdleMinutes, 30);
  EXPECT_TRUE(form->ShowExitButton);
  EXPECT_TRUE(form->ShowVendorSite);
  EXPECT_EQ(form->VendorName, "技术支持");
  EXPECT_EQ(form->VendorURL, "http://vendor.example/");
  EXPECT_EQ(form->SoftSite, "使用帮助");
  EXPECT_EQ(form->SoftSiteURL, "http://help.example/");
}

TEST_F(MainWindowTest, FlagsAreOnForAnyNumberButZeroAndOffForWords) {
  Settings("ShutdownAuto=-1\r\nAutoStart=true\r\nIdleAutoHomepage=0\r\nIdleMinutes=five\r\nShowExitButton=$10\r\n");
  Start();
  EXPECT_TRUE(form->ShutdownAuto);
  EXPECT_FALSE(form->AutoStart);
  EXPECT_FALSE(form->IdleAutoHomepage);
  EXPECT_EQ(form->IdleMinutes, 0);
  EXPECT_TRUE(form->ShowExitButton);
}

const char* const kWelcome = "(welcome page)";

struct TStartCase {
  const char* name;
  const char* file; // nullptr: no settings file at all
  const char* home; // kWelcome: the welcome page beside the program
  bool exitShown, vendorShown;
  const char* vendor;
  const char* softSite;
};

inline void PrintTo(const TStartCase& c, std::ostream* os) { *os << c.name; }

class StartUpTest : public MainWindowTest, public ::testing::WithParamInterface<TStartCase> {};

TEST_P(StartUpTest, ShowsWhatTheSettingsSayAndOpensTheHomePage) {
  const TStartCase& c = GetParam();
  if (c.file) folder.Write("Tovira.dat", c.file);
  Start();

  const std::string home = c.home == kWelcome ? "file://" + folder.PathInUri() + "welcome/index.html" : c.home;
  EXPECT_EQ(form->Homepage, home);
  EXPECT_EQ(view->calls, std::vector<std::string>{"Navigate " + home});
  EXPECT_EQ(form->btnExit.Visible(), c.exitShown);
  EXPECT_EQ(form->lblVendor.Visible(), c.vendorShown);
  EXPECT_EQ(form->lblSoftSite.Visible(), c.vendorShown);
  EXPECT_EQ(form->lblVendor.Caption(), c.vendor);
  EXPECT_EQ(form->lblSoftSite.Caption(), c.softSite);
  EXPECT_TRUE(form->lblDate.Visible()) << "the exit dialog stays reachable through the date";
}

INSTANTIATE_TEST_SUITE_P(
    SettingsFiles, StartUpTest,
    ::testing::Values(
        TStartCase{"FullFile", kFullFile, "http://127.0.0.1/home.html", true, true, "技术支持", "使用帮助"},
        TStartCase{"CommonWithoutKeys", "[Common]\r\n[Other]\r\nHomepage=http://127.0.0.1/home.html\r\nShowExitButton=1\r\n",
                   "", false, false, "", ""},
        TStartCase{"NoFile", nullptr, "", false, false, "", ""},
        // The vendor labels show even with empty texts, and the welcome page is the home page.
        TStartCase{"CommonWithoutHomepage", "[Common]\r\nShowVendorSite=1\r\n", kWelcome, false, true, "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, CoversTheWholeScreenAboveOtherWindowsWithTheLayoutStretched) {
  Start();
  THeadlessWindow& window = *backend.WindowOf(*form);
  EXPECT_TRUE(window.Visible());
  EXPECT_TRUE(window.FullScreen());
  EXPECT_TRUE(window.StayOnTop());
  EXPECT_FALSE(window.Decorated());
  EXPECT_EQ(window.Caption(), "Quillo触摸浏览器");
  EXPECT_EQ(window.Bounds(), (TRect{0, 0, kScreenWidth, kScreenHeight}));
  EXPECT_EQ(form->BoundsRect(), (TRect{0, 0, kScreenWidth, kScreenHeight}));

  // The strips frame the pane on three sides; the bar keeps its height at the bottom.
  const int barTop = kScreenHeight - 57;
  EXPECT_EQ(form->img2.BoundsRect(), (TRect{0, 0, kScreenWidth, 10}));
  EXPECT_EQ(form->img3.BoundsRect(), (TRect{0, 10, 10, barTop}));
  EXPECT_EQ(form->img4.BoundsRect(), (TRect{kScreenWidth - 10, 10, kScreenWidth, barTop}));
  EXPECT_EQ(form->pnl1.BoundsRect(), (TRect{0, barTop, kScreenWidth, kScreenHeight}));
  EXPECT_EQ(form->cpwbrwsr1.BoundsRect(), (TRect{10, 10, kScreenWidth - 10, barTop}));
  EXPECT_EQ(view->bounds, form->cpwbrwsr1.BoundsRect());
  EXPECT_TRUE(view->visible);

  // The buttons and the vendor labels stay at the left; the clock follows the right edge.
  const int dx = kScreenWidth - 862;
  EXPECT_EQ(form->btnHome.BoundsRect(), (TRect{16, 4, 96, 54}));
  EXPECT_EQ(form->btnUp.BoundsRect(), (TRect{536, 4, 617, 54}));
  EXPECT_EQ(form->lblVendor.Left(), 785);
  EXPECT_EQ(form->lblSoftSite.Left(), 750);
  EXPECT_EQ(form->lblDate.Left(), 760 + dx);
  EXPECT_EQ(form->lblDate.Top(), 5);
  EXPECT_EQ(form->lblTime.Left(), 792 + dx);
  EXPECT_EQ(form->lblWeek.Left(), 793 + dx);
}

TEST_F(MainWindowTest, TheBarShowsTheRestingPictureOfEachButton) {
  Start();
  const TBitmap& screen = form->Snapshot();
  const TPoint bar = form->pnl1.ClientToForm({0, 0});
  for (TDsFancyButton* button : {&form->btnHome, &form->btnReturn, &form->btnRefresh, &form->btnKey,
                                 &form->btnDown, &form->btnUp}) {
    const TBitmap strip = Artwork::Get("frmMain." + button->Name());
    // The middle of the legend's circle is part of the picture, never the key colour.
    const int x = button->Width() / 2, y = button->Height() / 2;
    EXPECT_EQ(screen.Pixel(bar.X + button->Left() + x, bar.Y + button->Top() + y), strip.Pixel(x, y))
        << button->Name();
  }
}
