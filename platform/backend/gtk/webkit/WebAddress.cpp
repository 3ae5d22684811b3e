#include "platform/backend/gtk/webkit/WebAddress.h"

#include <glib.h>

#include <cctype>

namespace {

bool IsSchemeChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.'; }

// Whether the text starts with a scheme and its colon. "host:8080" is a host and a port, not a
// scheme, unless the colon is followed by "//".
bool HasScheme(const std::string& s) {
  if (s.empty() || !std::isalpha(static_cast<unsigned char>(s[0]))) return false;
  size_t i = 1;
  while (i < s.size() && IsSchemeChar(s[i])) ++i;
  if (i >= s.size() || s[i] != ':') return false;
  if (s.compare(i + 1, 2, "//") == 0) return true;
  return i + 1 >= s.size() || !std::isdigit(static_cast<unsigned char>(s[i + 1]));
}

std::string FileAddress(const std::string& path) {
  gchar* absolute = g_canonicalize_filename(path.c_str(), nullptr);
  gchar* uri = g_filename_to_uri(absolute, nullptr, nullptr);
  std::string result = uri ? uri : "about:blank";
  g_free(uri);
  g_free(absolute);
  return result;
}

} // namespace

std::string EngineAddress(const std::string& text) {
  size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return "about:blank";
  std::string s = text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
  if (HasScheme(s)) return s;
  if (s[0] == '/' || g_file_test(s.c_str(), G_FILE_TEST_EXISTS)) return FileAddress(s);
  return "http://" + s;
}
