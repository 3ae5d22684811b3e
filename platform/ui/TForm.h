#pragma once
#include <memory>

#include "platform/gfx/TBitmap.h"
#include "platform/ui/Backend.h"
#include "platform/ui/TWinControl.h"

enum TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TFormStyle { fsNormal, fsStayOnTop };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TPosition { poDesigned, poDefault, poScreenCenter, poDesktopCenter, poMainFormCenter, poOwnerFormCenter };
enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = unsigned;
enum TCloseAction { caNone, caHide, caFree, caMinimize };

// Modal results.
enum : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7 };

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;
using TCanResizeEvent = std::function<void(TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize)>;

// A top-level form: the only control with a native window (from the installed backend). It owns
// the back buffer its tree is painted into, and it does the hit test, pointer capture, the
// leave notification, focus, tab order and dialog keys for its controls. Left/Top are screen
// coordinates; Width/Height are the client area (the frame, if any, is the window manager's).
class TForm : public TWinControl {
public:
  explicit TForm(TComponent* owner);
  ~TForm() override;

  TForm* ParentForm() const override { return const_cast<TForm*>(this); }
  int ClientWidth() const { return Width(); }
  int ClientHeight() const { return Height(); }
  void SetClientWidth(int w) { SetWidth(w); }
  void SetClientHeight(int h) { SetHeight(h); }
  void SetBounds(int left, int top, int width, int height) override;

  TBorderStyle BorderStyle() const { return border_style_; }
  void SetBorderStyle(TBorderStyle s);
  TBorderIcons BorderIcons() const { return border_icons_; }
  void SetBorderIcons(TBorderIcons icons);
  TFormStyle FormStyle() const { return form_style_; }
  void SetFormStyle(TFormStyle s);
  TWindowState WindowState() const { return window_state_; }
  void SetWindowState(TWindowState s);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition p) { position_ = p; }
  bool KeyPreview() const { return key_preview_; }
  void SetKeyPreview(bool v) { key_preview_ = v; }

  TWinControl* ActiveControl() const { return active_control_; }
  void SetActiveControl(TWinControl* c);
  bool Active() const { return active_; }

  void Show();
  void Hide();
  // Asks to close: OnCloseQuery, then OnClose, then hide (the main form's close ends the program).
  void Close();
  int ShowModal();
  int ModalResult() const { return modal_result_; }
  void SetModalResult(int r) { modal_result_ = r; }
  bool Modal() const { return modal_; }

  HWND Handle() const;
  IWindow* Window() const { return window_.get(); }
  // A disabled window takes no pointer or key input (the other forms while one is modal).
  bool WindowEnabled() const { return window_enabled_; }
  void SetWindowEnabled(bool enabled);
  // Creates the native window now if it does not exist yet (Show does it too).
  void HandleNeeded();

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;
  TCanResizeEvent OnCanResize;

  // Every message addressed to this window comes here after the application's filter.
  virtual void WndProc(TMsg& msg);

  // Painting: the dirty area collects invalidated rectangles; PaintNow repaints it into the
  // back buffer and hands it to the window.
  void InvalidateRect(const TRect& rect);
  bool HasDirty() const { return !dirty_.IsEmpty(); }
  void PaintNow();
  TBitmap& BackBuffer() { return back_buffer_; }
  // Repaints the whole form into the back buffer now and returns it (tests read pixels here).
  const TBitmap& Snapshot();

  TControl* CaptureControl() const { return capture_; }
  TControl* MouseControl() const { return mouse_control_; }
  void ReleaseCapture() { capture_ = nullptr; }

  // The backend reports these.
  void WindowMoved(int left, int top);
  void WindowResized(int width, int height);
  void WindowStateChanged(TWindowState s);
  void WindowActivated(bool active);

  void CMVisibleChanged() override;
  void CMTextChanged() override;

protected:
  // Called by the derived constructor once its controls are built: raises OnCreate.
  void DoCreate();
  void PaintWindow(TCanvas& canvas) override;
  virtual bool CanResize(int& width, int& height);

private:
  friend class TControl;
  friend class TWinControl;
  // A control is going away, or can no longer take input: drop every reference to it and to
  // the controls below it.
  void ForgetControl(TControl* c, bool destroyed);
  void CloseModal();
  void SelectFirst();
  void ApplyWindowState();
  void MouseMessage(TMsg& msg);
  void KeyMessage(TMsg& msg);
  bool DialogKey(uint16_t key, TShiftState shift);
  void SelectNext(bool forward);
  void SetMouseControl(TControl* c);
  void PlaceWindow();

  std::unique_ptr<IWindow> window_;
  TBitmap back_buffer_;
  TRect dirty_;
  TBorderStyle border_style_ = bsSizeable;
  TBorderIcons border_icons_ = biSystemMenu | biMinimize | biMaximize;
  TFormStyle form_style_ = fsNormal;
  TWindowState window_state_ = wsNormal;
  TPosition position_ = poDesigned;
  bool key_preview_ = false, active_ = false, modal_ = false, shown_ = false;
  int modal_result_ = mrNone;
  TWinControl* active_control_ = nullptr;
  TControl* capture_ = nullptr;
  TControl* mouse_control_ = nullptr;
  TControl* pressed_control_ = nullptr; // for the click step
  uint32_t last_press_time_ = 0;
  TPoint last_press_pos_{};
  TControl* last_press_control_ = nullptr;
  bool in_paint_ = false;
  bool destroying_ = false;
  bool window_enabled_ = true;
  // Set while the form takes a size or place that its window reports, so it is not sent back.
  bool from_window_ = false;
};
