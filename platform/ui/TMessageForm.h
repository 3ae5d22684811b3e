#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/TForm.h"
#include "platform/ui/TGraphicControl.h"

// One button of a message box: a bevelled face with its caption. A click answers the box.
class TMessageButton : public TGraphicControl {
public:
  TMessageButton(TWinControl* parent, const std::string& caption, int modalResult, bool isDefault, bool isCancel);

  int ModalResult() const { return modal_result_; }
  bool IsDefault() const override { return default_; }
  bool IsCancel() const override { return cancel_; }

  void Click() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void CMMouseLeave() override;
  int CMDialogChar(uint32_t charCode) override;

protected:
  void Paint() override;

private:
  int modal_result_;
  bool default_, cancel_;
  bool down_ = false;
};

// The form of a message box: an icon coloured by the kind of message, the text, and the buttons
// 确定, 是(&Y) and 否(&N) (or 确定 and 取消), sized to the text and centred on the screen.
class TMessageForm : public TForm {
public:
  TMessageForm(const std::string& text, const std::string& caption, unsigned flags);

  // The message (the form's Caption is the box's title).
  const std::string& Text() const { return text_; }
  unsigned Flags() const { return flags_; }
  // In their order on the box, left to right.
  std::vector<TMessageButton*> Buttons() const;
  TMessageButton* ButtonFor(int modalResult) const;
  // The box's answer (IDOK, IDYES, ...) for a modal result; closing counts as the cancel button.
  int Answer(int modalResult) const;

protected:
  void PaintWindow(TCanvas& canvas) override;

private:
  std::vector<std::string> Lines() const;
  std::string text_;
  unsigned flags_;
  std::vector<std::unique_ptr<TMessageButton>> buttons_;
  TRect icon_, text_rect_;
  int line_height_ = 0;
};
