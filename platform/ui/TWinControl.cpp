#include "platform/ui/TWinControl.h"

#include <algorithm>

#include "platform/ui/TForm.h"

namespace {

// Each control paints from the same starting state, whatever the one before it left behind.
void ResetCanvas(TCanvas& canvas, const TControl& c) {
  canvas.Brush = TBrush{};
  canvas.Pen = TPen{};
  canvas.Font = c.Font();
}

// Clears a flag however the block is left, so a throwing handler cannot leave it set.
struct TFlagGuard {
  bool& flag;
  explicit TFlagGuard(bool& f) : flag(f) { flag = true; }
  ~TFlagGuard() { flag = false; }
};

std::vector<TWinControl*> WindowedChildren(const std::vector<TControl*>& controls) {
  std::vector<TWinControl*> list;
  for (TControl* c : controls)
    if (auto* w = dynamic_cast<TWinControl*>(c)) list.push_back(w);
  std::stable_sort(list.begin(), list.end(), [](TWinControl* a, TWinControl* b) { return a->TabOrder() < b->TabOrder(); });
  return list;
}

} // namespace

TWinControl::TWinControl(TWinControl* parent) : TWinControl(parent, parent) {}

TWinControl::TWinControl(TComponent* owner, TWinControl* parent) : TControl(owner, parent) {
  // The base constructor already put this control in its parent's list, where it is the last.
  if (parent) tab_order_ = int(WindowedChildren(parent->controls_).size()) - 1;
}

TWinControl::~TWinControl() {
  TForm* form = ParentForm();
  if (form && form != this && !form->destroying_) form->ForgetControl(this, true);
  for (TControl* c : controls_) c->parent_ = nullptr;
  controls_.clear();
}

void TWinControl::InsertControl(TControl* c) { controls_.push_back(c); }

void TWinControl::RemoveControl(TControl* c) {
  auto it = std::find(controls_.begin(), controls_.end(), c);
  if (it == controls_.end()) return;
  controls_.erase(it);
  int order = 0;
  for (TWinControl* w : WindowedChildren(controls_)) w->tab_order_ = order++;
}

TControl* TWinControl::ControlAtPos(TPoint p, bool allowDisabled) {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    if (!c->Visible() || (!c->Enabled() && !allowDisabled)) continue;
    const TPoint q{p.X - c->Left(), p.Y - c->Top()};
    if (!c->ClientRect().Contains(q.X, q.Y) || !c->HitTest(q.X, q.Y)) continue;
    if (auto* w = dynamic_cast<TWinControl*>(c)) return w->ControlAtPos(q, allowDisabled);
    return c;
  }
  return this;
}

void TWinControl::SetTabOrder(int order) {
  TWinControl* parent = Parent();
  if (!parent) {
    tab_order_ = order;
    return;
  }
  std::vector<TWinControl*> list = WindowedChildren(parent->controls_);
  list.erase(std::find(list.begin(), list.end(), this));
  if (order < 0 || order > int(list.size())) order = int(list.size());
  list.insert(list.begin() + order, this);
  int n = 0;
  for (TWinControl* w : list) w->tab_order_ = n++;
}

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return ParentForm() != nullptr;
}

bool TWinControl::Focused() const {
  TForm* form = ParentForm();
  if (!form) return false;
  if (form == this) return form->ActiveControl() == nullptr;
  return form->ActiveControl() == this;
}

