#include "platform/backend/gtk/webkit/TWebKitView.h"

// The form library first: the X headers that GTK brings define macros that clash with it.
#include "platform/ui/TApplication.h"
#include "platform/ui/TForm.h"

#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <algorithm>
#include <stdexcept>

#include "platform/backend/gtk/TGtkBackend.h"
#include "platform/backend/gtk/webkit/PaneScript.h"
#include "platform/backend/gtk/webkit/WebAddress.h"

namespace {

TWebKitView* Self(gpointer p) { return static_cast<TWebKitView*>(p); }

// One context for every pane of the program. It is ephemeral: what a visitor leaves behind
// (cookies, storage, cache) stays in memory and ends with the program, and nothing is written to
// the user's folders.
WebKitWebContext* SharedContext() {
  static WebKitWebContext* context = [] {
    WebKitWebContext* c = webkit_web_context_new_ephemeral();
    // Whatever way a download starts (a link with a download attribute, a response the pane let
    // through), nothing reaches the disk.
    g_signal_connect(c, "download-started", G_CALLBACK(+[](WebKitWebContext*, WebKitDownload* download, gpointer) {
      webkit_download_cancel(download);
    }), nullptr);
    return c;
  }();
  return context;
}

WebKitSettings* KioskSettings() {
  WebKitSettings* s = webkit_settings_new();
  webkit_settings_set_enable_javascript(s, TRUE);
  webkit_settings_set_enable_developer_extras(s, FALSE);
  webkit_settings_set_enable_back_forward_navigation_gestures(s, FALSE);
  webkit_settings_set_javascript_can_open_windows_automatically(s, FALSE);
  // Kiosk terminals often lack working GL, and a software renderer is the same everywhere.
  webkit_settings_set_hardware_acceleration_policy(s, WEBKIT_HARDWARE_ACCELERATION_POLICY_NEVER);
  // Pages that do not declare their encoding are, on this kiosk's terminals, GBK.
  webkit_settings_set_default_charset(s, "GBK");
  return s;
}

bool IsHtmlType(const char* mime) {
  return mime && (g_ascii_strcasecmp(mime, "text/html") == 0 || g_ascii_strcasecmp(mime, "application/xhtml+xml") == 0);
}

bool IsAttachment(WebKitURIResponse* response) {
  SoupMessageHeaders* headers = response ? webkit_uri_response_get_http_headers(response) : nullptr;
  const char* disposition = headers ? soup_message_headers_get_one(headers, "Content-Disposition") : nullptr;
  return disposition && g_ascii_strncasecmp(disposition, "attachment", 10) == 0;
}

// Keys that would open the inspector if it were ever switched on.
bool IsInspectorKey(const GdkEventKey* k) {
  guint mods = k->state & gtk_accelerator_get_default_mod_mask();
  guint key = gdk_keyval_to_lower(k->keyval);
  if (key == GDK_KEY_F12) return true;
  return mods == (GDK_CONTROL_MASK | GDK_SHIFT_MASK) && (key == GDK_KEY_i || key == GDK_KEY_j || key == GDK_KEY_c);
}

// ---- Signal handlers: each keeps exceptions inside (GuardCallback) and answers the engine ----

void OnLoadChanged(WebKitWebView*, WebKitLoadEvent event, gpointer self) {
  GuardCallback([&] {
    if (event == WEBKIT_LOAD_COMMITTED) Self(self)->LoadCommitted();
    else if (event == WEBKIT_LOAD_FINISHED) Self(self)->LoadFinished();
  });
}

gboolean OnLoadFailed(WebKitWebView*, WebKitLoadEvent, gchar* uri, GError* error, gpointer self) {
  // A load that was stopped, replaced by another or turned away by the pane itself has nothing
  // to show: the page before it stays.
  bool quiet = g_error_matches(error, WEBKIT_NETWORK_ERROR, WEBKIT_NETWORK_ERROR_CANCELLED) ||
               g_error_matches(error, WEBKIT_POLICY_ERROR, WEBKIT_POLICY_ERROR_FRAME_LOAD_INTERRUPTED_BY_POLICY_CHANGE) ||
               g_error_matches(error, WEBKIT_POLICY_ERROR, WEBKIT_POLICY_ERROR_CANNOT_SHOW_MIME_TYPE) ||
               g_error_matches(error, WEBKIT_PLUGIN_ERROR, WEBKIT_PLUGIN_ERROR_WILL_HANDLE_LOAD);
  gboolean handled = TRUE;
  GuardCallback([&] { handled = Self(self)->LoadFailed(uri ? uri : "", error ? error->message : "", !quiet); });
  return handled;
}

gboolean OnDecidePolicy(WebKitWebView*, WebKitPolicyDecision* decision, WebKitPolicyDecisionType type, gpointer) {
  if (type != WEBKIT_POLICY_DECISION_TYPE_RESPONSE) return FALSE; // new-window actions go on to "create"
  auto* response = WEBKIT_RESPONSE_POLICY_DECISION(decision);
  // What the engine cannot show itself it would save: a kiosk saves nothing.
  if (!webkit_response_policy_decision_is_mime_type_supported(response) ||
      IsAttachment(webkit_response_policy_decision_get_response(response))) {
    webkit_policy_decision_ignore(decision);
    return TRUE;
  }
  return FALSE;
}

GtkWidget* OnCreate(WebKitWebView*, WebKitNavigationAction* action, gpointer self) {
  WebKitURIRequest* request = webkit_navigation_action_get_request(action);
  const char* uri = request ? webkit_uri_request_get_uri(request) : nullptr;
  std::string url = uri ? uri : "";
  GuardCallback([&] { Self(self)->NewWindowRequested(url); });
  return nullptr; // no new view, so no new window
}

void OnScriptMessage(WebKitUserContentManager*, WebKitJavascriptResult* result, gpointer self) {
  JSCValue* value = webkit_javascript_result_get_js_value(result);
  std::optional<std::string> href;
  if (value && jsc_value_is_string(value)) {
    gchar* s = jsc_value_to_string(value);
    href = s ? s : "";
    g_free(s);
  }
  GuardCallback([&] { Self(self)->FocusReported(href); });
}

void OnProcessTerminated(WebKitWebView*, WebKitWebProcessTerminationReason reason, gpointer self) {
  if (reason == WEBKIT_WEB_PROCESS_TERMINATED_BY_API) return;
  GuardCallback([&] { Self(self)->ProcessEnded(); });
}

gboolean Refuse(gpointer) { return TRUE; }

gboolean OnFileChooser(WebKitWebView*, WebKitFileChooserRequest* request, gpointer) {
  webkit_file_chooser_request_cancel(request);
  return TRUE;
}

gboolean OnPermission(WebKitWebView*, WebKitPermissionRequest* request, gpointer) {
  webkit_permission_request_deny(request);
  return TRUE;
}

gboolean OnKeyPress(GtkWidget*, GdkEventKey* event, gpointer) { return IsInspectorKey(event) ? TRUE : FALSE; }

} // namespace

