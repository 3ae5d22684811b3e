#pragma once
#include <functional>
#include <string>

#include "platform/ui/TForm.h"
#include "platform/ui/TGraphicControl.h"
#include "tests/gtk/TestLayout.h"

using TReport = std::function<void(const std::string&)>;

// A windowless control of one colour.
class TTestBox : public TGraphicControl {
public:
  TTestBox(TWinControl* parent, const TestLayout::TPart& part);

protected:
  void Paint() override;
};

// A focusable control that reports the keys and characters it gets.
class TTestKeySink : public TWinControl {
public:
  TTestKeySink(TWinControl* parent, const TestLayout::TPart& part);
};

// The backend tests' dialog: one box that closes it with mrOk.
class TTestDialog : public TForm {
public:
  TTestDialog(TComponent* owner, TReport report);

  TTestBox dlgOk;

private:
  TReport report_;
};

// The backend tests' form: boxes that report their clicks as lines ("clicked btnA"), a caption
// strip that moves the window while dragged, a box that minimises it, one that opens the modal
// dialog, one that closes the form, and the key sink.
class TTestForm : public TForm {
public:
  TTestForm(TComponent* owner, TReport report);

  TTestBox btnA, btnB, btnDialog, caption, btnQuit, btnMin;
  TTestKeySink keys;

private:
  void Say(const std::string& line) { if (report_) report_(line); }
  TReport report_;
  bool moving_ = false;
  TPoint move_offset_{};
};
