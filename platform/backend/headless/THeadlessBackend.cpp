#include "platform/backend/headless/THeadlessBackend.h"

#include <algorithm>
#include <stdexcept>

#include "platform/ui/TApplication.h"
#include "platform/ui/TForm.h"

namespace {

uintptr_t ButtonFlag(TMouseButton b) {
  return b == TMouseButton::mbLeft ? MK_LBUTTON : b == TMouseButton::mbRight ? MK_RBUTTON : MK_MBUTTON;
}

TShiftState ModifierOf(uint16_t vk) {
  return vk == VK_SHIFT ? TShiftState(ssShift) : vk == VK_CONTROL ? TShiftState(ssCtrl) : vk == VK_MENU ? TShiftState(ssAlt) : 0;
}

// Bit 29 of a key message: Alt was down.
constexpr intptr_t kAltContext = intptr_t(1) << 29;

} // namespace

THeadlessBackend::THeadlessBackend() = default;

THeadlessBackend::~THeadlessBackend() = default;

std::unique_ptr<IWindow> THeadlessBackend::CreateWindow(TForm& form) {
  return std::make_unique<THeadlessWindow>(*this, form, next_handle_++);
}

void THeadlessBackend::WaitForEvents(int timeoutMs) {
  if (timeoutMs == 0) return;
  if (!idle_steps_.empty()) {
    std::function<void()> step = std::move(idle_steps_.front());
    idle_steps_.pop_front();
    step();
    return;
  }
  if (advance_until_ > now_) {
    now_ = timeoutMs < 0 ? advance_until_ : std::min<uint64_t>(now_ + uint64_t(timeoutMs), advance_until_);
    return;
  }
  if (auto_advance_ && timeoutMs > 0) {
    now_ += uint64_t(timeoutMs);
    return;
  }
  throw std::logic_error("headless loop would wait forever: queue an OnIdle step, Advance or SetAutoAdvance");
}

void THeadlessBackend::Advance(uint64_t ms) {
  const uint64_t target = now_ + ms;
  const uint64_t outer = advance_until_;
  advance_until_ = std::max(advance_until_, target);
  struct TRestore {
    uint64_t& value;
    uint64_t saved;
    ~TRestore() { value = saved; }
  } restore{advance_until_, outer};
  if (!Application) {
    now_ = target;
    return;
  }
  Application->ProcessMessages();
  while (now_ < target) {
    const int wait = Application->NextTimerTimeout();
    uint64_t step = wait < 0 ? target - now_ : std::min<uint64_t>(uint64_t(wait), target - now_);
    if (step == 0) {
      // A timer fell due inside the last round of handling; give it its own round.
      Application->ProcessMessages();
      if (Application->NextTimerTimeout() != 0) continue;
      step = 1;
    }
    now_ += step;
    Application->ProcessMessages();
  }
}

THeadlessWindow* THeadlessBackend::WindowOf(const TForm& form) const {
  return dynamic_cast<THeadlessWindow*>(form.Window());
}

void THeadlessBackend::Post(HWND hwnd, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  if (!Application) throw std::logic_error("headless input needs an application");
  TMsg msg;
  msg.hwnd = hwnd;
  msg.message = message;
  msg.wParam = wParam;
  msg.lParam = lParam;
  // Strictly increasing, and in step with the virtual clock.
  msg.time = uint32_t(now_) + ++input_seq_;
  msg.pt = cursor_;
  Application->PostMessage(msg);
}

void THeadlessBackend::MoveTo(TControl& target, int x, int y) {
  TForm* form = target.ParentForm();
  THeadlessWindow* window = form ? WindowOf(*form) : nullptr;
  if (!window || !window->Visible()) throw std::logic_error("MoveTo: the control is on no shown window");
  cursor_ = target.ClientToScreen({x, y});
  if (!grab_window_) {
    if (pointer_window_ && pointer_window_ != window) Post(pointer_window_->Handle(), WM_MOUSELEAVE, 0, 0);
    pointer_window_ = window;
  }
  PostMouse(WM_MOUSEMOVE);
}

