#include "platform/ui/TMessageForm.h"

#include <algorithm>

#include "platform/ui/Dialogs.h"
#include "platform/ui/TApplication.h"

namespace {

constexpr int kMargin = 12, kIconSize = 32, kGap = 12;
constexpr int kButtonWidth = 75, kButtonHeight = 23, kButtonGap = 8, kMinWidth = 160;

TColor IconColor(unsigned flags) {
  switch (flags & 0xF0) {
  case MB_ICONERROR: return RGB(204, 32, 32);
  case MB_ICONWARNING: return RGB(232, 180, 0);
  case MB_ICONQUESTION:
  case MB_ICONINFORMATION: return RGB(32, 96, 208);
  default: return clNone;
  }
}

// Edges drawn as whole-pixel strips, so they come out exact.
void Edge(TCanvas& canvas, TRect r, TColor topLeft, TColor bottomRight) {
  canvas.Brush.Style = TBrushStyle::bsSolid;
  canvas.Brush.Color = topLeft;
  canvas.FillRect({r.Left, r.Top, r.Right - 1, r.Top + 1});
  canvas.FillRect({r.Left, r.Top, r.Left + 1, r.Bottom - 1});
  canvas.Brush.Color = bottomRight;
  canvas.FillRect({r.Left, r.Bottom - 1, r.Right, r.Bottom});
  canvas.FillRect({r.Right - 1, r.Top, r.Right, r.Bottom});
}

} // namespace

TMessageButton::TMessageButton(TWinControl* parent, const std::string& caption, int modalResult, bool isDefault,
                               bool isCancel)
    : TGraphicControl(parent), modal_result_(modalResult), default_(isDefault), cancel_(isCancel) {
  SetControlStyle(csCaptureMouse | csClickEvents);
  SetCaption(caption);
}

void TMessageButton::Click() {
  if (TForm* form = ParentForm()) form->SetModalResult(modal_result_);
  TGraphicControl::Click();
}

void TMessageButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == TMouseButton::mbLeft && !down_) {
    down_ = true;
    Invalidate();
  }
  TGraphicControl::MouseDown(button, shift, x, y);
}

void TMessageButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == TMouseButton::mbLeft && down_) {
    down_ = false;
    Invalidate();
  }
  TGraphicControl::MouseUp(button, shift, x, y);
}

void TMessageButton::CMMouseLeave() {
  if (!down_) return;
  down_ = false;
  Invalidate();
}

int TMessageButton::CMDialogChar(uint32_t charCode) {
  if (!Enabled() || !IsAccel(charCode, Caption())) return 0;
  Click();
  return 1;
}

