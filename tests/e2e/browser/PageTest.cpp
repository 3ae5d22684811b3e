// The page in the pane: it gets the focus, so the bar's arrow buttons scroll it; new windows stay
// in the pane; a right click and the menu key open no menu.
#include "KioskFixture.h"

#include <X11/keysym.h>

#include <algorithm>
#include <thread>

namespace {

// The pane starts 10 pixels in from the top and left edges of the screen.
TPoint InPage(int x, int y) { return {10 + x, 10 + y}; }

int ScrollOf(const std::string& report) { return std::stoi(report.substr(report.find('=') + 1)); }

} // namespace

TEST_F(KioskTest, TheLoadedPageHasTheFocusSoDownAndUpScrollIt) {
  Settings({"Homepage=" + Page("scroll.html")});
  ASSERT_NE(StartKiosk(), 0u);
  ASSERT_TRUE(WaitForReport("loaded=scroll"));
  ASSERT_TRUE(Reported("focus=page")) << "the page did not get the focus";

  Touch(BarPoint(440 + 40, 4 + 25)); // 下移
  const std::optional<std::string> down = WaitForReport("scrollY=");
  ASSERT_TRUE(down) << "下移 did not scroll the page";
  EXPECT_GT(ScrollOf(*down), 0);

  Touch(BarPoint(536 + 40, 4 + 25)); // 上移
  const std::optional<std::string> up = WaitForReport("scrollY=");
  ASSERT_TRUE(up) << "上移 did not scroll the page";
  EXPECT_EQ(ScrollOf(*up), 0);
}

TEST_F(KioskTest, PagesThatAskForANewWindowGetTheLinkInThePaneInstead) {
  Settings({"Homepage=" + Page("links.html")});
  ASSERT_NE(StartKiosk(), 0u);
  ASSERT_TRUE(WaitForReport("loaded=links"));
  const size_t windows = RootChildren().size();

  // A link with a new-window target.
  Touch(InPage(40 + 100, 40 + 30));
  EXPECT_TRUE(WaitForReport("target=blank")) << "the link did not open in the pane";

  // A script asks for a window of another address while a link has the focus.
  Touch(BarPoint(16 + 40, 4 + 25)); // 首页
  ASSERT_TRUE(WaitForReport("loaded=links"));
  Touch(InPage(40 + 100, 240 + 30));
  EXPECT_TRUE(WaitForReport("target=focus")) << "the focused link did not open in the pane";

  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  EXPECT_EQ(RootChildren().size(), windows) << "a window opened";
  const std::vector<std::string> lines = ServerLines();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "get /popup.html"), 0) << "the address the script asked for loaded";
}

TEST_F(KioskTest, ARightClickAndTheMenuKeyInThePageOpenNoMenu) {
  Settings({"Homepage=" + Page("menu.html")});
  ASSERT_NE(StartKiosk(), 0u);
  ASSERT_TRUE(WaitForReport("loaded=menu"));
  ASSERT_TRUE(Reported("focus=page"));
  const std::vector<XWindow> before = RootChildren();
  auto pageEvents = [&] {
    std::vector<std::string> seen;
    for (const std::string& line : ServerLines())
      if (line.starts_with("report event=")) seen.push_back(line.substr(7));
    return seen;
  };

  // A left click after the right one: once the page reports it, the right click would have come
  // before. The filter drops the right button before the engine sees it, so the page sees no
  // press, no release and no context-menu event of it.
  const TPoint middle = InPage(400, 300);
  x_.Click(middle.X, middle.Y, 3);
  x_.Click(middle.X, middle.Y, 1);
  ASSERT_TRUE(WaitForReport("event=mouseup&button=0"));
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_EQ(pageEvents(), (std::vector<std::string>{"event=mousedown&button=0", "event=mouseup&button=0"}));
  EXPECT_EQ(RootChildren(), before) << "a menu window opened after the right click";

  // The menu key reaches the page, which may see the context-menu event it makes, but the
  // engine shows no menu for it.
  ASSERT_TRUE(x_.Key(XK_Menu));
  EXPECT_TRUE(WaitForReport("event=keydown&key=ContextMenu")) << "the menu key did not reach the page";
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  EXPECT_EQ(RootChildren(), before) << "a menu window opened after the menu key";
  RecordProperty("page events", ::testing::PrintToString(pageEvents()));
}
