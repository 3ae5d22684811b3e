// A window with a bar and a client-aligned web pane on the GTK backend, for the end-to-end tests.
// It navigates to its argument and reports on standard output, one line each:
//   window <X id>                     the window is shown
//   complete <url> html=<0|1>         a document finished loading (then the pane takes the focus)
//   newwindow <request> href=<href>   a page asked for a new window ("-" for no href); the pane
//                                     then opens the href, or the request without one
//   message <hex> inside=<0|1>        a mouse button message the filter saw; right buttons inside
//                                     the page are dropped
//   title <text>                      the page's title changed (the pages report through it)
//   crashed                           the page's process ended; the pane goes back to the start
#include <webkit2/webkit2.h>

#include <cstdio>
#include <string>

#include "platform/backend/gtk/TGtkBackend.h"
#include "platform/backend/gtk/webkit/TWebKitView.h"
#include "platform/ui/TApplication.h"
#include "platform/ui/TForm.h"
#include "platform/ui/TPanel.h"
#include "platform/ui/TWebBrowser.h"
#include "WebPaneLayout.h"

namespace {

constexpr TColor FromRgb(uint32_t rgb) { return TColor(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF)); }

class TProbeForm : public TForm {
public:
  explicit TProbeForm(std::string start) : TForm(nullptr), start_(std::move(start)) {
    using namespace WebPaneLayout;
    SetBorderStyle(bsNone);
    SetCaption(kCaption);
    SetBounds(kWindow.Left, kWindow.Top, kWindow.Width(), kWindow.Height());
    bar.SetAlign(alTop);
    bar.SetHeight(kBarHeight);
    bar.SetBevelOuter(bvNone);
    bar.SetColor(FromRgb(kBarRgb));
    pane.SetAlign(alClient);
    pane.OnDocumentComplete = [this](TObject*, const std::string& url) {
      std::printf("complete %s html=%d\n", url.c_str(), pane.HasHtmlDocument() ? 1 : 0);
      pane.FocusDocument();
    };
    pane.OnNewWindow2 = [this](TObject*, const std::string& request, bool& cancel) {
      std::string href;
      bool has = pane.ActiveElementHref(href);
      std::printf("newwindow %s href=%s\n", request.c_str(), has ? href.c_str() : "-");
      pane.Navigate(has && !href.empty() ? href : request);
      cancel = true;
    };
    pane.OnProcessCrashed = [this](TObject*) {
      std::printf("crashed\n");
      pane.Navigate(start_);
    };
    DoCreate();
  }

  void Start() {
    Show();
    pane.Navigate(start_);
    if (auto* view = dynamic_cast<TWebKitView*>(pane.View()))
      g_signal_connect(view->WebView(), "notify::title", G_CALLBACK(+[](WebKitWebView* v, GParamSpec*, gpointer) {
        const char* title = webkit_web_view_get_title(v);
        if (title && *title) std::printf("title %s\n", title);
      }), nullptr);
    std::printf("window %lu\n", static_cast<unsigned long>(Handle()));
  }

  bool Filter(const TMsg& msg) {
    bool right = msg.message == WM_RBUTTONDOWN || msg.message == WM_RBUTTONUP;
    bool left = msg.message == WM_LBUTTONDOWN || msg.message == WM_LBUTTONUP;
    if (!right && !left) return false;
    bool inside = pane.IsDescendant(msg.hwnd);
    std::printf("message %04x inside=%d\n", unsigned(msg.message), inside ? 1 : 0);
    return right && inside;
  }

  TPanel bar{this};
  TWebBrowser pane{this};

private:
  std::string start_;
};

} // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  TGtkBackend backend;
  TApplication app(backend);
  TWebBrowser::SetFactory(MakeWebKitViewFactory());
  TProbeForm form(argc > 1 ? argv[1] : "");
  app.SetMainForm(&form);
  app.OnMessage = [&](TMsg& msg, bool& handled) { handled = form.Filter(msg); };
  form.Start();
  app.Run();
  return 0;
}
