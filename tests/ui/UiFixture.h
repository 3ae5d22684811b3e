#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/backend/headless/THeadlessBackend.h"
#include "platform/ui/TApplication.h"
#include "platform/ui/TForm.h"
#include "platform/ui/TGraphicControl.h"
#include "platform/ui/TWinControl.h"

// Everything a probe is told, as "name:Event(details)", in order, for all probes of a test.
using TEventLog = std::vector<std::string>;

// A windowless control that logs its pointer events and paints a colour (or nothing, with
// clNone). With overdraw it fills far beyond its bounds, to show what the clip keeps.
class TProbe : public TGraphicControl {
public:
  TProbe(TWinControl* parent, std::string name, TEventLog* log = nullptr, TColor fill = clNone)
      : TGraphicControl(parent), name_(std::move(name)), log_(log), fill_(fill) {}

  bool overdraw = false;
  bool shapedAway = false; // the hit test refuses every point
  std::string accel;       // a caption whose accelerator this probe takes
  bool isDefault = false, isCancel = false;
  int paints = 0;

  void SetFill(TColor c) { fill_ = c; Invalidate(); }

  bool HitTest(int x, int y) const override { return !shapedAway && TGraphicControl::HitTest(x, y); }
  bool IsDefault() const override { return isDefault; }
  bool IsCancel() const override { return isCancel; }
  void MouseDown(TMouseButton b, TShiftState s, int x, int y) override {
    Log("Down(" + Button(b) + (s & ssDouble ? ",double" : "") + "," + Pos(x, y) + ")");
  }
  void MouseMove(TShiftState, int x, int y) override { Log("Move(" + Pos(x, y) + ")"); }
  void MouseUp(TMouseButton b, TShiftState, int x, int y) override { Log("Up(" + Button(b) + "," + Pos(x, y) + ")"); }
  void Click() override { Log("Click"); TGraphicControl::Click(); }
  void DblClick() override { Log("DblClick"); }
  void CMMouseEnter() override { Log("Enter"); }
  void CMMouseLeave() override { Log("Leave"); }
  int CMDialogChar(uint32_t ch) override {
    if (!IsAccel(ch, accel)) return 0;
    Log("Accel");
    return 1;
  }

protected:
  void Paint() override {
    ++paints;
    if (fill_ == clNone) return;
    Canvas()->Brush.Color = fill_;
    Canvas()->FillRect(overdraw ? TRect{-1000, -1000, 1000, 1000} : ClientRect());
  }

private:
  static std::string Button(TMouseButton b) {
    return b == TMouseButton::mbLeft ? "L" : b == TMouseButton::mbRight ? "R" : "M";
  }
  static std::string Pos(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }
  void Log(const std::string& what) {
    if (log_) log_->push_back(name_ + ":" + what);
  }
  std::string name_;
  TEventLog* log_;
  TColor fill_;
};

// A focusable windowed control that logs focus and keys.
class TFocusBox : public TWinControl {
public:
  TFocusBox(TWinControl* parent, std::string name, TEventLog* log) : TWinControl(parent), name_(std::move(name)), log_(log) {
    SetTabStop(true);
    OnEnter = [this](TObject*) { log_->push_back(name_ + ":Enter"); };
    OnExit = [this](TObject*) { log_->push_back(name_ + ":Exit"); };
    OnKeyDown = [this](TObject*, uint16_t& key, TShiftState) { log_->push_back(name_ + ":Key(" + std::to_string(key) + ")"); };
    OnKeyPress = [this](TObject*, uint32_t& ch) { log_->push_back(name_ + ":Char(" + std::to_string(ch) + ")"); };
  }
  bool wantsReturn = false, wantsChars = false;
  bool WantsKey(uint16_t key) const override { return wantsReturn && key == VK_RETURN; }
  bool WantsChars() const override { return wantsChars; }

private:
  std::string name_;
  TEventLog* log_;
};

// A headless application with one borderless form at the screen's top-left.
class UiTest : public ::testing::Test {
protected:
  UiTest() {
    form.SetBorderStyle(bsNone);
    form.SetBounds(0, 0, 300, 200);
  }
  void ShowForm() {
    form.Show();
    app.ProcessMessages();
  }

  THeadlessBackend backend;
  TApplication app{backend};
  TForm form{nullptr};
  TEventLog log;
};
