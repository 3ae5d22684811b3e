#pragma once
#include <vector>

#include "platform/ui/TWinControl.h"

// A box of text lines, drawn from the top-left without wrapping; what does not fit is cut off.
// Text holds the lines joined by "\n". The caret is a byte offset into Text.
class TMemo : public TWinControl {
public:
  explicit TMemo(TWinControl* parent);

  std::vector<std::string> Lines() const;
  void SetLines(const std::vector<std::string>& lines);
  int LineCount() const { return int(Lines().size()); }
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool v) { read_only_ = v; }
  bool Modified() const { return modified_; }
  void SetModified(bool v) { modified_ = v; }
  int SelStart() const { return caret_; }
  void SetSelStart(int v);

  TNotifyEvent OnChange;

  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyPress(uint32_t& key) override;
  void DoEnter() override;
  void DoExit() override;
  bool WantsKey(uint16_t key) const override;
  bool WantsChars() const override { return true; }
  void CMTextChanged() override;

protected:
  void PaintWindow(TCanvas& canvas) override;

private:
  // The line the offset is on: its first byte and its end (before the "\n").
  void LineBounds(int offset, int& begin, int& end) const;
  // The offset in the line starting at begin nearest to x pixels from the text's left edge.
  int OffsetInLine(int begin, int x) const;
  int XOf(int begin, int offset) const;
  int LineHeight() const;
  void Edit(const std::string& text, int caret);
  bool read_only_ = false, modified_ = false, user_edit_ = false;
  int caret_ = 0;
};
