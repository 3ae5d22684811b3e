#pragma once
#include <vector>

#include "platform/ui/TControl.h"

using TKeyEvent = std::function<void(TObject* Sender, uint16_t& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, uint32_t& Key)>;

// A control that can hold the focus and children. None of them is a native window: a form paints
// its whole tree onto one back buffer. Children are kept in z-order, the last one on top.
class TWinControl : public TControl {
public:
  explicit TWinControl(TWinControl* parent);
  ~TWinControl() override;

  const std::vector<TControl*>& Controls() const { return controls_; }
  int ControlCount() const { return int(controls_.size()); }

  // The topmost visible, enabled child (searching into windowed children) under a client point,
  // asking each its HitTest; this control itself when none is.
  TControl* ControlAtPos(TPoint p, bool allowDisabled = false);

  bool TabStop() const { return tab_stop_; }
  void SetTabStop(bool v) { tab_stop_ = v; }
  int TabOrder() const { return tab_order_; }
  void SetTabOrder(int order);
  virtual bool CanFocus() const;
  bool Focused() const;
  void SetFocus();
  // The focusable windowed controls below this one in tab order, depth first.
  void GetTabOrderList(std::vector<TWinControl*>& list);

  // Lays out aligned children in creation order, then the client-aligned one; anchored children
  // keep their distances to the anchored sides.
  void Realign();

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;

  virtual void KeyDown(uint16_t& key, TShiftState shift);
  virtual void KeyUp(uint16_t& key, TShiftState shift);
  virtual void KeyPress(uint32_t& key);
  virtual void DoEnter() { if (OnEnter) OnEnter(this); }
  virtual void DoExit() { if (OnExit) OnExit(this); }
  // Whether the control wants Enter, Escape, Tab or the arrows itself, rather than the form.
  virtual bool WantsKey(uint16_t key) const { (void)key; return false; }
  // Whether typed characters are the control's text (an edit) rather than accelerators.
  virtual bool WantsChars() const { return false; }

  // Offers a character to the children as an accelerator; returns 1 when one took it.
  int CMDialogChar(uint32_t charCode) override;

  // Paints this control's own face (PaintWindow), then the children that meet the clip.
  void PaintTo(TCanvas& canvas) override;

protected:
  TWinControl(TComponent* owner, TWinControl* parent);
  // The control's own face; the base fills the client area with Color.
  virtual void PaintWindow(TCanvas& canvas);
  void BoundsChanged() override;
  // Where aligned children go: the client rectangle, less any border.
  virtual TRect AlignRect() const { return ClientRect(); }
  // The reading ended: lay out the whole tree below this control.
  void Loaded() override;

private:
  friend class TControl;
  void InsertControl(TControl* c);
  void RemoveControl(TControl* c);
  void AnchorChildren(int oldWidth, int oldHeight);
  std::vector<TControl*> controls_;
  bool tab_stop_ = false;
  int tab_order_ = -1;
  int aligned_width_ = -1, aligned_height_ = -1;
  bool aligning_ = false;
};
