#include "platform/sys/TGioShell.h"

#include <gio/gio.h>
#include <strings.h>

std::string TGioShell::AddressToUri(const std::string& address) {
  size_t first = address.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  size_t last = address.find_last_not_of(" \t\r\n");
  std::string a = address.substr(first, last - first + 1);
  // Before the scheme test, which would take "www.example.com:8080" for a scheme of that name.
  if (strncasecmp(a.c_str(), "www.", 4) == 0) return "http://" + a;
  if (strncasecmp(a.c_str(), "ftp.", 4) == 0) return "ftp://" + a;
  if (char* scheme = g_uri_parse_scheme(a.c_str())) {
    g_free(scheme);
    return a;
  }
  GFile* file = g_file_new_for_path(a.c_str());
  char* uri = g_file_get_uri(file);
  std::string result = uri ? uri : "";
  g_free(uri);
  g_object_unref(file);
  return result;
}

void TGioShell::ShellOpen(const std::string& address) {
  std::string uri = AddressToUri(address);
  if (uri.empty()) return;
  GError* error = nullptr;
  g_app_info_launch_default_for_uri(uri.c_str(), nullptr, &error);
  if (error) g_error_free(error);
}
