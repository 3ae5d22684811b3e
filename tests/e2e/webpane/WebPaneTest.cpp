// The web pane on a private X server, with pages from a loopback server: what a visitor can and
// cannot do in the page.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "TChildProcess.h"
#include "TLoopbackHttpServer.h"
#include "TXvfb.h"
#include "WebPaneLayout.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace {

using namespace std::chrono_literals;
using WebPaneLayout::OnScreen;

constexpr int kStartMs = 30000; // the first page, with the engine's processes starting
constexpr int kStepMs = 10000;

const char* const kStyle =
    "<style>html,body{margin:0;background:#0ac81e;height:3000px}"
    "a,input{position:absolute;display:block;left:20px;width:200px;height:40px;background:#fff}</style>";

std::string Page(const std::string& title, const std::string& body) {
  return "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>" + title + "</title>" + kStyle + "</head><body>" +
         body + "</body></html>";
}

// A 1 x 1 picture.
const char kPng[] =
    "\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52\x00\x00\x00\x01\x00\x00\x00\x01\x08\x02"
    "\x00\x00\x00\x90\x77\x53\xde\x00\x00\x00\x0c\x49\x44\x41\x54\x78\x9c\x63\xe0\x3a\x21\x07\x00\x01\xd0"
    "\x00\xf1\x24\x5c\x91\xf4\x00\x00\x00\x00\x49\x45\x4e\x44\xae\x42\x60\x82";

// A loopback port that nothing listens on (it was free a moment ago).
int ClosedPort() {
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof addr;
  bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
  getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
  close(fd);
  return ntohs(addr.sin_port);
}

bool StartsWith(const std::string& s, const std::string& prefix) { return s.compare(0, prefix.size(), prefix) == 0; }

class WebPaneTest : public ::testing::Test {
protected:
  void SetUp() override {
    auto html = [](std::string body) { return TLoopbackHttpServer::TPage{"text/html; charset=utf-8", std::move(body), ""}; };
    server_.Add("/index.html", html(Page("index",
        "<a id=\"blank\" href=\"target.html\" target=\"_blank\" style=\"top:20px\">blank</a>"
        "<a id=\"scripted\" href=\"linked.html\" onclick=\"window.open('popup.html');return false\" "
        "style=\"top:100px\">scripted</a>"
        "<a href=\"file.bin\" style=\"top:180px\">binary</a>"
        "<a href=\"attach.txt\" style=\"top:260px\">attachment</a>"
        "<input type=\"file\" style=\"top:340px\">"
        "<a href=\"note.txt\" download style=\"top:420px\">save</a>"
        "<script>"
        "document.addEventListener('mousedown', e => { if (e.button === 2) document.title = 'page saw right button'; });"
        "window.addEventListener('scroll', () => { document.title = 'scrolled ' + Math.round(window.scrollY); });"
        "</script>")));
    server_.Add("/keys.html", html(Page("keys",
        "<a id=\"focused\" href=\"linked.html\" style=\"top:20px\">focused</a>"
        "<a href=\"target.html\" target=\"_blank\" onmousedown=\"event.preventDefault()\" "
        "style=\"top:100px\">keeps the focus away</a>"
        "<script>"
        "window.addEventListener('load', () => document.getElementById('focused').focus());"
        "window.addEventListener('scroll', () => { document.title = 'scrolled ' + Math.round(window.scrollY); });"
        "document.addEventListener('keydown', e => { if (e.key === 'o') window.open('popup.html'); });"
        "</script>")));
    server_.Add("/permissions.html", html(Page("permissions",
        "<script>"
        "let geo = '?', notify = '?';"
        "const show = () => { document.title = 'geo=' + geo + ' notify=' + notify; };"
        "navigator.geolocation.getCurrentPosition(() => { geo = 'granted'; show(); },"
        "                                         e => { geo = 'error' + e.code; show(); });"
        "Notification.requestPermission().then(p => { notify = p; show(); });"
        "</script>")));
    server_.Add("/target.html", html(Page("target", "target")));
    server_.Add("/linked.html", html(Page("linked", "linked")));
    server_.Add("/popup.html", html(Page("popup", "popup")));
    server_.Add("/note.txt", {"text/plain", "saved?", ""});
    server_.Add("/picture.png", {"image/png", std::string(kPng, sizeof kPng - 1), ""});
    server_.Add("/plain.txt", {"text/plain", "plain text", ""});
    server_.Add("/page.xhtml", {"application/xhtml+xml",
        "<?xml version=\"1.0\"?><html xmlns=\"http://www.w3.org/1999/xhtml\"><body>x</body></html>", ""});
    server_.Add("/file.bin", {"application/octet-stream", std::string(4096, 'x'), ""});
    server_.Add("/attach.txt", {"text/plain", "saved?", "Content-Disposition: attachment; filename=\"attach.txt\"\r\n"});
  }

