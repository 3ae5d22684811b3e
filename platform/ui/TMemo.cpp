#include "platform/ui/TMemo.h"

#include <algorithm>
#include <cstdlib>

#include "platform/ui/ControlPaint.h"
#include "platform/ui/Utf8.h"

namespace {
// The sunken edge, then a pixel of air round the text.
constexpr int kInset = 3;
} // namespace

TMemo::TMemo(TWinControl* parent) : TWinControl(parent) {
  SetTabStop(true);
  SetCursor(crIBeam);
  SetColor(clWindow);
  SetBounds(0, 0, 185, 89);
}

std::vector<std::string> TMemo::Lines() const {
  std::vector<std::string> lines;
  const std::string& text = Text();
  if (text.empty()) return lines;
  size_t begin = 0;
  for (;;) {
    size_t end = text.find('\n', begin);
    lines.push_back(text.substr(begin, end == std::string::npos ? std::string::npos : end - begin));
    if (end == std::string::npos) break;
    begin = end + 1;
  }
  return lines;
}

void TMemo::SetLines(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) text += (i ? "\n" : "") + lines[i];
  SetText(text);
}

void TMemo::SetSelStart(int v) {
  caret_ = std::clamp(v, 0, int(Text().size()));
  Invalidate();
}

void TMemo::CMTextChanged() {
  if (!user_edit_) {
    modified_ = false;
    caret_ = 0;
  }
  caret_ = std::min(caret_, int(Text().size()));
  Invalidate();
  if (OnChange) OnChange(this);
}

void TMemo::Edit(const std::string& text, int caret) {
  caret_ = caret;
  modified_ = true;
  user_edit_ = true;
  SetText(text);
  user_edit_ = false;
  Invalidate();
}

void TMemo::DoEnter() {
  Invalidate();
  TWinControl::DoEnter();
}

void TMemo::DoExit() {
  Invalidate();
  TWinControl::DoExit();
}

bool TMemo::WantsKey(uint16_t key) const {
  return key == VK_RETURN || key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN ||
         key == VK_HOME || key == VK_END;
}

void TMemo::LineBounds(int offset, int& begin, int& end) const {
  const std::string& text = Text();
  size_t b = offset > 0 ? text.rfind('\n', offset - 1) : std::string::npos;
  begin = b == std::string::npos ? 0 : int(b) + 1;
  size_t e = text.find('\n', offset);
  end = e == std::string::npos ? int(text.size()) : int(e);
}

int TMemo::LineHeight() const { return MeasureCanvas(Font()).TextHeight("Wg"); }

int TMemo::XOf(int begin, int offset) const {
  if (offset <= begin) return 0;
  return MeasureCanvas(Font()).TextWidth(Text().substr(begin, offset - begin));
}

int TMemo::OffsetInLine(int begin, int x) const {
  int lineBegin, end;
  LineBounds(begin, lineBegin, end);
  int best = begin, bestDistance = -1;
  const std::string& text = Text();
  for (int pos = begin; pos <= end; pos = utf8::Next(text, pos)) {
    int distance = std::abs(XOf(begin, pos) - x);
    if (bestDistance < 0 || distance < bestDistance) best = pos, bestDistance = distance;
    if (pos >= end) break;
  }
  return best;
}

void TMemo::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == TMouseButton::mbLeft) {
    if (CanFocus() && !Focused()) SetFocus();
    int line = std::max(0, (y - kInset) / std::max(1, LineHeight()));
    const std::string& text = Text();
    int begin = 0;
    for (int i = 0; i < line; ++i) {
      size_t next = text.find('\n', begin);
      if (next == std::string::npos) break;
      begin = int(next) + 1;
    }
    SetSelStart(OffsetInLine(begin, x - kInset));
  }
  TWinControl::MouseDown(button, shift, x, y);
}

void TMemo::KeyDown(uint16_t& key, TShiftState shift) {
  TWinControl::KeyDown(key, shift);
  const std::string& text = Text();
  int begin, end;
  LineBounds(caret_, begin, end);
  switch (key) {
    case VK_LEFT: SetSelStart(utf8::Prev(text, caret_)); break;
    case VK_RIGHT: SetSelStart(utf8::Next(text, caret_)); break;
    case VK_HOME: SetSelStart(begin); break;
    case VK_END: SetSelStart(end); break;
    case VK_UP:
    case VK_DOWN: {
      // The caret keeps its distance from the left edge as it moves to the other line.
      if (key == VK_UP ? begin == 0 : end >= int(text.size())) break;
      int x = XOf(begin, caret_), otherBegin, otherEnd;
      LineBounds(key == VK_UP ? begin - 1 : end + 1, otherBegin, otherEnd);
      SetSelStart(OffsetInLine(otherBegin, x));
      break;
    }
    case VK_DELETE:
      if (!read_only_ && caret_ < int(text.size()))
        Edit(text.substr(0, caret_) + text.substr(utf8::Next(text, caret_)), caret_);
      break;
    case VK_BACK:
      if (!read_only_ && caret_ > 0) {
        int prev = utf8::Prev(text, caret_);
        Edit(text.substr(0, prev) + text.substr(caret_), prev);
      }
      break;
    case VK_RETURN:
      if (!read_only_) Edit(text.substr(0, caret_) + "\n" + text.substr(caret_), caret_ + 1);
      break;
    default: break;
  }
}

void TMemo::KeyPress(uint32_t& key) {
  TWinControl::KeyPress(key);
  // Enter and Backspace are taken as keys; their control characters are dropped with the others.
  if (read_only_ || key < 0x20 || key == 0x7F) return;
  const std::string& text = Text();
  std::string insert = utf8::Encode(key);
  Edit(text.substr(0, caret_) + insert + text.substr(caret_), caret_ + int(insert.size()));
}

void TMemo::PaintWindow(TCanvas& canvas) {
  TRect inner = ClientRect();
  DrawSunkenEdge(canvas, inner);
  canvas.Brush.Style = TBrushStyle::bsSolid;
  canvas.Brush.Color = Enabled() ? Color() : clBtnFace;
  canvas.FillRect(inner);

  TRect oldClip = canvas.ClipRect();
  TPoint o = canvas.Origin();
  TRect clip = inner.Offset(o.X, o.Y).Intersect(oldClip);
  if (clip.IsEmpty()) return;
  canvas.SetClipRect(clip);
  canvas.Font = Font();
  int lineHeight = canvas.TextHeight("Wg");
  TColor color = Enabled() ? Font().Color() : clGrayText;
  const std::string& text = Text();
  int begin = 0, top = kInset, caretX = -1, caretTop = 0;
  for (;;) {
    size_t e = text.find('\n', begin);
    int end = e == std::string::npos ? int(text.size()) : int(e);
    std::string line = text.substr(begin, end - begin);
    if (!line.empty())
      DrawPlainText(canvas, line, {kInset, top, inner.Right, top + lineHeight}, DT_SINGLELINE | DT_NOPREFIX, color);
    if (caret_ >= begin && caret_ <= end && caretX < 0) {
      caretX = kInset + (caret_ > begin ? canvas.TextWidth(text.substr(begin, caret_ - begin)) : 0);
      caretTop = top;
    }
    if (e == std::string::npos || top > inner.Bottom) break;
    begin = end + 1;
    top += lineHeight;
  }
  if (Focused() && caretX >= 0) {
    canvas.Brush.Color = clWindowText;
    canvas.FillRect({caretX, caretTop, caretX + 1, caretTop + lineHeight});
  }
  canvas.SetClipRect(oldClip);
}
