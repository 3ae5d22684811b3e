#include "platform/ui/TControl.h"

#include <algorithm>

#include "platform/ui/TForm.h"
#include "platform/ui/TWinControl.h"

TControl::TControl(TWinControl* parent) : TControl(parent, parent) {}

TControl::TControl(TComponent* owner, TWinControl* parent) : TComponent(owner), parent_(parent) {
  font_.OnChange = [this] {
    // A font set on the control itself stops following the parent's.
    if (!in_font_change_) parent_font_ = false;
    CMFontChanged();
    if (auto* w = dynamic_cast<TWinControl*>(this))
      for (TControl* c : w->Controls()) c->ParentFontChanged();
  };
  if (parent_) {
    parent_->InsertControl(this);
    ParentFontChanged();
  }
}

TControl::~TControl() {
  TForm* form = ParentForm();
  if (form && form != this && !form->destroying_) {
    form->ForgetControl(this, true);
    Invalidate();
  }
  if (parent_) parent_->RemoveControl(this);
}

TForm* TControl::ParentForm() const { return parent_ ? parent_->ParentForm() : nullptr; }

bool TControl::IsLoading() const {
  for (const TControl* c = this; c; c = c->parent_)
    if (c->ComponentState() & csLoading) return true;
  return false;
}

void TControl::SetBounds(int left, int top, int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  const bool sized = width != width_ || height != height_;
  Invalidate();
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  Invalidate();
  BoundsChanged();
  if (parent_ && align_ != alNone && !parent_->aligning_) parent_->Realign();
  if (sized && !IsLoading()) Resize();
}

TPoint TControl::ClientToForm(TPoint p) const {
  for (const TControl* c = this; c->parent_; c = c->parent_) {
    p.X += c->left_;
    p.Y += c->top_;
  }
  return p;
}

TPoint TControl::ClientToScreen(TPoint p) const {
  const TControl* top = this;
  while (top->parent_) top = top->parent_;
  p = ClientToForm(p);
  return {p.X + top->left_, p.Y + top->top_};
}

TPoint TControl::ScreenToClient(TPoint p) const {
  TPoint origin = ClientToScreen({0, 0});
  return {p.X - origin.X, p.Y - origin.Y};
}

void TControl::SetAlign(TAlign align) {
  if (align_ == align) return;
  align_ = align;
  if (parent_) parent_->Realign();
}

void TControl::SetVisible(bool visible) {
  if (visible_ == visible) return;
  if (!visible) Invalidate();
  visible_ = visible;
  if (visible) Invalidate();
  if (!visible)
    if (TForm* form = ParentForm(); form && form != this) form->ForgetControl(this, false);
  CMVisibleChanged();
  if (parent_ && align_ != alNone) parent_->Realign();
}

bool TControl::Showing() const {
  for (const TControl* c = this; c; c = c->parent_)
    if (!c->visible_) return false;
  return true;
}

void TControl::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  if (!enabled)
    if (TForm* form = ParentForm(); form && form != this) form->ForgetControl(this, false);
  CMEnabledChanged();
}

void TControl::SetCaption(const std::string& caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  CMTextChanged();
}

void TControl::SetColor(TColor color) {
  if (color_ == color) return;
  color_ = color;
  Invalidate();
}

void TControl::SetParentFont(bool v) {
  if (parent_font_ == v) return;
  parent_font_ = v;
  if (v) ParentFontChanged();
}

void TControl::ParentFontChanged() {
  if (!parent_font_ || !parent_) return;
  in_font_change_ = true;
  font_.Assign(parent_->Font());
  in_font_change_ = false;
}

void TControl::Invalidate() {
  if (!Showing()) return;
  TForm* form = ParentForm();
  if (!form) return;
  TPoint p = ClientToForm({0, 0});
  form->InvalidateRect(Bounds(p.X, p.Y, width_, height_));
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::Update() {
  TForm* form = ParentForm();
  if (form && form->Visible() && form->HasDirty()) form->PaintNow();
}

void TControl::BringToFront() {
  if (!parent_) return;
  auto& list = parent_->controls_;
  auto it = std::find(list.begin(), list.end(), this);
  if (it == list.end() || it + 1 == list.end()) return;
  list.erase(it);
  list.push_back(this);
  Invalidate();
}

void TControl::SendToBack() {
  if (!parent_) return;
  auto& list = parent_->controls_;
  auto it = std::find(list.begin(), list.end(), this);
  if (it == list.end() || it == list.begin()) return;
  list.erase(it);
  list.insert(list.begin(), this);
  Invalidate();
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

namespace {

// One code point of UTF-8 text at pos (a malformed byte stands for itself).
uint32_t DecodeAt(const std::string& s, size_t pos) {
  const auto b = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char c = b(pos);
  const int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
  if (pos + extra >= s.size()) return c;
  uint32_t cp = extra == 0 ? c : c & (0x3F >> extra);
  for (int i = 1; i <= extra; ++i) {
    if ((b(pos + i) & 0xC0) != 0x80) return c;
    cp = (cp << 6) | (b(pos + i) & 0x3F);
  }
  return cp;
}

uint32_t FoldCase(uint32_t c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; }

} // namespace

uint32_t AcceleratorChar(const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    return DecodeAt(caption, i + 1);
  }
  return 0;
}

bool IsAccel(uint32_t charCode, const std::string& caption) {
  const uint32_t accel = AcceleratorChar(caption);
  return accel != 0 && FoldCase(accel) == FoldCase(charCode);
}