  void Start(const std::string& path) {
    StartProbe(server_.Url(path));
    ASSERT_TRUE(Expect("complete " + server_.Url(path) + " html=1", kStartMs)) << "the first page did not load";
  }

  void StartProbe(const std::string& address) {
    probe_.reset();
    probe_ = std::make_unique<TChildProcess>(std::vector<std::string>{WEBPANE_PROBE, address}, xvfb_.Environment());
    ASSERT_TRUE(Expect("window ", kStartMs)) << "the probe did not show its window";
  }

  // Reads on until a line that starts with prefix; the lines passed stay in the probe's Lines().
  std::optional<std::string> Expect(const std::string& prefix, int timeoutMs) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (true) {
      int left = int(std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count());
      if (left <= 0) return std::nullopt;
      std::optional<std::string> line = probe_->ReadLine(left);
      if (!line) return std::nullopt;
      if (StartsWith(*line, prefix)) return line;
    }
  }

  int CountLines(const std::string& prefix) {
    probe_->Drain();
    const auto& lines = probe_->Lines();
    return int(std::count_if(lines.begin(), lines.end(), [&](const std::string& l) { return StartsWith(l, prefix); }));
  }

  // Every window mapped on the screen, named or not: menus and dialogs are windows of their own.
  int MappedWindows() const {
    Display* dpy = xvfb_.Connection();
    XSync(dpy, False);
    Window root = 0, parent = 0, *children = nullptr;
    unsigned n = 0;
    if (!XQueryTree(dpy, DefaultRootWindow(dpy), &root, &parent, &children, &n)) return -1;
    int mapped = 0;
    for (unsigned i = 0; i < n; ++i) mapped += xvfb_.WindowViewable(children[i]) ? 1 : 0;
    if (children) XFree(children);
    return mapped;
  }

  void Click(TPoint p, unsigned button = 1) { xvfb_.Click(p.X, p.Y, button); }
  void CheckKeysReachThePage();

  // Files a download would have left anywhere the probe may write.
  bool AnyFileNamed(const std::string& name) const {
    std::error_code ec;
    for (auto it = std::filesystem::recursive_directory_iterator(xvfb_.TempDir(), ec);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
      if (ec) break;
      if (it->path().filename().string().find(name) != std::string::npos) return true;
    }
    return false;
  }

  TXvfb xvfb_;
  TLoopbackHttpServer server_;
  std::unique_ptr<TChildProcess> probe_;
};

TEST_F(WebPaneTest, PageLoadsIntoThePaneRectangle) {
  Start("/index.html");
  TPoint inPage = OnScreen(500, 300);
  EXPECT_TRUE(TXvfb::WaitUntil([&] { return xvfb_.PixelAt(inPage.X, inPage.Y) == WebPaneLayout::kPageRgb; }, kStepMs))
      << "page colour " << std::hex << xvfb_.PixelAt(inPage.X, inPage.Y);
  EXPECT_EQ(xvfb_.PixelAt(500, WebPaneLayout::kBarHeight / 2), WebPaneLayout::kBarRgb) << "the page covers the bar";
  EXPECT_EQ(xvfb_.PixelAt(500, WebPaneLayout::kBarHeight), WebPaneLayout::kPageRgb) << "the pane starts below the bar";
}

