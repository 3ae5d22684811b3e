#include "platform/backend/headless/TFakeWebView.h"

namespace {
TFakeWebView* g_last = nullptr;
} // namespace

TFakeWebView::TFakeWebView(TWebViewEvents events) : events_(std::move(events)) { g_last = this; }

TFakeWebView::~TFakeWebView() {
  if (g_last == this) g_last = nullptr;
}

TFakeWebView* TFakeWebView::Last() { return g_last; }

void TFakeWebView::Navigate(const std::string& url) {
  calls.push_back("Navigate " + url);
  location = url;
}

void TFakeWebView::Stop() {
  calls.push_back("Stop");
  busy = false;
}

bool TFakeWebView::ActiveElementHref(std::string& href) const {
  if (!activeHref) return false;
  href = *activeHref;
  return true;
}

bool TFakeWebView::RaiseNewWindow(const std::string& requestUrl) {
  bool cancel = false;
  if (events_.NewWindow) events_.NewWindow(requestUrl, cancel);
  return cancel;
}

void TFakeWebView::RaiseDocumentComplete(const std::string& url) {
  if (events_.DocumentComplete) events_.DocumentComplete(url);
}

void TFakeWebView::RaiseProcessCrashed() {
  if (events_.ProcessCrashed) events_.ProcessCrashed();
}

TWebViewFactory MakeFakeWebViewFactory(TFakeWebView** created) {
  return [created](TWebBrowser&, TWebViewEvents events) -> std::unique_ptr<IWebView> {
    auto view = std::make_unique<TFakeWebView>(std::move(events));
    if (created) *created = view.get();
    return view;
  };
}
