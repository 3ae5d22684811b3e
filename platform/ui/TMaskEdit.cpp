#include "platform/ui/TMaskEdit.h"

#include <algorithm>
#include <stdexcept>
#include <string_view>

const char* const TMaskEdit::kInvalidInput = "Invalid input value.  Use escape key to abandon changes";

namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
} // namespace

TMaskEdit::TMaskEdit(TWinControl* parent) : TEdit(parent) {}

void TMaskEdit::SetEditMask(const std::string& mask) {
  if (mask_ == mask) return;
  mask_ = mask;
  positions_.clear();
  right_align_ = false;
  save_literals_ = true;
  blank_ = '_';
  size_t i = 0;
  for (; i < mask.size() && mask[i] != ';'; ++i) {
    char c = mask[i];
    if (c == '!') {
      right_align_ = true;
    } else if (c == '\\' && i + 1 < mask.size()) {
      positions_.push_back({mask[++i], true});
    } else {
      bool data = std::string_view("09#LlAaCc").find(c) != std::string_view::npos;
      positions_.push_back({c, !data});
    }
  }
  if (i + 1 < mask.size()) save_literals_ = mask[i + 1] != '0';
  size_t second = mask.find(';', i + 1);
  if (i < mask.size() && second != std::string::npos && second + 1 < mask.size()) blank_ = mask[second + 1];
  if (!IsMasked()) {
    buffer_.clear();
    Invalidate();
    return;
  }
  Parse(Text());
  normalizing_ = true;
  SetText(StoredText());
  normalizing_ = false;
  TEdit::CMTextChanged();
}

bool TMaskEdit::IsOptional(int pos) const {
  char k = positions_[pos].kind;
  return k == '9' || k == '#' || k == 'l' || k == 'a' || k == 'c';
}

bool TMaskEdit::Accepts(int pos, char c) const {
  if (pos < 0 || pos >= int(positions_.size()) || positions_[pos].literal) return false;
  if (static_cast<unsigned char>(c) >= 0x80 || static_cast<unsigned char>(c) < 0x20) return false;
  if (c == ' ') return IsOptional(pos);
  switch (positions_[pos].kind) {
    case '0': case '9': return IsDigit(c);
    case '#': return IsDigit(c) || c == '+' || c == '-';
    case 'L': case 'l': return IsLetter(c);
    case 'A': case 'a': return IsLetter(c) || IsDigit(c);
    default: return true;
  }
}

bool TMaskEdit::IsComplete() const {
  for (size_t i = 0; i < positions_.size(); ++i)
    if (!positions_[i].literal && !IsOptional(int(i)) && buffer_[i] == blank_) return false;
  return true;
}

void TMaskEdit::Parse(const std::string& text) {
  int n = int(positions_.size());
  buffer_.assign(n, blank_);
  std::string data;
  if (save_literals_) {
    data = text;
  } else {
    // Only the data positions are in the text: spread it over them.
    int slots = 0;
    for (const Position& p : positions_) slots += p.literal ? 0 : 1;
    std::string t = text.substr(0, slots);
    if (right_align_ && int(t.size()) < slots) t.insert(0, slots - t.size(), ' ');
    for (int i = 0, k = 0; i < n; ++i) data += positions_[i].literal ? positions_[i].kind : (k < int(t.size()) ? t[k++] : ' ');
  }
  if (right_align_ && int(data.size()) < n) data.insert(0, n - data.size(), ' ');
  for (int i = 0; i < n; ++i) {
    if (positions_[i].literal) {
      buffer_[i] = positions_[i].kind;
    } else if (i < int(data.size()) && data[i] != ' ' && Accepts(i, data[i])) {
      buffer_[i] = data[i];
    }
  }
}

std::string TMaskEdit::StoredText() const {
  std::string out;
  for (size_t i = 0; i < positions_.size(); ++i) {
    if (positions_[i].literal) {
      if (save_literals_) out += positions_[i].kind;
    } else {
      out += buffer_[i] == blank_ ? ' ' : buffer_[i];
    }
  }
  return out;
}

int TMaskEdit::NextPos(int pos) const {
  if (!IsMasked()) return TEdit::NextPos(pos);
  int n = int(positions_.size());
  if (pos >= n) return n;
  ++pos;
  while (pos < n && IsLiteral(pos)) ++pos;
  return pos;
}

