// Shows the test form with the GTK backend on $DISPLAY and reports on standard output, one line
// per event, what the form's handlers saw. Options:
//   --kiosk      borderless, stay on top and maximised, as the kiosk's main window
//   --native     adds a native GTK child (a box in a pane) to the form's native container; the
//                message filter drops right button messages aimed inside the pane
//   --timeout S  ends the program with exit code 3 after S seconds (default 60)
#include <gtk/gtk.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/backend/gtk/TGtkBackend.h"
#include "platform/ui/TApplication.h"
#include "tests/gtk/TestForm.h"

namespace {

void Say(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

// A pane holding a page, as the web pane holds its view.
void AddNativeChild(TGtkBackend& backend, TForm& form) {
  const TRect r = TestLayout::kNative.rect;
  GtkWidget* pane = gtk_event_box_new();
  GtkWidget* page = gtk_drawing_area_new();
  gtk_widget_set_size_request(page, r.Width(), r.Height());
  gtk_widget_add_events(page, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK);
  g_signal_connect(page, "draw", G_CALLBACK(+[](GtkWidget*, cairo_t* cr, gpointer) -> gboolean {
    const uint32_t c = TestLayout::kNative.rgb;
    cairo_set_source_rgb(cr, (c >> 16 & 0xFF) / 255.0, (c >> 8 & 0xFF) / 255.0, (c & 0xFF) / 255.0);
    cairo_paint(cr);
    return TRUE;
  }), nullptr);
  g_signal_connect(page, "button-press-event", G_CALLBACK(+[](GtkWidget*, GdkEventButton* e, gpointer) -> gboolean {
    if (e->type == GDK_BUTTON_PRESS) Say(e->button == 3 ? "native right press" : "native press");
    return TRUE;
  }), nullptr);
  gtk_container_add(GTK_CONTAINER(pane), page);
  gtk_fixed_put(GTK_FIXED(form.Window()->NativeContainer()), pane, r.Left, r.Top);
  gtk_widget_show_all(pane);
  backend.FilterNativeInput(page);

  const HWND paneHandle = backend.HandleForWidget(pane);
  Application->OnMessage = [&backend, paneHandle](TMsg& msg, bool& handled) {
    if ((msg.message == WM_RBUTTONDOWN || msg.message == WM_RBUTTONUP) && backend.IsChild(paneHandle, msg.hwnd)) {
      handled = true;
      Say("filtered right button");
    }
  };
}

} // namespace

int main(int argc, char** argv) {
  bool kiosk = false, native = false;
  int timeout = 60;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--kiosk")) kiosk = true;
    else if (!std::strcmp(argv[i], "--native")) native = true;
    else if (!std::strcmp(argv[i], "--timeout") && i + 1 < argc) timeout = std::atoi(argv[++i]);
  }

  TGtkBackend backend;
  TApplication app(backend);
  app.SetTitle(TestLayout::kMainCaption);
  app.OnException = [](TObject*, const std::exception& e) { Say(std::string("exception ") + e.what()); };
  TTestForm form(nullptr, Say);
  app.SetMainForm(&form);
  if (kiosk) {
    form.SetFormStyle(fsStayOnTop);
    form.SetWindowState(wsMaximized);
  }
  form.HandleNeeded();
  if (native) AddNativeChild(backend, form);

  static bool timedOut = false;
  g_timeout_add_seconds(guint(timeout), +[](gpointer) -> gboolean {
    timedOut = true;
    Say("timeout");
    Application->Terminate();
    return G_SOURCE_REMOVE;
  }, nullptr);

  form.Show();
  Say("shown " + std::to_string(form.Handle()));
  app.Run();
  Say("exit");
  return timedOut ? 3 : 0;
}
