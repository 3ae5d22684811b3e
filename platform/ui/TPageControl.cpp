#include "platform/ui/TPageControl.h"

#include <algorithm>

#include "platform/ui/ControlPaint.h"
#include "platform/ui/TForm.h"
#include "platform/ui/TTabSheet.h"

namespace {
// Room round a tab's caption, the first tab's distance from the left edge, and the page's
// distance from the control's frame.
constexpr int kTabPadding = 6;
constexpr int kFirstTab = 2;
constexpr int kPageInset = 4;
} // namespace

TPageControl::TPageControl(TWinControl* parent) : TWinControl(parent) {
  SetTabStop(true);
  SetControlStyle(ControlStyle() | csAcceptsControls | csOpaque);
  SetBounds(0, 0, 289, 193);
}

TPageControl::~TPageControl() {
  for (TTabSheet* page : pages_) page->page_control_ = nullptr;
}

TTabSheet* TPageControl::Pages(int index) const {
  return index >= 0 && index < PageCount() ? pages_[index] : nullptr;
}

int TPageControl::ActivePageIndex() const {
  auto it = std::find(pages_.begin(), pages_.end(), active_);
  return it == pages_.end() ? -1 : int(it - pages_.begin());
}

void TPageControl::SetActivePage(TTabSheet* page) { ChangeActivePage(page, false); }

void TPageControl::SetActivePageIndex(int index) {
  if (TTabSheet* page = Pages(index)) ChangeActivePage(page, false);
}

void TPageControl::InsertPage(TTabSheet* page) {
  pages_.push_back(page);
  page->SetBounds(DisplayRect().Left, DisplayRect().Top, DisplayRect().Width(), DisplayRect().Height());
  if (!active_)
    active_ = page;
  else
    page->SetVisible(false);
  Invalidate();
}

void TPageControl::RemovePage(TTabSheet* page) {
  auto it = std::find(pages_.begin(), pages_.end(), page);
  if (it == pages_.end()) return;
  int index = int(it - pages_.begin());
  pages_.erase(it);
  if (active_ == page) {
    active_ = nullptr;
    ChangeActivePage(Pages(std::min(index, PageCount() - 1)), false);
  }
  Invalidate();
}

void TPageControl::ChangeActivePage(TTabSheet* page, bool byUser) {
  if (page == active_ || (page && page->page_control_ != this)) return;
  if (byUser && OnChanging) {
    bool allow = true;
    OnChanging(this, allow);
    if (!allow) return;
  }
  TTabSheet* old = active_;
  // The focus must not stay on a control that is about to be hidden.
  TForm* form = ParentForm();
  if (old && form) {
    for (TControl* c = form->ActiveControl(); c; c = c->Parent())
      if (c == old) {
        if (CanFocus()) SetFocus();
        break;
      }
  }
  active_ = page;
  if (page) {
    TRect r = DisplayRect();
    page->SetBounds(r.Left, r.Top, r.Width(), r.Height());
    page->SetVisible(true);
    page->BringToFront();
  }
  if (old) old->SetVisible(false);
  Invalidate();
  if (byUser && OnChange) OnChange(this);
}

int TPageControl::TabHeight() const { return MeasureCanvas(Font()).TextHeight("0") + kTabPadding; }

TRect TPageControl::TabRect(int index) const {
  if (index < 0 || index >= PageCount()) return {};
  TCanvas& measure = MeasureCanvas(Font());
  int x = kFirstTab, height = TabHeight();
  for (int i = 0;; ++i) {
    TRect text{0, 0, 0, 0};
    measure.DrawText(pages_[i]->Caption(), text, DT_SINGLELINE | DT_CALCRECT);
    int width = text.Width() + 2 * kTabPadding;
    if (i == index) {
      if (pages_[i] == active_) return {x - 2, 0, x + width + 2, height + 1};
      return {x, 2, x + width, height};
    }
    x += width;
  }
}

int TPageControl::IndexOfTabAt(int x, int y) const {
  // The active tab is drawn over its neighbours, so it is tried first.
  int active = ActivePageIndex();
  if (active >= 0 && TabRect(active).Contains(x, y)) return active;
  for (int i = 0; i < PageCount(); ++i)
    if (TabRect(i).Contains(x, y)) return i;
  return -1;
}