int TMaskEdit::PrevPos(int pos) const {
  if (!IsMasked()) return TEdit::PrevPos(pos);
  int p = pos - 1;
  while (p >= 0 && IsLiteral(p)) --p;
  return p < 0 ? std::min(pos, HomePos()) : p;
}

int TMaskEdit::HomePos() const {
  if (!IsMasked()) return TEdit::HomePos();
  int p = 0, n = int(positions_.size());
  while (p < n && IsLiteral(p)) ++p;
  return p;
}

void TMaskEdit::BlankSelection(std::string& buffer, int& caret) const {
  int start = SelStart(), end = start + SelLength();
  for (int i = start; i < end && i < int(buffer.size()); ++i)
    if (!positions_[i].literal) buffer[i] = blank_;
  caret = start;
}

void TMaskEdit::Commit(const std::string& buffer, int caret) {
  buffer_ = buffer;
  UserSetText(StoredText(), caret);
}

void TMaskEdit::TypeText(const std::string& text) {
  if (!IsMasked()) return TEdit::TypeText(text);
  if (ReadOnly() || text.empty()) return;
  std::string buffer = buffer_;
  int pos = Caret();
  if (SelLength() > 0) BlankSelection(buffer, pos);
  int n = int(positions_.size());
  bool typed = false, moved = false;
  for (char c : text) {
    // Typing the literal that the caret stands at, or has just stepped over, is no error.
    if (pos < n && IsLiteral(pos) && c == positions_[pos].kind) {
      pos = NextPos(pos);
      moved = true;
      continue;
    }
    while (pos < n && IsLiteral(pos)) ++pos;
    if (pos > 0 && IsLiteral(pos - 1) && c == positions_[pos - 1].kind) continue;
    if (pos >= n || !Accepts(pos, c)) {
      Beep();
      break;
    }
    buffer[pos] = c == ' ' ? blank_ : c;
    pos = NextPos(pos);
    typed = true;
  }
  if (typed)
    Commit(buffer, pos);
  else if (moved)
    SetCaret(pos, false);
}

void TMaskEdit::DeleteBack() {
  if (!IsMasked()) return TEdit::DeleteBack();
  if (ReadOnly()) return;
  std::string buffer = buffer_;
  int pos = Caret();
  if (SelLength() > 0) {
    BlankSelection(buffer, pos);
  } else {
    int prev = PrevPos(pos);
    if (prev == pos || IsLiteral(prev)) return;
    buffer[prev] = blank_;
    pos = prev;
  }
  Commit(buffer, pos);
}

void TMaskEdit::DeleteForward() {
  if (!IsMasked()) return TEdit::DeleteForward();
  if (ReadOnly()) return;
  std::string buffer = buffer_;
  int pos = Caret();
  if (SelLength() > 0) {
    BlankSelection(buffer, pos);
  } else {
    while (pos < int(buffer.size()) && IsLiteral(pos)) ++pos;
    if (pos >= int(buffer.size())) return;
    buffer[pos] = blank_;
  }
  Commit(buffer, pos);
}

void TMaskEdit::CMTextChanged() {
  if (normalizing_) return;
  if (IsMasked() && !InUserEdit()) {
    Parse(Text());
    // Text reads back in the stored form, whatever form it was given in.
    normalizing_ = true;
    SetText(StoredText());
    normalizing_ = false;
  }
  TEdit::CMTextChanged();
}

bool TMaskEdit::WantsKey(uint16_t key) const {
  return TEdit::WantsKey(key) || (key == VK_ESCAPE && IsMasked() && Modified());
}

void TMaskEdit::KeyDown(uint16_t& key, TShiftState shift) {
  if (key == VK_ESCAPE && IsMasked() && Modified()) {
    TWinControl::KeyDown(key, shift);
    if (key != VK_ESCAPE) return;
    key = 0;
    SetText(entry_text_);
    SetModified(false);
    SelectAll();
    return;
  }
  TEdit::KeyDown(key, shift);
}

void TMaskEdit::DoEnter() {
  // Taking the focus back from a refused exit is no new entry: the text to restore stays.
  if (refocusing_) return;
  entry_text_ = Text();
  TEdit::DoEnter();
}

void TMaskEdit::DoExit() {
  if (CanFocus() && !ValidateEdit()) {
    // The box keeps the focus until the entry is complete or abandoned with Escape; the error
    // goes to the application's exception display.
    Beep();
    refocusing_ = true;
    SetFocus();
    refocusing_ = false;
    throw std::runtime_error(kInvalidInput);
  }
  TEdit::DoExit();
}
