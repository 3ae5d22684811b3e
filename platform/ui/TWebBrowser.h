#pragma once
#include <functional>
#include <memory>
#include <string>

#include "platform/ui/TWinControl.h"

class TWebBrowser;

// The engine behind a web pane: WebKitGTK on screen, a scriptable fake in tests. Calls are
// synchronous; what a handler needs from the page (the focused element's "href") the engine keeps
// current as the page changes, so no call has to wait for the engine's own process.
class IWebView {
public:
  virtual ~IWebView() = default;
  virtual void Navigate(const std::string& url) = 0;
  virtual void GoBack() = 0;
  virtual void Refresh() = 0;
  virtual bool Busy() const = 0;
  virtual void Stop() = 0;
  virtual std::string LocationURL() const = 0;
  // The current document is an HTML document (and not, say, an image or an error page).
  virtual bool HasHtmlDocument() const = 0;
  // The "href" attribute of the document's active element; false when there is no document,
  // no active element or no such attribute.
  virtual bool ActiveElementHref(std::string& href) const = 0;
  // Gives the keyboard focus to the document's window.
  virtual void FocusDocument() = 0;
  // The pane's native window, and whether a window is one of its descendants (not itself).
  virtual HWND Handle() const = 0;
  virtual bool IsDescendant(HWND window) const = 0;
  // Placement in form coordinates, visibility.
  virtual void SetBounds(const TRect& formRect) = 0;
  virtual void SetVisible(bool visible) = 0;
};

// What the engine tells its pane. The pane raises the matching events.
struct TWebViewEvents {
  // A page asks for a new window; requestUrl is the address it asked for (may be empty).
  std::function<void(const std::string& requestUrl, bool& cancel)> NewWindow;
  std::function<void(const std::string& url)> DocumentComplete;
  // The engine's process for the page died; the pane shows nothing until navigated again.
  std::function<void()> ProcessCrashed;
};

using TWebViewFactory = std::function<std::unique_ptr<IWebView>(TWebBrowser& pane, TWebViewEvents events)>;

using TNewWindow2Event = std::function<void(TObject* Sender, const std::string& RequestUrl, bool& Cancel)>;
using TDocumentCompleteEvent = std::function<void(TObject* Sender, const std::string& URL)>;

// The web pane control. It creates its engine through the installed factory when its form gets a
// native window, and keeps the engine's view over its own rectangle.
class TWebBrowser : public TWinControl {
public:
  explicit TWebBrowser(TWinControl* parent);
  ~TWebBrowser() override;

  // main() installs the engine of the backend; tests install a fake.
  static void SetFactory(TWebViewFactory factory);

  // Navigate(URL, Flags, TargetFrameName, PostData, Headers) with the four optional arguments
  // omitted: only the address is passed on.
  void Navigate(const std::string& url);
  void GoBack();
  void Refresh();
  bool Busy() const;
  void Stop();
  std::string LocationURL() const;
  bool HasHtmlDocument() const;
  bool ActiveElementHref(std::string& href) const;
  void FocusDocument();
  HWND Handle() const;
  bool IsDescendant(HWND window) const;
  IWebView* View() const { return view_.get(); }

  TNewWindow2Event OnNewWindow2;
  TDocumentCompleteEvent OnDocumentComplete;
  TNotifyEvent OnProcessCrashed;

  // Creates the engine if it does not exist yet (the form calls this when it gets its window).
  void ViewNeeded();

protected:
  void BoundsChanged() override;
  void CMVisibleChanged() override;
  void PaintWindow(TCanvas& canvas) override;

private:
  void Place();
  std::unique_ptr<IWebView> view_;
  std::string pending_url_;
  bool has_pending_ = false;
};
