#include "platform/sys/TLogindShutdown.h"

#include <gio/gio.h>

namespace {
// Long enough for the manager to answer under load; a stuck bus holds the caller no longer.
constexpr int kReplyTimeoutMs = 5000;
}

void TLogindShutdown::PowerOff() {
  GError* error = nullptr;
  GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SYSTEM, nullptr, &error);
  if (!bus) {
    g_clear_error(&error);
    return;
  }
  // Waiting for the reply makes sure the request has left before a caller that is about to end
  // the program does so.
  GVariant* reply = g_dbus_connection_call_sync(bus, "org.freedesktop.login1", "/org/freedesktop/login1",
                                                "org.freedesktop.login1.Manager", "PowerOff",
                                                g_variant_new("(b)", FALSE), nullptr, G_DBUS_CALL_FLAGS_NONE,
                                                kReplyTimeoutMs, nullptr, &error);
  if (reply) g_variant_unref(reply);
  g_clear_error(&error);
  g_object_unref(bus);
}