TWebKitView::TWebKitView(TWebBrowser& pane, TWebViewEvents events) : pane_(pane), events_(std::move(events)) {
  TForm* form = pane.ParentForm();
  TGtkBackend* backend = TGtkBackend::Instance();
  GtkWidget* container = form && form->Window() ? static_cast<GtkWidget*>(form->Window()->NativeContainer()) : nullptr;
  if (!backend || !container || !GTK_IS_FIXED(container))
    throw std::logic_error("the web pane needs a form on the GTK backend");

  content_ = webkit_user_content_manager_new();
  WebKitUserContentManager* content = content_;
  g_signal_connect(content, (std::string("script-message-received::") + kPaneScriptChannel).c_str(),
                   G_CALLBACK(OnScriptMessage), this);
  webkit_user_content_manager_register_script_message_handler(content, kPaneScriptChannel);
  WebKitUserScript* script = webkit_user_script_new(kPaneScript, WEBKIT_USER_CONTENT_INJECT_ALL_FRAMES,
                                                    WEBKIT_USER_SCRIPT_INJECT_AT_DOCUMENT_START, nullptr, nullptr);
  webkit_user_content_manager_add_script(content, script);
  webkit_user_script_unref(script);

  WebKitSettings* settings = KioskSettings();
  view_ = WEBKIT_WEB_VIEW(g_object_new(WEBKIT_TYPE_WEB_VIEW, "web-context", SharedContext(), "settings", settings,
                                       "user-content-manager", content, nullptr));
  g_object_unref(settings);

  g_signal_connect(view_, "load-changed", G_CALLBACK(OnLoadChanged), this);
  g_signal_connect(view_, "load-failed", G_CALLBACK(OnLoadFailed), this);
  g_signal_connect(view_, "decide-policy", G_CALLBACK(OnDecidePolicy), this);
  g_signal_connect(view_, "create", G_CALLBACK(OnCreate), this);
  g_signal_connect(view_, "web-process-terminated", G_CALLBACK(OnProcessTerminated), this);
  // The engine's context menu, however asked for: right button, long touch, the menu key.
  g_signal_connect_swapped(view_, "context-menu", G_CALLBACK(Refuse), this);
  g_signal_connect_swapped(view_, "print", G_CALLBACK(Refuse), this);
  // Handled here, a full-screen request fills the view instead of changing the window, which
  // keeps its place on the screen when the page leaves full screen again.
  g_signal_connect_swapped(view_, "enter-fullscreen", G_CALLBACK(Refuse), this);
  g_signal_connect_swapped(view_, "leave-fullscreen", G_CALLBACK(Refuse), this);
  g_signal_connect(view_, "run-file-chooser", G_CALLBACK(OnFileChooser), this);
  g_signal_connect(view_, "permission-request", G_CALLBACK(OnPermission), this);
  g_signal_connect(view_, "key-press-event", G_CALLBACK(OnKeyPress), this);
  WebKitWebInspector* inspector = webkit_web_view_get_inspector(view_);
  g_signal_connect_swapped(inspector, "open-window", G_CALLBACK(Refuse), this);
  g_signal_connect_swapped(inspector, "attach", G_CALLBACK(Refuse), this);

  box_ = gtk_event_box_new();
  gtk_container_add(GTK_CONTAINER(box_), GTK_WIDGET(view_));
  gtk_widget_show(GTK_WIDGET(view_));
  gtk_fixed_put(GTK_FIXED(container), box_, 0, 0);
  // The form's window may go first; then the widgets go with it.
  g_object_add_weak_pointer(G_OBJECT(box_), reinterpret_cast<gpointer*>(&box_));
  g_object_add_weak_pointer(G_OBJECT(view_), reinterpret_cast<gpointer*>(&view_));
  backend->FilterNativeInput(GTK_WIDGET(view_));
}

