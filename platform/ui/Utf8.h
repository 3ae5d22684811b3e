#pragma once
#include <cstdint>
#include <string>

// Byte-offset helpers for the UTF-8 texts that the edit controls hold. Offsets always sit on the
// first byte of a code point; a malformed byte counts as a code point of its own.
namespace utf8 {

inline bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

inline int Next(const std::string& s, int pos) {
  int n = int(s.size());
  if (pos >= n) return n;
  ++pos;
  while (pos < n && IsContinuation(static_cast<unsigned char>(s[pos]))) ++pos;
  return pos;
}

inline int Prev(const std::string& s, int pos) {
  if (pos <= 0) return 0;
  --pos;
  while (pos > 0 && IsContinuation(static_cast<unsigned char>(s[pos]))) --pos;
  return pos;
}

inline int Count(const std::string& s, int end = -1) {
  int n = end < 0 || end > int(s.size()) ? int(s.size()) : end;
  int count = 0;
  for (int i = 0; i < n; i = Next(s, i)) ++count;
  return count;
}

inline std::string Encode(uint32_t cp) {
  std::string out;
  if (cp < 0x80) {
    out += char(cp);
  } else if (cp < 0x800) {
    out += char(0xC0 | (cp >> 6));
    out += char(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += char(0xE0 | (cp >> 12));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  } else if (cp < 0x110000) {
    out += char(0xF0 | (cp >> 18));
    out += char(0x80 | ((cp >> 12) & 0x3F));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  }
  return out;
}

} // namespace utf8
