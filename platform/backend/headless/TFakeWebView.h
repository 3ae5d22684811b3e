#pragma once
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/TWebBrowser.h"

// The web pane's engine in tests: no page, only what a test scripts. It records the calls the
// program makes ("Navigate <url>", "GoBack", "Refresh", "Stop", "FocusDocument"), answers the
// questions from its public fields and raises the engine's events when the test says so.
class TFakeWebView : public IWebView {
public:
  // The pane's own window and the document window inside it.
  static constexpr HWND kPaneHandle = HWND(0x7E000001);
  static constexpr HWND kDocumentHandle = HWND(0x7E000002);

  explicit TFakeWebView(TWebViewEvents events);
  ~TFakeWebView() override;
  TFakeWebView(const TFakeWebView&) = delete;
  TFakeWebView& operator=(const TFakeWebView&) = delete;

  // The fake made last that still exists, or null.
  static TFakeWebView* Last();

  // Navigate also makes the address the location, as a load would; Stop ends Busy.
  void Navigate(const std::string& url) override;
  void GoBack() override { calls.push_back("GoBack"); }
  void Refresh() override { calls.push_back("Refresh"); }
  bool Busy() const override { return busy; }
  void Stop() override;
  std::string LocationURL() const override { return location; }
  bool HasHtmlDocument() const override { return html; }
  bool ActiveElementHref(std::string& href) const override;
  void FocusDocument() override { calls.push_back("FocusDocument"); }
  HWND Handle() const override { return kPaneHandle; }
  bool IsDescendant(HWND window) const override { return window == kDocumentHandle; }
  void SetBounds(const TRect& formRect) override { bounds = formRect; }
  void SetVisible(bool v) override { visible = v; }

  // The page asks for a new window; returns the Cancel the handlers left.
  bool RaiseNewWindow(const std::string& requestUrl);
  void RaiseDocumentComplete(const std::string& url);
  void RaiseProcessCrashed();

  std::vector<std::string> calls;
  bool busy = false;
  bool html = true;
  std::optional<std::string> activeHref; // none: no active element, or one without "href"
  std::string location;
  TRect bounds{};
  bool visible = false;

private:
  TWebViewEvents events_;
};

// A factory for TWebBrowser::SetFactory; *created, when given, is set to each fake it makes.
TWebViewFactory MakeFakeWebViewFactory(TFakeWebView** created = nullptr);