void TMessageButton::Paint() {
  TCanvas& canvas = *Canvas();
  TRect r = ClientRect();
  canvas.Brush.Color = clBtnFace;
  canvas.FillRect(r);
  if (default_) {
    Edge(canvas, r, cl3DDkShadow, cl3DDkShadow);
    r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
  }
  if (down_) {
    Edge(canvas, r, clBtnShadow, clBtnShadow);
  } else {
    Edge(canvas, r, clBtnHighlight, cl3DDkShadow);
    Edge(canvas, {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1}, clBtnFace, clBtnShadow);
  }
  TRect text = ClientRect().Offset(down_ ? 1 : 0, down_ ? 1 : 0);
  canvas.Brush.Style = TBrushStyle::bsClear;
  canvas.Font.SetColor(clBtnText);
  canvas.DrawText(Caption(), text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

TMessageForm::TMessageForm(const std::string& text, const std::string& caption, unsigned flags)
    : TForm(nullptr), text_(text), flags_(flags) {
  SetCaption(caption);
  SetBorderStyle(bsDialog);
  SetBorderIcons(biSystemMenu);
  SetPosition(poScreenCenter);
  // Over a window that stays on top (the kiosk's), a box that did not would open behind it.
  if (Application)
    for (TForm* f : Application->Forms())
      if (f != this && f->Visible() && f->FormStyle() == fsStayOnTop) SetFormStyle(fsStayOnTop);

  struct TButtonDef {
    const char* caption;
    int result;
    bool isDefault, isCancel;
  };
  std::vector<TButtonDef> defs;
  switch (flags & 0x0F) {
  case MB_YESNO: defs = {{"是(&Y)", mrYes, true, false}, {"否(&N)", mrNo, false, true}}; break;
  case MB_OKCANCEL: defs = {{"确定", mrOk, true, false}, {"取消", mrCancel, false, true}}; break;
  default: defs = {{"确定", mrOk, true, true}}; break;
  }

  TBitmap scratch(1, 1);
  TCanvas measure(scratch);
  measure.Font = Font();
  const std::vector<std::string> lines = Lines();
  int textWidth = 0;
  for (const std::string& line : lines) textWidth = std::max(textWidth, measure.TextWidth(line));
  line_height_ = measure.TextHeight("Ag确");
  const int textHeight = int(lines.size()) * line_height_;
  const bool hasIcon = IconColor(flags) != clNone;
  const int textLeft = kMargin + (hasIcon ? kIconSize + kGap : 0);
  const int bodyHeight = std::max(hasIcon ? kIconSize : 0, textHeight);
  const int n = int(defs.size());
  const int buttonsWidth = n * kButtonWidth + (n - 1) * kButtonGap;
  const int width = std::max({textLeft + textWidth + kMargin, buttonsWidth + 2 * kMargin, kMinWidth});
  const int height = kMargin + bodyHeight + kGap + kButtonHeight + kMargin;
  icon_ = Bounds(kMargin, kMargin + (bodyHeight - kIconSize) / 2, kIconSize, kIconSize);
  text_rect_ = Bounds(textLeft, kMargin + (bodyHeight - textHeight) / 2, textWidth, textHeight);
  SetBounds(0, 0, width, height);

  int x = (width - buttonsWidth) / 2;
  const int y = height - kMargin - kButtonHeight;
  for (const TButtonDef& s : defs) {
    buttons_.push_back(std::make_unique<TMessageButton>(this, s.caption, s.result, s.isDefault, s.isCancel));
    buttons_.back()->SetBounds(x, y, kButtonWidth, kButtonHeight);
    x += kButtonWidth + kButtonGap;
  }
  DoCreate();
}

std::vector<TMessageButton*> TMessageForm::Buttons() const {
  std::vector<TMessageButton*> list;
  for (const auto& b : buttons_) list.push_back(b.get());
  return list;
}

TMessageButton* TMessageForm::ButtonFor(int modalResult) const {
  for (const auto& b : buttons_)
    if (b->ModalResult() == modalResult) return b.get();
  return nullptr;
}

int TMessageForm::Answer(int modalResult) const {
  switch (modalResult) {
  case mrOk: return IDOK;
  case mrYes: return IDYES;
  case mrNo: return IDNO;
  default:
    switch (flags_ & 0x0F) {
    case MB_YESNO: return IDNO;
    case MB_OKCANCEL: return IDCANCEL;
    default: return IDOK;
    }
  }
}

std::vector<std::string> TMessageForm::Lines() const {
  std::vector<std::string> lines(1);
  for (char c : text_) {
    if (c == '\n')
      lines.emplace_back();
    else if (c != '\r')
      lines.back() += c;
  }
  return lines;
}

void TMessageForm::PaintWindow(TCanvas& canvas) {
  TForm::PaintWindow(canvas);
  if (const TColor icon = IconColor(flags_); icon != clNone) {
    canvas.Brush.Color = icon;
    canvas.FillRect(icon_);
  }
  canvas.Brush.Style = TBrushStyle::bsClear;
  canvas.Font.SetColor(clWindowText);
  int y = text_rect_.Top;
  for (const std::string& line : Lines()) {
    canvas.TextOut(text_rect_.Left, y, line);
    y += line_height_;
  }
}
