#pragma once
#include <string>

#include "platform/ui/TObject.h"

enum TComponentStateFlag : unsigned { csLoading = 1, csDesigning = 2, csDestroying = 4 };
using TComponentState = unsigned;

// The root of the form library's classes. The owner is only a back reference: forms hold their
// controls as members, so nothing here frees anything.
class TComponent : public TObject {
public:
  explicit TComponent(TComponent* owner) : owner_(owner) {}
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  void SetName(const std::string& name) { name_ = name; }
  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }

  TComponentState ComponentState() const { return state_; }
  // A form designer would set this; the run-time programs never do.
  void SetDesigning(bool on) { state_ = on ? (state_ | csDesigning) : (state_ & ~csDesigning); }
  // Brackets the reading of a form's settings; EndLoading calls Loaded.
  void BeginLoading() { state_ |= csLoading; }
  void EndLoading() { state_ &= ~csLoading; Loaded(); }

protected:
  virtual void Loaded() {}

private:
  TComponent* owner_;
  std::string name_;
  int tag_ = 0;
  TComponentState state_ = 0;
};