TWebKitView::~TWebKitView() {
  if (view_) {
    g_signal_handlers_disconnect_by_data(view_, this);
    g_signal_handlers_disconnect_by_data(webkit_web_view_get_inspector(view_), this);
    g_object_remove_weak_pointer(G_OBJECT(view_), reinterpret_cast<gpointer*>(&view_));
  }
  if (box_) {
    g_object_remove_weak_pointer(G_OBJECT(box_), reinterpret_cast<gpointer*>(&box_));
    gtk_widget_destroy(box_);
  }
  g_signal_handlers_disconnect_by_data(content_, this);
  g_object_unref(content_);
}

void TWebKitView::Navigate(const std::string& url) {
  if (view_) webkit_web_view_load_uri(view_, EngineAddress(url).c_str());
}

void TWebKitView::GoBack() {
  if (view_ && webkit_web_view_can_go_back(view_)) webkit_web_view_go_back(view_);
}

void TWebKitView::Refresh() {
  if (view_) webkit_web_view_reload(view_);
}

bool TWebKitView::Busy() const { return view_ && webkit_web_view_is_loading(view_); }

void TWebKitView::Stop() {
  if (view_) webkit_web_view_stop_loading(view_);
}

std::string TWebKitView::LocationURL() const {
  const char* uri = view_ ? webkit_web_view_get_uri(view_) : nullptr;
  return uri ? uri : "";
}

bool TWebKitView::HasHtmlDocument() const { return view_ && html_ && !failed_; }

