#include "platform/ui/TApplication.h"

#include <algorithm>
#include <climits>

#include "platform/ui/Dialogs.h"
#include "platform/ui/TForm.h"
#include "platform/ui/TTimer.h"

TApplication* Application = nullptr;

namespace {

template <typename T>
bool Contains(const std::vector<T*>& list, const T* item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

TShiftState ModifierOf(uintptr_t vk) {
  switch (vk) {
  case VK_SHIFT: case 0xA0: case 0xA1: return ssShift;
  case VK_CONTROL: case 0xA2: case 0xA3: return ssCtrl;
  case VK_MENU: case 0xA4: case 0xA5: return ssAlt;
  default: return 0;
  }
}

} // namespace

TApplication::TApplication(IBackend& backend) : backend_(backend) { Application = this; }

TApplication::~TApplication() {
  if (Application == this) Application = nullptr;
}

void TApplication::Run() {
  if (main_form_ && !main_form_->Visible()) main_form_->Show();
  while (!terminated_) HandleMessage();
}

void TApplication::ProcessMessages() {
  bool timersDone = false;
  while (!terminated_) {
    backend_.WaitForEvents(0);
    if (!queue_.empty()) {
      TMsg msg = queue_.front();
      queue_.pop_front();
      DispatchMessage(msg);
      continue;
    }
    // Timers fire once per call, so a timer slower than its own interval cannot keep this busy.
    if (!timersDone) {
      timersDone = true;
      if (FireDueTimers()) continue;
    }
    PaintForms();
    if (queue_.empty()) return;
  }
}

void TApplication::HandleMessage() {
  if (!queue_.empty()) {
    TMsg msg = queue_.front();
    queue_.pop_front();
    DispatchMessage(msg);
    return;
  }
  if (FireDueTimers()) return;
  PaintForms();
  if (!queue_.empty() || terminated_) return;
  backend_.WaitForEvents(NextTimerTimeout());
}

void TApplication::PostMessage(const TMsg& msg) {
  queue_.push_back(msg);
  backend_.Wake();
}

bool TApplication::FilterMessage(TMsg& msg) {
  bool handled = false;
  if (OnMessage) OnMessage(msg, handled);
  return handled;
}

void TApplication::TrackKeyState(const TMsg& msg) {
  switch (msg.message) {
  case WM_KEYDOWN:
  case WM_SYSKEYDOWN:
    key_state_ |= ModifierOf(msg.wParam);
    break;
  case WM_KEYUP:
  case WM_SYSKEYUP:
    key_state_ &= ~ModifierOf(msg.wParam);
    break;
  case WM_ACTIVATE:
    // The releases of keys held while another program had the focus never come here.
    if ((msg.wParam & 0xFFFF) == WA_INACTIVE) key_state_ = 0;
    break;
  default:
    break;
  }
}

void TApplication::DispatchMessage(TMsg& msg) {
  TrackKeyState(msg);
  try {
    if (FilterMessage(msg)) return;
    if (TForm* form = FindForm(msg.hwnd)) form->WndProc(msg);
  } catch (const std::exception& e) {
    HandleException(e);
  }
}

void TApplication::HandleException(const std::exception& e) {
  if (OnException) {
    OnException(this, e);
    return;
  }
  MessageBox(e.what(), title_, MB_ICONERROR | MB_OK);
}

void TApplication::BringToFront() {
  TForm* form = ModalForm() ? ModalForm() : main_form_;
  if (form && form->Visible() && form->Window()) form->Window()->Activate();
}

void TApplication::Minimize() {
  for (TForm* f : forms_)
    if (f->Visible() && f->Window()) f->Window()->Minimize();
  backend_.MinimizeApp();
}

void TApplication::AddForm(TForm* f) {
  if (!Contains(forms_, f)) forms_.push_back(f);
}

void TApplication::RemoveForm(TForm* f) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), f), forms_.end());
  modal_stack_.erase(std::remove(modal_stack_.begin(), modal_stack_.end(), f), modal_stack_.end());
  if (main_form_ == f) main_form_ = nullptr;
}

TForm* TApplication::FindForm(HWND hwnd) const {
  if (!hwnd) return nullptr;
  for (TForm* f : forms_)
    if (f->Handle() == hwnd) return f;
  return nullptr;
}

void TApplication::AddTimer(TTimer* t) {
  if (!Contains(timers_, t)) timers_.push_back(t);
}

void TApplication::RemoveTimer(TTimer* t) { timers_.erase(std::remove(timers_.begin(), timers_.end(), t), timers_.end()); }

bool TApplication::FireDueTimers() {
  const uint64_t now = TickCount();
  bool fired = false;
  // A handler may start or free timers, or run a nested loop that fires them.
  const std::vector<TTimer*> list = timers_;
  for (TTimer* t : list) {
    if (!Contains(timers_, t) || !t->Active() || t->Due() > now) continue;
    fired = true;
    try {
      t->Fire(now);
    } catch (const std::exception& e) {
      HandleException(e);
    }
  }
  return fired;
}

int TApplication::NextTimerTimeout() {
  const uint64_t now = TickCount();
  int64_t best = -1;
  for (TTimer* t : timers_) {
    if (!t->Active()) continue;
    const int64_t wait = t->Due() <= now ? 0 : int64_t(t->Due() - now);
    if (best < 0 || wait < best) best = wait;
  }
  return int(std::min<int64_t>(best, INT_MAX));
}

void TApplication::PaintForms() {
  const std::vector<TForm*> list = forms_;
  for (TForm* f : list) {
    if (!Contains(forms_, f) || !f->Visible() || !f->HasDirty()) continue;
    try {
      f->PaintNow();
    } catch (const std::exception& e) {
      HandleException(e);
    }
  }
}
