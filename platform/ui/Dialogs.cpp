#include "platform/ui/Dialogs.h"

#include "platform/ui/TApplication.h"
#include "platform/ui/TMessageForm.h"

int MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
  TMessageForm box(text, caption, flags);
  // Without an application nothing can be shown; the answer is that of closing the box.
  if (!Application) return box.Answer(mrNone);
  return box.Answer(box.ShowModal());
}
