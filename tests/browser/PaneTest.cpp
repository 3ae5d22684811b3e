// The web pane and the bar: the context-menu filter, new-window requests, the focus after each
// load, the buttons, the vendor labels and the close.
#include "MainWindowFixture.h"

namespace {

const char* const kHome = "http://127.0.0.1/home.html";

class PaneTest : public MainWindowTest {
protected:
  PaneTest() {
    Settings(std::string("Homepage=") + kHome + "\r\nShowVendorSite=1\r\nVendorName=技术支持\r\n"
             "VendorURL=http://vendor.example/\r\nSoftSite=使用帮助\r\nSoftSiteURL=http://help.example/\r\n");
    Start();
    view->calls.clear();
  }
};

} // namespace

TEST_F(PaneTest, DropsRightButtonMessagesInsideThePageOnly) {
  struct TCase {
    HWND hwnd;
    uint32_t message;
    bool dropped;
  };
  const HWND page = TFakeWebView::kDocumentHandle, pane = TFakeWebView::kPaneHandle, bar = form->Handle();
  for (const TCase& c : {TCase{page, WM_RBUTTONDOWN, true}, TCase{page, WM_RBUTTONUP, true},
                         TCase{page, WM_LBUTTONDOWN, false}, TCase{page, WM_RBUTTONDBLCLK, false},
                         TCase{page, WM_KEYDOWN, false}, TCase{pane, WM_RBUTTONDOWN, false},
                         TCase{bar, WM_RBUTTONDOWN, false}, TCase{bar, WM_RBUTTONUP, false}}) {
    TMsg msg;
    msg.hwnd = c.hwnd;
    msg.message = c.message;
    EXPECT_EQ(app.FilterMessage(msg), c.dropped) << std::hex << c.hwnd << " " << c.message;
  }
}

TEST_F(PaneTest, ANewWindowIsAlwaysRefusedAndItsLinkOpensInThePane) {
  struct TCase {
    std::optional<std::string> activeHref;
    std::string requestUrl;
    std::vector<std::string> calls;
  };
  const TCase cases[] = {
      // A link with a new-window target, or a script's window.open while a link has the focus.
      {"http://127.0.0.1/link.html", "http://127.0.0.1/popup.html", {"Navigate http://127.0.0.1/link.html"}},
      // No link has the focus: the address asked for.
      {std::nullopt, "http://127.0.0.1/popup.html", {"Navigate http://127.0.0.1/popup.html"}},
      {"", "http://127.0.0.1/popup.html", {"Navigate http://127.0.0.1/popup.html"}},
      // Nothing to go to: the page stays.
      {std::nullopt, "", {}},
  };
  for (const TCase& c : cases) {
    view->calls.clear();
    view->activeHref = c.activeHref;
    EXPECT_TRUE(view->RaiseNewWindow(c.requestUrl)) << c.requestUrl;
    EXPECT_EQ(view->calls, c.calls) << c.activeHref.value_or("(none)") << " " << c.requestUrl;
  }
}

TEST_F(PaneTest, EachLoadedHtmlDocumentGetsTheFocus) {
  view->RaiseDocumentComplete(kHome);
  EXPECT_EQ(view->calls, std::vector<std::string>{"FocusDocument"});
  view->calls.clear();
  view->html = false;
  view->RaiseDocumentComplete("http://127.0.0.1/picture.png");
  EXPECT_TRUE(view->calls.empty());
}

TEST_F(PaneTest, TheNavigationButtonsDriveThePane) {
  const std::pair<TDsFancyButton*, std::string> cases[] = {
      {&form->btnHome, std::string("Navigate ") + kHome},
      {&form->btnReturn, "GoBack"},
      {&form->btnRefresh, "Refresh"},
  };
  for (const auto& [button, call] : cases) {
    view->calls.clear();
    backend.Click(*button, 40, 25);
    app.ProcessMessages();
    EXPECT_EQ(view->calls, std::vector<std::string>{call}) << button->Name();
  }
}

TEST_F(PaneTest, UpAndDownSendOneArrowKeyStrokeWithItsScanCode) {
  backend.Click(form->btnDown, 40, 25);
  app.ProcessMessages();
  backend.Click(form->btnUp, 40, 25);
  app.ProcessMessages();
  // Down arrow 0x28 with scan code 0x50, up arrow 0x26 with 0x48.
  EXPECT_EQ(fakes.KeyInput->Events, (std::vector<TKeyStroke>{{0x28, 0x50, 0, 0},
                                                              {0x28, 0x50, KEYEVENTF_KEYUP, 0},
                                                              {0x26, 0x48, 0, 0},
                                                              {0x26, 0x48, KEYEVENTF_KEYUP, 0}}));
  EXPECT_TRUE(view->calls.empty()) << "the bar buttons leave the pane alone";
}

TEST_F(PaneTest, TheVendorLabelsOpenTheirAddressesWithTheDesktopsHandler) {
  EXPECT_EQ(form->lblVendor.Cursor(), crHandPoint);
  backend.Click(form->lblVendor, 2, 2);
  app.ProcessMessages();
  backend.Click(form->lblSoftSite, 2, 2);
  app.ProcessMessages();
  EXPECT_EQ(fakes.Shell->Opened, (std::vector<std::string>{"http://vendor.example/", "http://help.example/"}));
}

TEST_F(PaneTest, ACloseRequestStopsAPageStillLoadingAndEndsTheProgram) {
  view->busy = true;
  TMsg request;
  request.hwnd = form->Handle();
  request.message = WM_CLOSE;
  app.PostMessage(request);
  app.ProcessMessages();
  EXPECT_EQ(view->calls, std::vector<std::string>{"Stop"});
  EXPECT_FALSE(form->Visible());
  EXPECT_TRUE(app.Terminated());
}

TEST_F(PaneTest, ClosingLeavesAnIdlePaneAlone) {
  form->Close();
  EXPECT_TRUE(view->calls.empty());
  EXPECT_TRUE(app.Terminated());
}

TEST_F(PaneTest, AfterTheEnginesProcessDiesThePaneGoesHome) {
  view->RaiseProcessCrashed();
  EXPECT_EQ(view->calls, std::vector<std::string>{std::string("Navigate ") + kHome});
}