TRect TPageControl::DisplayRect() const {
  int top = TabHeight() + kPageInset;
  return {kPageInset, top, std::max(kPageInset, Width() - kPageInset), std::max(top, Height() - kPageInset)};
}

void TPageControl::LayoutPages() {
  TRect r = DisplayRect();
  for (TTabSheet* page : pages_) page->SetBounds(r.Left, r.Top, r.Width(), r.Height());
}

void TPageControl::BoundsChanged() {
  TWinControl::BoundsChanged();
  LayoutPages();
}

void TPageControl::CMFontChanged() {
  Invalidate();
  LayoutPages();
}

void TPageControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == TMouseButton::mbLeft) {
    int index = IndexOfTabAt(x, y);
    if (index >= 0) {
      if (CanFocus() && !Focused()) SetFocus();
      ChangeActivePage(pages_[index], true);
    }
  }
  TWinControl::MouseDown(button, shift, x, y);
}

void TPageControl::KeyDown(uint16_t& key, TShiftState shift) {
  TWinControl::KeyDown(key, shift);
  if (key != VK_LEFT && key != VK_RIGHT) return;
  int index = ActivePageIndex() + (key == VK_LEFT ? -1 : 1);
  if (TTabSheet* page = Pages(index)) ChangeActivePage(page, true);
}

void TPageControl::DoEnter() {
  Invalidate();
  TWinControl::DoEnter();
}

void TPageControl::DoExit() {
  Invalidate();
  TWinControl::DoExit();
}

int TPageControl::CMDialogChar(uint32_t charCode) {
  for (TTabSheet* page : pages_)
    if (IsAccel(charCode, page->Caption()) && CanFocus()) {
      ChangeActivePage(page, true);
      return 1;
    }
  return TWinControl::CMDialogChar(charCode);
}

void TPageControl::DrawTab(TCanvas& canvas, int index) {
  TRect r = TabRect(index);
  canvas.Brush.Style = TBrushStyle::bsSolid;
  canvas.Brush.Color = Color();
  canvas.FillRect({r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom});
  // Rounded upper corners, one pixel cut off each, as the classic tabs have.
  canvas.Brush.Color = clBtnHighlight;
  canvas.FillRect({r.Left, r.Top + 2, r.Left + 1, r.Bottom});
  canvas.FillRect({r.Left + 1, r.Top + 1, r.Left + 2, r.Top + 2});
  canvas.FillRect({r.Left + 2, r.Top, r.Right - 2, r.Top + 1});
  canvas.Brush.Color = cl3DDkShadow;
  canvas.FillRect({r.Right - 1, r.Top + 2, r.Right, r.Bottom});
  canvas.FillRect({r.Right - 2, r.Top + 1, r.Right - 1, r.Top + 2});
  canvas.Brush.Color = clBtnShadow;
  canvas.FillRect({r.Right - 2, r.Top + 2, r.Right - 1, r.Bottom});

  canvas.Font = Font();
  TRect text{r.Left, r.Top, r.Right, r.Top + TabHeight() - 2};
  unsigned flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  if (Enabled())
    DrawPlainText(canvas, pages_[index]->Caption(), text, flags, Font().Color());
  else
    DrawDisabledText(canvas, pages_[index]->Caption(), text, flags);
  if (Focused() && pages_[index] == active_)
    DrawFocusRect(canvas, {r.Left + 3, r.Top + 3, r.Right - 3, r.Bottom - 3});
}

void TPageControl::PaintWindow(TCanvas& canvas) {
  canvas.Brush.Style = TBrushStyle::bsSolid;
  canvas.Brush.Color = Color();
  canvas.FillRect(ClientRect());
  TRect body{0, TabHeight(), Width(), Height()};
  DrawRaisedEdge(canvas, body);
  int active = ActivePageIndex();
  for (int i = 0; i < PageCount(); ++i)
    if (i != active) DrawTab(canvas, i);
  if (active >= 0) DrawTab(canvas, active);
}
