#pragma once
#include <deque>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/Backend.h"
#include "platform/ui/Messages.h"
#include "platform/ui/TObject.h"

class TForm;
class TTimer;

using TMessageEvent = std::function<void(TMsg& Msg, bool& Handled)>;
using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;

// The program's message loop: a queue of posted messages, the message filter, dispatch to the
// forms, the timers and the painting, all on the one thread. An exception that escapes a handler
// is caught at the dispatch and shown; the loop goes on.
class TApplication : public TObject {
public:
  explicit TApplication(IBackend& backend);
  ~TApplication() override;

  IBackend& Backend() { return backend_; }
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title) { title_ = title; }
  TForm* MainForm() const { return main_form_; }
  void SetMainForm(TForm* form) { main_form_ = form; }

  // Runs until Terminate is called or the main form closes.
  void Run();
  void Terminate() { terminated_ = true; backend_.Wake(); }
  bool Terminated() const { return terminated_; }
  // Handles everything pending (messages, due timers, paints) without waiting.
  void ProcessMessages();
  // Handles one message, or fires due timers and paints, waiting for events when there is
  // nothing to do.
  void HandleMessage();

  void PostMessage(const TMsg& msg);
  // Runs the filter on a message that a native callback must answer at once (e.g. to stop an
  // event from reaching a native child); returns Handled.
  bool FilterMessage(TMsg& msg);
  // The filter and then the dispatch, at once.
  void DispatchMessage(TMsg& msg);

  // Shows the exception's text in the standard error box (OnException replaces it).
  void HandleException(const std::exception& e);
  void BringToFront();
  void Minimize();

  TMessageEvent OnMessage;
  TExceptionEvent OnException;

  // Registries the forms and timers keep themselves in.
  void AddForm(TForm* f);
  void RemoveForm(TForm* f);
  const std::vector<TForm*>& Forms() const { return forms_; }
  TForm* FindForm(HWND hwnd) const;
  // The innermost form shown modally, or null.
  TForm* ModalForm() const { return modal_stack_.empty() ? nullptr : modal_stack_.back(); }
  void PushModal(TForm* f) { modal_stack_.push_back(f); }
  void PopModal() { modal_stack_.pop_back(); }
  void AddTimer(TTimer* t);
  void RemoveTimer(TTimer* t);
  uint64_t TickCount() { return backend_.TickCount(); }
  // Milliseconds until the next timer is due (0 when one is due now), or -1 with no timer.
  int NextTimerTimeout();
  // Shift, Ctrl and Alt as the key messages so far left them.
  TShiftState KeyboardState() const { return key_state_; }

private:
  void TrackKeyState(const TMsg& msg);
  bool FireDueTimers();
  void PaintForms();
  IBackend& backend_;
  std::string title_;
  TForm* main_form_ = nullptr;
  bool terminated_ = false;
  std::deque<TMsg> queue_;
  std::vector<TForm*> forms_;
  std::vector<TForm*> modal_stack_;
  std::vector<TTimer*> timers_;
  TShiftState key_state_ = 0;
};

// The one application of the program, set by its constructor.
extern TApplication* Application;
