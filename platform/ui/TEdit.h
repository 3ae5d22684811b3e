#pragma once
#include "platform/ui/TWinControl.h"

// A one-line text box. Offsets (SelStart, SelLength, MaxLength) count bytes of the UTF-8 text and
// always fall between code points. Focus by the keyboard selects the whole text (AutoSelect), so
// that typing replaces it.
class TEdit : public TWinControl {
public:
  explicit TEdit(TWinControl* parent);

  // The most bytes the user may enter; 0 for no limit. Text set by the program is not cut.
  int MaxLength() const { return max_length_; }
  void SetMaxLength(int v) { max_length_ = v < 0 ? 0 : v; }
  // Shown once for every character instead of the text; 0 shows the text. A password box does
  // not copy to the clipboard.
  char PasswordChar() const { return password_char_; }
  void SetPasswordChar(char c);
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool v) { read_only_ = v; }
  bool AutoSelect() const { return auto_select_; }
  void SetAutoSelect(bool v) { auto_select_ = v; }
  // Set by the user's edits (typing, deleting, pasting), cleared when the program sets the text.
  bool Modified() const { return modified_; }
  void SetModified(bool v) { modified_ = v; }

  int SelStart() const { return caret_ < anchor_ ? caret_ : anchor_; }
  void SetSelStart(int v);
  int SelLength() const { return caret_ < anchor_ ? anchor_ - caret_ : caret_ - anchor_; }
  void SetSelLength(int v);
  std::string SelText() const { return EditBuffer().substr(SelStart(), SelLength()); }
  void SelectAll();
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();

  TNotifyEvent OnChange;

  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyPress(uint32_t& key) override;
  void DoEnter() override;
  void DoExit() override;
  bool WantsKey(uint16_t key) const override;
  bool WantsChars() const override { return true; }
  void CMTextChanged() override;

protected:
  void PaintWindow(TCanvas& canvas) override;
  virtual void Change() { if (OnChange) OnChange(this); }

  // The text that the caret offsets index (the mask edit keeps its own), what the box shows for
  // it, and where an offset of the one falls in the other.
  virtual const std::string& EditBuffer() const { return Text(); }
  virtual std::string DisplayText() const;
  virtual int DisplayOffset(int offset) const;
  // Caret positions reachable by the arrow keys, Home and End.
  virtual int NextPos(int pos) const;
  virtual int PrevPos(int pos) const;
  virtual int HomePos() const { return 0; }
  virtual int EndPos() const { return int(EditBuffer().size()); }
  // The user's edits; each replaces the selection when there is one.
  virtual void TypeText(const std::string& text);
  virtual void DeleteBack();
  virtual void DeleteForward();

  // Stores text as the user's edit: marks the box modified, places the caret, raises OnChange.
  void UserSetText(const std::string& text, int caret);
  bool InUserEdit() const { return user_edit_; }
  int Caret() const { return caret_; }
  // Moves the caret; with extend the other end of the selection stays where it is.
  void SetCaret(int pos, bool extend);
  static void Beep();

private:
  int OffsetAt(int x) const;
  int OffsetX(TCanvas& canvas, int offset) const;
  int max_length_ = 0;
  char password_char_ = 0;
  bool read_only_ = false, auto_select_ = true, modified_ = false;
  bool user_edit_ = false, selecting_ = false;
  int caret_ = 0, anchor_ = 0;
  int scroll_ = 0; // pixels of text scrolled off to the left, so the caret stays in view
};
