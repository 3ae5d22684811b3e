#pragma once
#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "TChildProcess.h"
#include "TXvfb.h"

// The installed kiosk on a private X server: each test installs the program into a folder of its
// own, writes the settings file it needs there, serves the test pages from loopback and starts
// Tovira with the server's private home and XDG folders. What the pages see they report to the
// page server, whose output the test reads.
class KioskTest : public ::testing::Test {
protected:
  static constexpr const char* kCaption = "Quillo触摸浏览器";
  static constexpr int kBarHeight = 57;

  KioskTest() : dir_(x_.TempDir() + "/kiosk") {}
  ~KioskTest() override {
    if (HasFailure() && x_.Connection()) x_.Screenshot(std::string(SCREENSHOT_DIR) + "/" + TestName() + ".png");
  }

  void SetUp() override {
    std::string output;
    const int status = RunProcess({CMAKE_COMMAND, "--install", BUILD_DIR, "--prefix", dir_, "--component", "Tovira"},
                                  {}, 60000, &output);
    ASSERT_EQ(status, 0) << output;
    server_ = std::make_unique<TChildProcess>(std::vector<std::string>{"python3", PAGE_SERVER, PAGES_DIR});
    const std::optional<std::string> port = server_->WaitForPrefix("port ", 10000);
    ASSERT_TRUE(port) << "the page server did not start";
    port_ = port->substr(5);
  }

  // The settings file of the installed program: a Common section with these lines.
  void Settings(const std::vector<std::string>& lines) const {
    std::ofstream out(dir_ + "/Tovira.dat", std::ios::binary | std::ios::trunc);
    out << "[Common]\r\n";
    for (const std::string& line : lines) out << line << "\r\n";
  }

  std::string Page(const std::string& name) const { return "http://127.0.0.1:" + port_ + "/" + name; }
  const std::string& InstallDir() const { return dir_; }

  std::vector<std::string> Environment(const std::vector<std::string>& extra = {}) const {
    std::vector<std::string> env = x_.Environment();
    env.insert(env.end(), extra.begin(), extra.end());
    return env;
  }

  // Starts the installed program and waits for its window.
  XWindow StartKiosk(const std::vector<std::string>& extraEnv = {}) {
    kiosk_ = std::make_unique<TChildProcess>(std::vector<std::string>{dir_ + "/Tovira"}, Environment(extraEnv), false);
    return x_.FindWindowByName(kCaption, 15000);
  }
  TChildProcess& Kiosk() { return *kiosk_; }

  // The next report of the pages that starts with this text ("loaded=scroll"), whole.
  std::optional<std::string> WaitForReport(const std::string& prefix, int timeoutMs = 10000) {
    const std::optional<std::string> line = server_->WaitForPrefix("report " + prefix, timeoutMs);
    return line ? std::optional<std::string>(line->substr(7)) : std::nullopt;
  }
  // Whether the pages made exactly this report ("focus=page"), at any time so far or within the
  // timeout.
  bool Reported(const std::string& report, int timeoutMs = 10000) {
    return TXvfb::WaitUntil([&] {
      for (const std::string& line : ServerLines())
        if (line == "report " + report) return true;
      return false;
    }, timeoutMs, 50);
  }
  // Everything the server said so far ("get /page.html", "report event=...").
  std::vector<std::string> ServerLines() {
    server_->Drain();
    return server_->Lines();
  }

  // Where a control of the bar is on the screen (design coordinates within the bar).
  TPoint BarPoint(int x, int y) const { return {x, x_.Height() - kBarHeight + y}; }
  void Touch(TPoint p) { x_.Click(p.X, p.Y); }

  // Every viewable window straight below the root, menus and other override-redirect ones too.
  std::vector<XWindow> RootChildren() const {
    std::vector<XWindow> out;
    Window root = 0, parent = 0, *children = nullptr;
    unsigned n = 0;
    if (!XQueryTree(x_.Connection(), DefaultRootWindow(x_.Connection()), &root, &parent, &children, &n)) return out;
    for (unsigned i = 0; i < n; ++i)
      if (x_.WindowViewable(children[i])) out.push_back(children[i]);
    if (children) XFree(children);
    return out;
  }

  static std::string TestName() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return std::string(info->test_suite_name()) + "." + info->name();
  }

  TXvfb x_;

private:
  std::string dir_;
  std::string port_;
  std::unique_ptr<TChildProcess> server_;
  std::unique_ptr<TChildProcess> kiosk_;
};