// Only an HTML document that loaded is one the pane can give the focus to.
TEST_F(WebPaneTest, TellsHtmlDocumentsFromOthers) {
  const std::string unreachable = "http://127.0.0.1:" + std::to_string(ClosedPort()) + "/";
  const struct {
    std::string address, loaded;
    bool html;
  } cases[] = {
      {server_.Url("/index.html"), server_.Url("/index.html"), true},
      {server_.Url("/page.xhtml"), server_.Url("/page.xhtml"), true},
      {"", "about:blank", true},
      {server_.Url("/picture.png"), server_.Url("/picture.png"), false},
      {server_.Url("/plain.txt"), server_.Url("/plain.txt"), false},
      {unreachable, unreachable, false}, // the error page
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.address);
    StartProbe(c.address);
    EXPECT_TRUE(Expect("complete " + c.loaded + " html=" + (c.html ? "1" : "0"), kStartMs));
  }
}

TEST_F(WebPaneTest, RightButtonInThePageIsDroppedAndNoMenuOpens) {
  Start("/index.html");
  int before = MappedWindows();

  Click(OnScreen(500, 300), 3);
  EXPECT_TRUE(Expect("message 0204 inside=1", kStepMs));
  EXPECT_TRUE(Expect("message 0205 inside=1", kStepMs));
  // The menu key asks the engine for its menu without any button.
  xvfb_.Key(XK_Menu);
  std::this_thread::sleep_for(1s);
  EXPECT_EQ(MappedWindows(), before);
  EXPECT_EQ(CountLines("title page saw right button"), 0);

  // The bar is not the page: its right clicks pass.
  Click({500, WebPaneLayout::kBarHeight / 2}, 3);
  EXPECT_TRUE(Expect("message 0204 inside=0", kStepMs));
  // A left click in the page reaches it, after the filter saw it.
  Click(OnScreen(500, 300), 1);
  EXPECT_TRUE(Expect("message 0201 inside=1", kStepMs));
}

TEST_F(WebPaneTest, LinkToANewWindowOpensInThePaneOnce) {
  Start("/index.html");
  int before = MappedWindows();

  Click(OnScreen(120, 40));
  auto request = Expect("newwindow ", kStepMs);
  ASSERT_TRUE(request);
  EXPECT_EQ(*request, "newwindow " + server_.Url("/target.html") + " href=" + server_.Url("/target.html"));
  EXPECT_TRUE(Expect("complete " + server_.Url("/target.html") + " html=1", kStepMs));
  std::this_thread::sleep_for(500ms);
  EXPECT_EQ(CountLines("newwindow "), 1);
  EXPECT_EQ(MappedWindows(), before);
}

// A page may keep a click from moving the focus; the link clicked is still the one that opens,
// not the one that kept the focus.
TEST_F(WebPaneTest, LinkThatTakesNoFocusStillOpensItself) {
  Start("/keys.html");
  Click(OnScreen(120, 120));
  auto request = Expect("newwindow ", kStepMs);
  ASSERT_TRUE(request);
  EXPECT_EQ(*request, "newwindow " + server_.Url("/target.html") + " href=" + server_.Url("/target.html"));
}

TEST_F(WebPaneTest, ScriptOpeningAWindowFromALinkOpensTheLink) {
  Start("/index.html");
  int before = MappedWindows();

  Click(OnScreen(120, 120));
  auto request = Expect("newwindow ", kStepMs);
  ASSERT_TRUE(request);
  EXPECT_EQ(*request, "newwindow " + server_.Url("/popup.html") + " href=" + server_.Url("/linked.html"));
  EXPECT_TRUE(Expect("complete " + server_.Url("/linked.html") + " html=1", kStepMs));
  std::this_thread::sleep_for(500ms);
  EXPECT_EQ(CountLines("newwindow "), 1);
  EXPECT_EQ(MappedWindows(), before);
  auto asked = server_.Requests();
  EXPECT_EQ(std::count(asked.begin(), asked.end(), "/popup.html"), 0) << "the requested window loaded anyway";
}

