#pragma once
#include <optional>
#include <string>

#include "platform/ui/TWebBrowser.h"

typedef struct _GtkWidget GtkWidget;
typedef struct _WebKitWebView WebKitWebView;
typedef struct _WebKitUserContentManager WebKitUserContentManager;

// The web pane's engine on the GTK backend: a WebKitGTK view inside an event box, placed in the
// form's native container. The box is the pane's own window (Handle), the view the window inside
// it that gets the pointer and the keys, so a message filter can tell input in the page from the
// pane itself. The pointer buttons go through the application's message filter before the engine
// sees them.
//
// The view is kept to the page: the engine's own context menu, downloads, file choosers, printing,
// permission requests (camera, microphone, location, notifications), full-screen requests that
// would take the window out of its place, the inspector and new windows are all refused; a page
// that asks for a new window raises NewWindow instead. Its data (cookies, storage, cache) lives
// in memory only and ends with the program.
class TWebKitView : public IWebView {
public:
  TWebKitView(TWebBrowser& pane, TWebViewEvents events);
  ~TWebKitView() override;
  TWebKitView(const TWebKitView&) = delete;
  TWebKitView& operator=(const TWebKitView&) = delete;

  void Navigate(const std::string& url) override;
  void GoBack() override;
  void Refresh() override;
  bool Busy() const override;
  void Stop() override;
  std::string LocationURL() const override;
  bool HasHtmlDocument() const override;
  bool ActiveElementHref(std::string& href) const override;
  void FocusDocument() override;
  HWND Handle() const override;
  bool IsDescendant(HWND window) const override;
  void SetBounds(const TRect& formRect) override;
  void SetVisible(bool visible) override;

  // The engine's view itself, for tests that watch the page.
  WebKitWebView* WebView() const { return view_; }

  // Called by the signal handlers in the source file.
  void LoadCommitted();
  void LoadFinished();
  bool LoadFailed(const std::string& uri, const std::string& reason, bool showError);
  void NewWindowRequested(const std::string& url);
  void FocusReported(const std::optional<std::string>& href);
  void ProcessEnded();

private:
  TWebBrowser& pane_;
  TWebViewEvents events_;
  GtkWidget* box_ = nullptr;      // the pane's own window
  WebKitWebView* view_ = nullptr; // inside it
  WebKitUserContentManager* content_ = nullptr; // its script's reports come through here
  // The resolved "href" of the element that has the focus in the page, as its script reports it.
  std::optional<std::string> focus_href_;
  bool html_ = false;   // the committed document is HTML
  bool failed_ = false; // it is the error page of a failed load
  bool committed_ = false; // the load under way has shown its document
  std::string error_uri_; // the address whose error page is on its way
};

// The factory main() installs with TWebBrowser::SetFactory.
TWebViewFactory MakeWebKitViewFactory();