bool TWebKitView::ActiveElementHref(std::string& href) const {
  if (!view_ || !focus_href_) return false;
  href = *focus_href_;
  return true;
}

void TWebKitView::FocusDocument() {
  if (!view_) return;
  GtkWidget* widget = GTK_WIDGET(view_);
  gtk_widget_grab_focus(widget);
  // Gives the focus to the page's own window as well, so the arrow keys scroll it.
  webkit_web_view_evaluate_javascript(view_, "window.focus()", -1, nullptr, nullptr, nullptr, nullptr, nullptr);
  // The keys go to the window with the input focus, which no window manager may be there to
  // hand over. A dialog of the program's own keeps it.
  GtkWidget* top = gtk_widget_get_toplevel(widget);
  TForm* form = pane_.ParentForm();
  if (GTK_IS_WINDOW(top) && !gtk_window_is_active(GTK_WINDOW(top)) && form && form->Window() && form->Visible() &&
      !(Application && Application->ModalForm()))
    form->Window()->Activate();
}

HWND TWebKitView::Handle() const {
  TGtkBackend* backend = TGtkBackend::Instance();
  return backend && box_ ? backend->HandleForWidget(box_) : 0;
}

bool TWebKitView::IsDescendant(HWND window) const {
  TGtkBackend* backend = TGtkBackend::Instance();
  return backend && box_ && window && backend->IsChild(Handle(), window);
}

void TWebKitView::SetBounds(const TRect& formRect) {
  if (!box_) return;
  if (GtkWidget* parent = gtk_widget_get_parent(box_)) gtk_fixed_move(GTK_FIXED(parent), box_, formRect.Left, formRect.Top);
  gtk_widget_set_size_request(box_, std::max(0, formRect.Width()), std::max(0, formRect.Height()));
}

void TWebKitView::SetVisible(bool visible) {
  if (box_) gtk_widget_set_visible(box_, visible);
}

void TWebKitView::LoadCommitted() {
  // A new document: nothing in it has the focus yet.
  focus_href_.reset();
  committed_ = true;
  WebKitWebResource* resource = webkit_web_view_get_main_resource(view_);
  WebKitURIResponse* response = resource ? webkit_web_resource_get_response(resource) : nullptr;
  // The blank page has no response, and is an empty HTML document.
  html_ = response ? IsHtmlType(webkit_uri_response_get_mime_type(response)) : g_str_has_prefix(LocationURL().c_str(), "about:");
  failed_ = !error_uri_.empty() && LocationURL() == error_uri_;
  error_uri_.clear();
}

void TWebKitView::LoadFinished() {
  // A load that never showed a document (a refused download, a stopped or failed load before its
  // error page) completes nothing: the page before it is still there.
  if (!committed_) return;
  committed_ = false;
  if (events_.DocumentComplete) events_.DocumentComplete(LocationURL());
}

bool TWebKitView::LoadFailed(const std::string& uri, const std::string& reason, bool showError) {
  if (!showError) return true;
  // The engine's own error page is English; this one says the same in the kiosk's language.
  gchar* text = g_markup_escape_text(reason.c_str(), -1);
  gchar* page = g_strdup_printf("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>无法显示此页</title></head>"
                                "<body style=\"font-family:sans-serif;margin:3em\"><h2>无法显示此页</h2><p>%s</p>"
                                "</body></html>", text);
  error_uri_ = uri;
  webkit_web_view_load_alternate_html(view_, page, uri.c_str(), nullptr);
  g_free(page);
  g_free(text);
  return true;
}

void TWebKitView::NewWindowRequested(const std::string& url) {
  bool cancel = false;
  if (events_.NewWindow) events_.NewWindow(url, cancel);
}

void TWebKitView::FocusReported(const std::optional<std::string>& href) { focus_href_ = href; }

void TWebKitView::ProcessEnded() {
  focus_href_.reset();
  html_ = committed_ = false;
  if (events_.ProcessCrashed) events_.ProcessCrashed();
}

TWebViewFactory MakeWebKitViewFactory() {
  return [](TWebBrowser& pane, TWebViewEvents events) -> std::unique_ptr<IWebView> {
    return std::make_unique<TWebKitView>(pane, std::move(events));
  };
}
