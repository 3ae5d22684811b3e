#include "platform/ui/TEdit.h"

#include <algorithm>
#include <cstdlib>

#include "platform/ui/ControlPaint.h"
#include "platform/ui/TApplication.h"
#include "platform/ui/Utf8.h"

namespace {
// The sunken edge, then one pixel of air before the text.
constexpr int kBorder = 2;
constexpr int kMargin = 1;
} // namespace

TEdit::TEdit(TWinControl* parent) : TWinControl(parent) {
  SetTabStop(true);
  SetCursor(crIBeam);
  SetColor(clWindow);
  SetBounds(0, 0, 121, 21);
}

void TEdit::SetPasswordChar(char c) {
  if (password_char_ == c) return;
  password_char_ = c;
  Invalidate();
}

void TEdit::SetSelStart(int v) {
  v = std::clamp(v, 0, int(EditBuffer().size()));
  caret_ = anchor_ = v;
  Invalidate();
}

void TEdit::SetSelLength(int v) {
  int start = SelStart();
  anchor_ = start;
  caret_ = std::clamp(start + v, 0, int(EditBuffer().size()));
  Invalidate();
}

void TEdit::SelectAll() {
  anchor_ = HomePos();
  caret_ = EndPos();
  Invalidate();
}

void TEdit::Beep() {
  if (Application) Application->Backend().Beep();
}

void TEdit::CopyToClipboard() {
  if (password_char_ || SelLength() == 0 || !Application) return;
  Application->Backend().SetClipboardText(SelText());
}

void TEdit::CutToClipboard() {
  if (password_char_ || read_only_) return;
  CopyToClipboard();
  if (SelLength() > 0) DeleteForward();
}

void TEdit::PasteFromClipboard() {
  if (!Application) return;
  std::string text = Application->Backend().ClipboardText();
  // A one-line box takes only the first line.
  text = text.substr(0, text.find_first_of("\r\n"));
  if (!text.empty()) TypeText(text);
}

std::string TEdit::DisplayText() const {
  if (!password_char_) return EditBuffer();
  return std::string(utf8::Count(EditBuffer()), password_char_);
}

int TEdit::DisplayOffset(int offset) const {
  return password_char_ ? utf8::Count(EditBuffer(), offset) : offset;
}

int TEdit::NextPos(int pos) const { return utf8::Next(EditBuffer(), pos); }
int TEdit::PrevPos(int pos) const { return utf8::Prev(EditBuffer(), pos); }

void TEdit::SetCaret(int pos, bool extend) {
  caret_ = std::clamp(pos, 0, int(EditBuffer().size()));
  if (!extend) anchor_ = caret_;
  Invalidate();
}

void TEdit::UserSetText(const std::string& text, int caret) {
  // The caret is placed first so that an OnChange handler sees where the edit left it.
  caret_ = anchor_ = caret;
  modified_ = true;
  user_edit_ = true;
  SetText(text);
  user_edit_ = false;
  Invalidate();
}

void TEdit::TypeText(const std::string& text) {
  if (read_only_) return;
  const std::string& buf = EditBuffer();
  std::string insert = text;
  int start = SelStart(), length = SelLength();
  if (max_length_ > 0) {
    int room = max_length_ - (int(buf.size()) - length);
    if (int(insert.size()) > room) {
      // Cut at a code point boundary so no half character enters the text.
      int cut = 0;
      while (cut < int(insert.size()) && utf8::Next(insert, cut) <= room) cut = utf8::Next(insert, cut);
      insert.resize(cut);
    }
    if (insert.empty()) {
      Beep();
      return;
    }
  }
  UserSetText(buf.substr(0, start) + insert + buf.substr(start + length), start + int(insert.size()));
}

void TEdit::DeleteBack() {
  if (read_only_) return;
  const std::string& buf = EditBuffer();
  int start = SelStart(), end = start + SelLength();
  if (start == end) {
    if (start == 0) return;
    start = PrevPos(start);
  }
  UserSetText(buf.substr(0, start) + buf.substr(end), start);
}

void TEdit::DeleteForward() {
  if (read_only_) return;
  const std::string& buf = EditBuffer();
  int start = SelStart(), end = start + SelLength();
  if (start == end) {
    if (end >= int(buf.size())) return;
    end = NextPos(end);
  }
  UserSetText(buf.substr(0, start) + buf.substr(end), start);
}

void TEdit::CMTextChanged() {
  if (!user_edit_) {
    // Text set by the program is not an edit, and starts with the caret in front, as a fresh box.
    modified_ = false;
    caret_ = anchor_ = 0;
    scroll_ = 0;
  }
  int size = int(EditBuffer().size());
  caret_ = std::min(caret_, size);
  anchor_ = std::min(anchor_, size);
  Invalidate();
  Change();
}

void TEdit::DoEnter() {
  if (auto_select_) SelectAll();
  Invalidate();
  TWinControl::DoEnter();
}

void TEdit::DoExit() {
  selecting_ = false;
  Invalidate();
  TWinControl::DoExit();
}

bool TEdit::WantsKey(uint16_t key) const {
  return key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN || key == VK_HOME || key == VK_END;
}

void TEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == TMouseButton::mbLeft) {
    if (CanFocus() && !Focused()) SetFocus();
    SetCaret(OffsetAt(x), (shift & ssShift) != 0);
    selecting_ = true;
  }
  TWinControl::MouseDown(button, shift, x, y);
}

void TEdit::MouseMove(TShiftState shift, int x, int y) {
  if (selecting_ && (shift & ssLeft)) SetCaret(OffsetAt(x), true);
  TWinControl::MouseMove(shift, x, y);
}

void TEdit::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == TMouseButton::mbLeft) selecting_ = false;
  TWinControl::MouseUp(button, shift, x, y);
}

void TEdit::KeyDown(uint16_t& key, TShiftState shift) {
  TWinControl::KeyDown(key, shift);
  bool extend = (shift & ssShift) != 0, ctrl = (shift & ssCtrl) != 0;
  bool selection = SelLength() > 0;
  switch (key) {
    case VK_LEFT: SetCaret(selection && !extend ? SelStart() : PrevPos(caret_), extend); break;
    case VK_RIGHT: SetCaret(selection && !extend ? SelStart() + SelLength() : NextPos(caret_), extend); break;
    case VK_HOME: SetCaret(HomePos(), extend); break;
    case VK_END: SetCaret(EndPos(), extend); break;
    case VK_BACK: DeleteBack(); break;
    case VK_DELETE:
      if (extend) CutToClipboard();
      else DeleteForward();
      break;
    case VK_INSERT:
      if (ctrl) CopyToClipboard();
      else if (extend) PasteFromClipboard();
      break;
    case 'A': if (ctrl) SelectAll(); break;
    case 'C': if (ctrl) CopyToClipboard(); break;
    case 'X': if (ctrl) CutToClipboard(); break;
    case 'V': if (ctrl) PasteFromClipboard(); break;
    default: break;
  }
}

void TEdit::KeyPress(uint32_t& key) {
  TWinControl::KeyPress(key);
  // Backspace is taken as a key; the control character that comes along with it is dropped
  // with the others.
  if (key >= 0x20 && key != 0x7F) TypeText(utf8::Encode(key));
}

int TEdit::OffsetX(TCanvas& canvas, int offset) const {
  std::string shown = DisplayText();
  int at = std::clamp(DisplayOffset(offset), 0, int(shown.size()));
  return kBorder + kMargin - scroll_ + (at > 0 ? canvas.TextWidth(shown.substr(0, at)) : 0);
}

int TEdit::OffsetAt(int x) const {
  TCanvas& canvas = MeasureCanvas(Font());
  int best = HomePos(), bestDistance = -1;
  for (int pos = HomePos();; pos = NextPos(pos)) {
    int distance = std::abs(OffsetX(canvas, pos) - x);
    if (bestDistance < 0 || distance < bestDistance) best = pos, bestDistance = distance;
    if (pos >= EndPos() || NextPos(pos) == pos) break;
  }
  return best;
}

void TEdit::PaintWindow(TCanvas& canvas) {
  TRect inner = ClientRect();
  DrawSunkenEdge(canvas, inner);
  canvas.Brush.Style = TBrushStyle::bsSolid;
  canvas.Brush.Color = Enabled() ? Color() : clBtnFace;
  canvas.FillRect(inner);

  canvas.Font = Font();
  int lineHeight = canvas.TextHeight("Wg");
  int top = inner.Top + std::max(0, (inner.Height() - lineHeight) / 2);
  bool focused = Focused();
  // Keep the caret inside the box: scroll the text by as little as that needs.
  int visible = inner.Width() - 2 * kMargin;
  int caretX = OffsetX(canvas, caret_) + scroll_ - kBorder - kMargin;
  if (caretX - scroll_ > visible) scroll_ = caretX - visible;
  if (caretX < scroll_) scroll_ = caretX;

  TRect oldClip = canvas.ClipRect();
  TPoint o = canvas.Origin();
  TRect clip = inner.Offset(o.X, o.Y).Intersect(oldClip);
  if (clip.IsEmpty()) return;
  canvas.SetClipRect(clip);
  std::string shown = DisplayText();
  unsigned flags = DT_SINGLELINE | DT_NOPREFIX;
  int left = OffsetX(canvas, 0);
  DrawPlainText(canvas, shown, {left, top, inner.Right + 1, top + lineHeight}, flags,
                Enabled() ? Font().Color() : clGrayText);
  if (focused && SelLength() > 0) {
    int from = DisplayOffset(SelStart()), to = DisplayOffset(SelStart() + SelLength());
    int sx = OffsetX(canvas, SelStart()), ex = OffsetX(canvas, SelStart() + SelLength());
    canvas.Brush.Color = clHighlight;
    canvas.FillRect({sx, top, ex, top + lineHeight});
    DrawPlainText(canvas, shown.substr(from, to - from), {sx, top, ex + 1, top + lineHeight}, flags, clHighlightText);
  }
  if (focused) {
    int x = OffsetX(canvas, caret_);
    canvas.Brush.Color = clWindowText;
    canvas.FillRect({x, top, x + 1, top + lineHeight});
  }
  canvas.SetClipRect(oldClip);
}
