#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>

#include "browser/TfrmMain.h"
#include "platform/backend/headless/TFakeWebView.h"
#include "platform/backend/headless/THeadlessBackend.h"
#include "platform/sys/fakes/FakeServices.h"
#include "platform/ui/TApplication.h"

// The program's folder for one test: a blank and Chinese in its name, as an operator may choose.
class TProgramFolder {
public:
  static constexpr const char* kPrefix = "tovira 浏览器-";
  // The prefix as it stands in a file: address.
  static constexpr const char* kPrefixInUri = "tovira%20%E6%B5%8F%E8%A7%88%E5%99%A8-";

  TProgramFolder() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/" + kPrefix + "XXXXXX";
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
  }
  ~TProgramFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TProgramFolder(const TProgramFolder&) = delete;
  TProgramFolder& operator=(const TProgramFolder&) = delete;

  // With a trailing '/', as the program's folder is given.
  std::string Path() const { return path_ + "/"; }
  // The folder's path in a file: address, given the parent folder is plain ASCII.
  std::string PathInUri() const {
    const size_t cut = path_.rfind('/') + 1;
    return path_.substr(0, cut) + kPrefixInUri + path_.substr(cut + std::string(kPrefix).size()) + "/";
  }
  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(Path() + name, std::ios::binary) << bytes;
  }

private:
  std::string path_;
};

// The main window on the headless backend, with the fake services and the fake web engine. The
// program runs from a temporary folder, where each test puts the settings file it needs.
class MainWindowTest : public ::testing::Test {
protected:
  static constexpr int kScreenWidth = 1280, kScreenHeight = 800;

  MainWindowTest() : fakes(InstallFakeServices()) {
    fakes.Processes->ExePath = folder.Path() + "Tovira";
    backend.SetScreenSize(kScreenWidth, kScreenHeight);
    app.SetTitle(TfrmMain::kCaption);
    TWebBrowser::SetFactory(MakeFakeWebViewFactory(&view));
  }
  ~MainWindowTest() override { TWebBrowser::SetFactory(nullptr); }

  // The settings file: a Common section with these lines (CRLF line ends, as Setuva writes).
  void Settings(const std::string& lines) { folder.Write("Tovira.dat", "[Common]\r\n" + lines); }

  // Creates the main window (FormCreate runs) and shows it, as main() does.
  void Start() {
    form = std::make_unique<TfrmMain>(nullptr);
    app.SetMainForm(form.get());
    form->Show();
    app.ProcessMessages();
  }

  // Waits virtual minutes, one minute tick at a time.
  void WaitMinutes(int minutes) {
    for (int i = 0; i < minutes; ++i) backend.Advance(60000);
  }

  // How often the pane was sent to this address.
  int Navigations(const std::string& url) const {
    int n = 0;
    for (const std::string& call : view->calls) n += call == "Navigate " + url;
    return n;
  }

  TProgramFolder folder;
  THeadlessBackend backend;
  TApplication app{backend};
  TFakeServices fakes;
  TFakeWebView* view = nullptr;
  std::unique_ptr<TfrmMain> form;
};