// After a load the page has the keys without being touched: the arrow keys scroll it, and a
// key that makes it open a window while its link has the focus opens that link. With a window
// manager or without one.
TEST_F(WebPaneTest, KeysReachThePageAfterItLoads) {
  Start("/keys.html");
  CheckKeysReachThePage();
}

TEST_F(WebPaneTest, KeysReachThePageAfterItLoadsUnderAWindowManager) {
  ASSERT_TRUE(xvfb_.StartWindowManager());
  Start("/keys.html");
  CheckKeysReachThePage();
}

void WebPaneTest::CheckKeysReachThePage() {
  ASSERT_TRUE(xvfb_.Key(XK_Down));
  EXPECT_TRUE(Expect("title scrolled ", kStepMs)) << "the arrow key did not scroll the page";

  ASSERT_TRUE(xvfb_.Key(XK_o));
  auto request = Expect("newwindow ", kStepMs);
  ASSERT_TRUE(request);
  EXPECT_EQ(*request, "newwindow " + server_.Url("/popup.html") + " href=" + server_.Url("/linked.html"));
  EXPECT_TRUE(Expect("complete " + server_.Url("/linked.html") + " html=1", kStepMs));
}

TEST_F(WebPaneTest, DownloadsAndFileChoosersAreRefused) {
  Start("/index.html");
  int before = MappedWindows();

  for (auto [y, path] : {std::pair{200, "/file.bin"}, std::pair{280, "/attach.txt"}, std::pair{440, "/note.txt"}}) {
    SCOPED_TRACE(path);
    Click(OnScreen(120, y));
    EXPECT_TRUE(TXvfb::WaitUntil([&] {
      auto asked = server_.Requests();
      return std::find(asked.begin(), asked.end(), path) != asked.end();
    }, kStepMs));
  }
  Click(OnScreen(120, 360)); // the file input
  std::this_thread::sleep_for(1500ms);
  EXPECT_FALSE(AnyFileNamed("file.bin"));
  EXPECT_FALSE(AnyFileNamed("attach"));
  EXPECT_FALSE(AnyFileNamed("note"));
  // The pointer leaves the page, so no tooltip of it stays.
  xvfb_.Move(500, WebPaneLayout::kBarHeight / 2);
  EXPECT_TRUE(TXvfb::WaitUntil([&] { return MappedWindows() == before; }, kStepMs)) << "a dialog opened";
  EXPECT_EQ(CountLines("complete "), 1) << "the pane left its page";
}

TEST_F(WebPaneTest, PermissionRequestsAreDenied) {
  Start("/permissions.html");
  EXPECT_TRUE(Expect("title geo=error1 notify=denied", kStepMs));
}

TEST_F(WebPaneTest, EndedPageProcessIsReported) {
  Start("/index.html");
  // The engine's page process is a child of the probe.
  pid_t web = 0;
  for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
    std::ifstream stat(entry.path() / "stat");
    std::string line;
    if (!std::getline(stat, line)) continue;
    size_t close = line.rfind(')');
    if (close == std::string::npos) continue;
    std::string comm = line.substr(line.find('(') + 1, close - line.find('(') - 1);
    int ppid = 0;
    char state = 0;
    if (std::sscanf(line.c_str() + close + 1, " %c %d", &state, &ppid) != 2) continue;
    if (ppid == probe_->Pid() && StartsWith(comm, "WebKitWebProces")) web = std::stoi(entry.path().filename());
  }
  ASSERT_NE(web, 0) << "no page process found";
  kill(web, SIGKILL);
  EXPECT_TRUE(Expect("crashed", kStepMs));
  EXPECT_TRUE(Expect("complete " + server_.Url("/index.html") + " html=1", kStartMs)) << "the pane did not recover";
}

} // namespace
