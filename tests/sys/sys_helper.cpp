// A program that the system-service tests start as a separate process:
//   sys_helper                   started by name: notes "own PID" in $TOVIRA_TEST_MARK and, with
//                                $TOVIRA_TEST_LINGER set, runs until killed
//   sys_helper mutex-create NAME [wait]   prints first, exists or failed; "wait" first reads one
//   sys_helper mutex-open NAME            byte; both keep their handle until input ends
//   sys_helper shell-open ADDRESS
//   sys_helper poweroff          only with $DBUS_SYSTEM_BUS_ADDRESS set, so never the real bus
//   sys_helper logind FILE       a stand-in login manager on the system bus of
//                                $DBUS_SYSTEM_BUS_ADDRESS; notes each PowerOff call in FILE and
//                                prints "ready" once it owns its name
#include <gio/gio.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "platform/sys/TGioShell.h"
#include "platform/sys/TLockFileMutex.h"
#include "platform/sys/TLogindShutdown.h"

namespace {

void Say(const char* text) {
  printf("%s\n", text);
  fflush(stdout);
}

void WaitForEndOfInput() {
  char c;
  while (read(0, &c, 1) > 0) {
  }
}

int StartedByName() {
  if (const char* mark = getenv("TOVIRA_TEST_MARK")) std::ofstream(mark, std::ios::app) << "own " << getpid() << "\n";
  if (getenv("TOVIRA_TEST_LINGER"))
    for (;;) pause();
  return 0;
}

int Mutex(bool create, const std::string& name, bool wait) {
  if (wait) {
    char c;
    if (read(0, &c, 1) != 1) return 1;
  }
  TLockFileMutex mutex;
  if (create) {
    bool exists = false;
    intptr_t handle = mutex.CreateMutex(name, exists);
    Say(handle == 0 ? "failed" : exists ? "exists" : "first");
  } else {
    Say(mutex.OpenMutex(name) ? "opened" : "none");
  }
  WaitForEndOfInput();
  return 0;
}

const char* kLogindXml = "<node>"
                         "  <interface name='org.freedesktop.login1.Manager'>"
                         "    <method name='PowerOff'><arg type='b' name='interactive' direction='in'/></method>"
                         "  </interface>"
                         "</node>";

std::string gRecordFile;

void OnMethodCall(GDBusConnection*, const char*, const char*, const char*, const char* method, GVariant* parameters,
                  GDBusMethodInvocation* invocation, gpointer) {
  if (strcmp(method, "PowerOff") == 0) {
    gboolean interactive = FALSE;
    g_variant_get(parameters, "(b)", &interactive);
    std::ofstream(gRecordFile, std::ios::app) << "PowerOff " << (interactive ? "true" : "false") << "\n";
    g_dbus_method_invocation_return_value(invocation, nullptr);
    return;
  }
  g_dbus_method_invocation_return_dbus_error(invocation, "org.freedesktop.DBus.Error.UnknownMethod", method);
}

int Logind(const std::string& recordFile) {
  gRecordFile = recordFile;
  GError* error = nullptr;
  GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SYSTEM, nullptr, &error);
  if (!bus) return 1;
  GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(kLogindXml, nullptr);
  static const GDBusInterfaceVTable vtable = {OnMethodCall, nullptr, nullptr, {}};
  if (!g_dbus_connection_register_object(bus, "/org/freedesktop/login1", node->interfaces[0], &vtable, nullptr,
                                         nullptr, nullptr))
    return 1;
  GVariant* reply = g_dbus_connection_call_sync(
      bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "RequestName",
      g_variant_new("(su)", "org.freedesktop.login1", 4u /* DO_NOT_QUEUE */), G_VARIANT_TYPE("(u)"),
      G_DBUS_CALL_FLAGS_NONE, -1, nullptr, &error);
  if (!reply) return 1;
  guint32 result = 0;
  g_variant_get(reply, "(u)", &result);
  g_variant_unref(reply);
  if (result != 1 /* PRIMARY_OWNER */) return 1;
  Say("ready");
  GMainLoop* loop = g_main_loop_new(nullptr, FALSE);
  g_main_loop_run(loop);
  return 0;
}

} // namespace

int main(int argc, char** argv) {
  std::string mode = argc > 1 ? argv[1] : "";
  if (mode.empty()) return StartedByName();
  if ((mode == "mutex-create" || mode == "mutex-open") && argc > 2)
    return Mutex(mode == "mutex-create", argv[2], argc > 3 && std::string(argv[3]) == "wait");
  if (mode == "shell-open" && argc > 2) {
    TGioShell().ShellOpen(argv[2]);
    return 0;
  }
  if (mode == "poweroff") {
    const char* bus = getenv("DBUS_SYSTEM_BUS_ADDRESS");
    if (!bus || !*bus) return 3;
    TLogindShutdown().PowerOff();
    return 0;
  }
  if (mode == "logind" && argc > 2) return Logind(argv[2]);
  fprintf(stderr, "sys_helper: unknown mode\n");
  return 2;
}
