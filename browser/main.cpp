// Tovira, the kiosk browser. It runs once per user session: a second start ends at once.
#include <clocale>
#include <cstdio>
#include <exception>
#include <memory>

#include <glib.h>

#include "browser/TfrmMain.h"
#include "platform/backend/gtk/TGtkBackend.h"
#include "platform/backend/gtk/webkit/TWebKitView.h"
#include "platform/sys/Sys.h"
#include "platform/ui/TApplication.h"

namespace {

// The pane draws in software (its engine's hardware acceleration is off), yet the engine still
// sets up GL buffer sharing between its processes unless told not to: memory and start-up time
// that a kiosk page never shows. The engine reads the variable before its first page; a value the
// operator set explicitly is kept.
void PreferSoftwareDrawing() { g_setenv("WEBKIT_DISABLE_DMABUF_RENDERER", "1", FALSE); }

} // namespace

int main() {
  InstallRealServices();
  bool alreadyExists = false;
  // The handle is kept until the process ends: the name is what tells a second start to go.
  Sys().Mutex->CreateMutex("MutexTovira", alreadyExists);
  if (alreadyExists) return 0;

  std::setlocale(LC_ALL, "");
  PreferSoftwareDrawing();

  std::unique_ptr<TGtkBackend> backend;
  try {
    backend = std::make_unique<TGtkBackend>();
  } catch (const std::exception& e) {
    // Without a display there is nowhere to show even an error box.
    std::fprintf(stderr, "Tovira: %s\n", e.what());
    return 1;
  }

  TApplication app(*backend);
  app.SetTitle(TfrmMain::kCaption);
  TWebBrowser::SetFactory(MakeWebKitViewFactory());

  std::unique_ptr<TfrmMain> frmMain;
  try {
    frmMain = std::make_unique<TfrmMain>(nullptr);
  } catch (const std::exception& e) {
    app.HandleException(e);
    return 0;
  }
  app.SetMainForm(frmMain.get());
  app.Run();
  return 0;
}