void THeadlessBackend::PostMouse(uint32_t message) {
  THeadlessWindow* to = grab_window_ ? grab_window_ : pointer_window_;
  if (!to) throw std::logic_error("the pointer is over no window: MoveTo first");
  const TPoint origin = to->Form().ClientToScreen({0, 0});
  uintptr_t keys = buttons_;
  if (modifiers_ & ssShift) keys |= MK_SHIFT;
  if (modifiers_ & ssCtrl) keys |= MK_CONTROL;
  Post(to->Handle(), message, keys, MakeLParam(cursor_.X - origin.X, cursor_.Y - origin.Y));
}

void THeadlessBackend::Press(TMouseButton button) {
  if (!buttons_) grab_window_ = pointer_window_;
  buttons_ |= ButtonFlag(button);
  PostMouse(button == TMouseButton::mbLeft ? WM_LBUTTONDOWN : button == TMouseButton::mbRight ? WM_RBUTTONDOWN
                                                                                               : WM_MBUTTONDOWN);
}

void THeadlessBackend::Release(TMouseButton button) {
  buttons_ &= ~ButtonFlag(button);
  PostMouse(button == TMouseButton::mbLeft ? WM_LBUTTONUP : button == TMouseButton::mbRight ? WM_RBUTTONUP
                                                                                             : WM_MBUTTONUP);
  if (!buttons_) grab_window_ = nullptr;
}

void THeadlessBackend::Click(TControl& target, int x, int y, TMouseButton button) {
  MoveTo(target, x, y);
  Press(button);
  Release(button);
}

THeadlessWindow* THeadlessBackend::KeyTarget() const {
  if (!active_ || !active_->Visible()) throw std::logic_error("no active window takes the keys");
  return active_;
}

void THeadlessBackend::KeyDown(uint16_t vk) {
  THeadlessWindow* to = KeyTarget();
  modifiers_ |= ModifierOf(vk);
  const bool alt = modifiers_ & ssAlt;
  Post(to->Handle(), alt ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, 1 | (alt ? kAltContext : 0));
}

void THeadlessBackend::KeyUp(uint16_t vk) {
  THeadlessWindow* to = KeyTarget();
  const bool alt = modifiers_ & ssAlt;
  modifiers_ &= ~ModifierOf(vk);
  Post(to->Handle(), alt ? WM_SYSKEYUP : WM_KEYUP, vk, 1 | (alt ? kAltContext : 0));
}

void THeadlessBackend::Key(uint16_t vk, TShiftState shift) {
  const uint16_t mods[] = {VK_SHIFT, VK_CONTROL, VK_MENU};
  for (uint16_t m : mods)
    if (shift & ModifierOf(m)) KeyDown(m);
  KeyDown(vk);
  KeyUp(vk);
  for (int i = 2; i >= 0; --i)
    if (shift & ModifierOf(mods[i])) KeyUp(mods[i]);
}

void THeadlessBackend::Char(uint32_t codePoint) { Post(KeyTarget()->Handle(), WM_CHAR, codePoint, 1); }

void THeadlessBackend::Type(const std::string& utf8) {
  for (size_t i = 0; i < utf8.size();) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(utf8[k]); };
    const unsigned char c = byte(i);
    const int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    uint32_t cp = extra == 0 ? c : c & (0x3F >> extra);
    bool ok = i + extra < utf8.size();
    for (int k = 1; ok && k <= extra; ++k) {
      ok = (byte(i + k) & 0xC0) == 0x80;
      cp = (cp << 6) | (byte(i + k) & 0x3F);
    }
    // A malformed byte goes as itself.
    Char(ok ? cp : c);
    i += ok ? size_t(extra) + 1 : 1;
  }
}

void THeadlessBackend::Activate(THeadlessWindow* w) {
  if (active_ == w) return;
  if (active_) Post(active_->Handle(), WM_ACTIVATE, WA_INACTIVE, 0);
  active_ = w;
  Post(w->Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
}

void THeadlessBackend::WindowHidden(THeadlessWindow* w) {
  if (active_ == w) {
    Post(w->Handle(), WM_ACTIVATE, WA_INACTIVE, 0);
    active_ = nullptr;
  }
  if (pointer_window_ == w) pointer_window_ = nullptr;
  if (grab_window_ == w) grab_window_ = nullptr;
}

void THeadlessBackend::WindowGone(THeadlessWindow* w) {
  windows_.erase(std::remove(windows_.begin(), windows_.end(), w), windows_.end());
  if (active_ == w) active_ = nullptr;
  if (pointer_window_ == w) pointer_window_ = nullptr;
  if (grab_window_ == w) grab_window_ = nullptr;
}
