#include "platform/ui/TWebBrowser.h"

#include "platform/ui/TForm.h"

namespace {
TWebViewFactory& Factory() {
  static TWebViewFactory factory;
  return factory;
}
} // namespace

TWebBrowser::TWebBrowser(TWinControl* parent) : TWinControl(parent) { SetTabStop(true); }

TWebBrowser::~TWebBrowser() = default;

void TWebBrowser::SetFactory(TWebViewFactory factory) { Factory() = std::move(factory); }

void TWebBrowser::ViewNeeded() {
  if (view_ || !Factory()) return;
  if (TForm* form = ParentForm()) form->HandleNeeded();
  TWebViewEvents events;
  events.NewWindow = [this](const std::string& url, bool& cancel) {
    if (OnNewWindow2) OnNewWindow2(this, url, cancel);
  };
  events.DocumentComplete = [this](const std::string& url) {
    if (OnDocumentComplete) OnDocumentComplete(this, url);
  };
  events.ProcessCrashed = [this] {
    if (OnProcessCrashed) OnProcessCrashed(this);
  };
  view_ = Factory()(*this, std::move(events));
  Place();
}

void TWebBrowser::Navigate(const std::string& url) {
  ViewNeeded();
  if (view_) view_->Navigate(url);
}

void TWebBrowser::GoBack() {
  if (view_) view_->GoBack();
}

void TWebBrowser::Refresh() {
  if (view_) view_->Refresh();
}

bool TWebBrowser::Busy() const { return view_ && view_->Busy(); }

void TWebBrowser::Stop() {
  if (view_) view_->Stop();
}

std::string TWebBrowser::LocationURL() const { return view_ ? view_->LocationURL() : std::string(); }

bool TWebBrowser::HasHtmlDocument() const { return view_ && view_->HasHtmlDocument(); }

bool TWebBrowser::ActiveElementHref(std::string& href) const { return view_ && view_->ActiveElementHref(href); }

void TWebBrowser::FocusDocument() {
  if (view_) view_->FocusDocument();
}

HWND TWebBrowser::Handle() const { return view_ ? view_->Handle() : 0; }

bool TWebBrowser::IsDescendant(HWND window) const { return view_ && window && view_->IsDescendant(window); }

void TWebBrowser::BoundsChanged() {
  TWinControl::BoundsChanged();
  Place();
}

void TWebBrowser::CMVisibleChanged() {
  TWinControl::CMVisibleChanged();
  Place();
}

void TWebBrowser::Place() {
  if (!view_) return;
  view_->SetBounds(Bounds(ClientToForm({0, 0}).X, ClientToForm({0, 0}).Y, Width(), Height()));
  view_->SetVisible(Showing());
}

// The engine's view covers the pane; until it exists the pane shows the window colour.
void TWebBrowser::PaintWindow(TCanvas& canvas) {
  canvas.Brush.Color = clWindow;
  canvas.FillRect(ClientRect());
}
