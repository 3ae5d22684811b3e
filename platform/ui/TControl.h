#pragma once
#include <functional>
#include <string>

#include "platform/gfx/TCanvas.h"
#include "platform/gfx/TColor.h"
#include "platform/gfx/TFont.h"
#include "platform/gfx/TTypes.h"
#include "platform/ui/Messages.h"
#include "platform/ui/TComponent.h"

class TWinControl;
class TForm;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TAnchorKind : unsigned { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using TAnchors = unsigned;

// Cursor numbers as the form library gives them.
enum TCursor : int {
  crDefault = 0, crArrow = -2, crCross = -3, crIBeam = -4, crSizeNESW = -6, crSizeNS = -7,
  crSizeNWSE = -8, crSizeWE = -9, crHourGlass = -11, crNo = -18, crHandPoint = -21, crSizeAll = -22,
};

enum TControlStyleFlag : unsigned {
  csAcceptsControls = 1, csCaptureMouse = 2, csDesignInteractive = 4, csClickEvents = 8,
  csFramed = 16, csSetCaption = 32, csOpaque = 64, csDoubleClicks = 128,
};
using TControlStyle = unsigned;

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;

// A control: a rectangle on its parent with the common properties, events and message handlers.
// A control registers itself with its parent when built and leaves it when destroyed. Setters
// compare, store and invalidate; drawing happens only when the form paints.
class TControl : public TComponent {
public:
  explicit TControl(TWinControl* parent);
  ~TControl() override;

  TWinControl* Parent() const { return parent_; }
  // The top-level form this control is on (itself for a form), or null.
  virtual TForm* ParentForm() const;

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  virtual void SetBounds(int left, int top, int width, int height);
  TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
  TRect ClientRect() const { return {0, 0, width_, height_}; }
  // Client coordinates of this control to those of its form, and to the screen.
  TPoint ClientToForm(TPoint p) const;
  TPoint ClientToScreen(TPoint p) const;
  TPoint ScreenToClient(TPoint p) const;

  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);
  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors anchors) { anchors_ = anchors; }

  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible here and in every parent up to the form.
  bool Showing() const;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor) { cursor_ = cursor; }
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint) { hint_ = hint; }
  bool ShowHint() const { return show_hint_; }
  void SetShowHint(bool v) { show_hint_ = v; }

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  const std::string& Text() const { return caption_; }
  void SetText(const std::string& text) { SetCaption(text); }

  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  bool ParentFont() const { return parent_font_; }
  void SetParentFont(bool v);

  TControlStyle ControlStyle() const { return style_; }
  void SetControlStyle(TControlStyle style) { style_ = style; }

  // Adds this control's rectangle to its form's dirty area.
  void Invalidate();
  // Invalidates and paints the form's dirty area at once.
  void Repaint();
  void Update();
  // Moves the control to the top (or bottom) of its parent's z-order.
  void BringToFront();
  void SendToBack();

  // Whether a point (client coordinates) belongs to this control; a shaped control may say no.
  virtual bool HitTest(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TNotifyEvent OnResize;

  // Called by the form's dispatch. The base handlers raise the On... events.
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  // The library's click step: raised on a left release inside the bounds when the control has
  // csClickEvents and the press was on it. The base raises OnClick.
  virtual void Click();
  virtual void DblClick();

  virtual void CMMouseEnter() {}
  virtual void CMMouseLeave() {}
  virtual void CMEnabledChanged() { Invalidate(); }
  virtual void CMTextChanged() { Invalidate(); }
  virtual void CMVisibleChanged() {}
  virtual void CMFontChanged() { Invalidate(); }
  // An accelerator character offered by the form; returns 1 when this control took it.
  virtual int CMDialogChar(uint32_t charCode) { (void)charCode; return 0; }

  // The form's default button takes Enter, its cancel button Escape (through Click).
  virtual bool IsDefault() const { return false; }
  virtual bool IsCancel() const { return false; }
  // This control or one of its parents is being read (between BeginLoading and EndLoading):
  // layout and OnResize wait until the reading ends.
  bool IsLoading() const;

  // Painting: the form sets the canvas origin to this control's top-left and clips to it.
  virtual void PaintTo(TCanvas& canvas) = 0;

  // The parent font changed, or the control was placed: take it when ParentFont is set.
  void ParentFontChanged();

protected:
  // For a form, whose owner is not its parent.
  TControl(TComponent* owner, TWinControl* parent);
  virtual void Resize() { if (OnResize) OnResize(this); }
  virtual void BoundsChanged() {}
  void SetParentInternal(TWinControl* p) { parent_ = p; }
  friend class TWinControl;
  friend class TForm;

private:
  TWinControl* parent_;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  TAlign align_ = alNone;
  TAnchors anchors_ = akLeft | akTop;
  bool visible_ = true, enabled_ = true, show_hint_ = false, parent_font_ = true;
  TCursor cursor_ = crDefault;
  std::string hint_, caption_;
  TColor color_ = clBtnFace;
  TFont font_;
  TControlStyle style_ = csClickEvents | csCaptureMouse | csDoubleClicks;
  bool in_font_change_ = false;
};

// The first character after a single "&" of a caption ("&&" is a plain "&"), or 0.
uint32_t AcceleratorChar(const std::string& caption);
// Whether a typed character is the caption's accelerator, letter case ignored.
bool IsAccel(uint32_t charCode, const std::string& caption);
