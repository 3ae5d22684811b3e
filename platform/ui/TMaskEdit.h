#pragma once
#include <vector>

#include "platform/ui/TEdit.h"

// A text box with an edit mask of fixed positions, e.g. "!90:00;1;_" for a time: an optional and
// a required hour digit, a fixed colon, two required minute digits; literals kept in Text; "_"
// for a position not filled. Typing overwrites a position, the caret steps over the literals,
// and a blank position reads as a space in Text ("  :  " for nothing entered).
//
// Mask characters: 0 digit, 9 digit or blank, # digit, sign or blank, L letter, l letter or
// blank, A letter or digit, a the same or blank, C any character, c any character or blank;
// "!" right-aligns a shorter text that is set; "\" makes the next character a literal; every
// other character is a literal. Positions take single-byte characters only.
class TMaskEdit : public TEdit {
public:
  explicit TMaskEdit(TWinControl* parent);

  const std::string& EditMask() const { return mask_; }
  void SetEditMask(const std::string& mask);
  // Every position, blanks shown by the blank character.
  const std::string& EditText() const { return buffer_; }
  // Every required position is filled.
  bool IsComplete() const;
  // True unless the user's edit left a required position blank. Leaving the box then fails:
  // it beeps, keeps the focus and throws std::runtime_error with kInvalidInput.
  bool ValidateEdit() const { return !Modified() || IsComplete(); }
  static const char* const kInvalidInput;

  void KeyDown(uint16_t& key, TShiftState shift) override;
  bool WantsKey(uint16_t key) const override;
  void DoEnter() override;
  void DoExit() override;
  void CMTextChanged() override;

protected:
  const std::string& EditBuffer() const override { return IsMasked() ? buffer_ : Text(); }
  std::string DisplayText() const override { return IsMasked() ? buffer_ : TEdit::DisplayText(); }
  int DisplayOffset(int offset) const override { return IsMasked() ? offset : TEdit::DisplayOffset(offset); }
  int NextPos(int pos) const override;
  int PrevPos(int pos) const override;
  int HomePos() const override;
  void TypeText(const std::string& text) override;
  void DeleteBack() override;
  void DeleteForward() override;

private:
  struct Position {
    char kind;     // the mask character, or the literal itself
    bool literal;
  };
  // Without a mask the box is a plain edit.
  bool IsMasked() const { return !positions_.empty(); }
  bool IsLiteral(int pos) const { return pos >= 0 && pos < int(positions_.size()) && positions_[pos].literal; }
  bool Accepts(int pos, char c) const;
  bool IsOptional(int pos) const;
  void Parse(const std::string& text);
  std::string StoredText() const;
  // Blanks the positions of the selection and puts the caret at its start.
  void BlankSelection(std::string& buffer, int& caret) const;
  void Commit(const std::string& buffer, int caret);

  std::string mask_;
  std::vector<Position> positions_;
  bool right_align_ = false, save_literals_ = true;
  char blank_ = '_';
  std::string buffer_;
  std::string entry_text_; // the text when the box got the focus, for Escape
  bool normalizing_ = false, refocusing_ = false;
};