void TWinControl::SetFocus() {
  TForm* form = ParentForm();
  if (!form) return;
  if (form == this) {
    if (form->Window()) form->Window()->Activate();
    return;
  }
  form->SetActiveControl(this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) {
  for (TWinControl* w : WindowedChildren(controls_)) {
    if (w->TabStop() && w->CanFocus()) list.push_back(w);
    w->GetTabOrderList(list);
  }
}

void TWinControl::Realign() {
  if (aligning_ || IsLoading()) return;
  TFlagGuard guard(aligning_);
  TRect r = AlignRect();
  // Top and bottom take the full width first, left and right what height is left, then the
  // client-aligned control fills the rest; each kind in creation order.
  for (TAlign kind : {alTop, alBottom, alLeft, alRight, alClient}) {
    const std::vector<TControl*> list = controls_;
    for (TControl* c : list) {
      if (c->Align() != kind || !c->Visible()) continue;
      const int w = std::max(0, r.Width()), h = std::max(0, r.Height());
      switch (kind) {
      case alTop:
        c->SetBounds(r.Left, r.Top, w, c->Height());
        r.Top += c->Height();
        break;
      case alBottom:
        c->SetBounds(r.Left, r.Bottom - c->Height(), w, c->Height());
        r.Bottom -= c->Height();
        break;
      case alLeft:
        c->SetBounds(r.Left, r.Top, c->Width(), h);
        r.Left += c->Width();
        break;
      case alRight:
        c->SetBounds(r.Right - c->Width(), r.Top, c->Width(), h);
        r.Right -= c->Width();
        break;
      default:
        c->SetBounds(r.Left, r.Top, w, h);
        break;
      }
    }
  }
}

void TWinControl::AnchorChildren(int oldWidth, int oldHeight) {
  const int dw = Width() - oldWidth, dh = Height() - oldHeight;
  if (dw == 0 && dh == 0) return;
  const std::vector<TControl*> list = controls_;
  for (TControl* c : list) {
    if (c->Align() != alNone) continue;
    const TAnchors a = c->Anchors();
    int l = c->Left(), t = c->Top(), w = c->Width(), h = c->Height();
    // Anchored to both sides: stretch; to the far side only: move; to neither: keep the centre.
    if (a & akRight) {
      if (a & akLeft) w += dw; else l += dw;
    } else if (!(a & akLeft)) {
      l += dw / 2;
    }
    if (a & akBottom) {
      if (a & akTop) h += dh; else t += dh;
    } else if (!(a & akTop)) {
      t += dh / 2;
    }
    c->SetBounds(l, t, w, h);
  }
}

void TWinControl::BoundsChanged() {
  const int oldWidth = aligned_width_, oldHeight = aligned_height_;
  if (Width() == oldWidth && Height() == oldHeight) return;
  aligned_width_ = Width();
  aligned_height_ = Height();
  // While the form is being read, positions are design positions: nothing moves until the end.
  if (IsLoading()) return;
  if (oldWidth >= 0) AnchorChildren(oldWidth, oldHeight);
  Realign();
}

void TWinControl::Loaded() {
  TControl::Loaded();
  Realign();
  for (TWinControl* w : WindowedChildren(controls_)) w->Loaded();
}

void TWinControl::KeyDown(uint16_t& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(uint16_t& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(uint32_t& key) {
  if (OnKeyPress) OnKeyPress(this, key);
}

int TWinControl::CMDialogChar(uint32_t charCode) {
  const std::vector<TControl*> list = controls_;
  for (TControl* c : list)
    if (c->Visible())
      if (int r = c->CMDialogChar(charCode)) return r;
  return 0;
}

void TWinControl::PaintWindow(TCanvas& canvas) {
  canvas.Brush.Color = Color();
  canvas.Brush.Style = TBrushStyle::bsSolid;
  canvas.FillRect(ClientRect());
}

void TWinControl::PaintTo(TCanvas& canvas) {
  const TPoint origin = canvas.Origin();
  const TRect clip = canvas.ClipRect();
  PaintWindow(canvas);
  for (size_t i = 0; i < controls_.size(); ++i) {
    TControl* c = controls_[i];
    if (!c->Visible()) continue;
    const TRect r = Bounds(origin.X + c->Left(), origin.Y + c->Top(), c->Width(), c->Height());
    const TRect inside = r.Intersect(clip);
    if (inside.IsEmpty()) continue;
    canvas.SetOrigin({r.Left, r.Top});
    canvas.SetClipRect(inside);
    ResetCanvas(canvas, *c);
    c->PaintTo(canvas);
  }
  canvas.SetOrigin(origin);
  canvas.SetClipRect(clip);
}
