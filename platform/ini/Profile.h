#pragma once
#include <cstdint>

// The Windows profile-string functions, with their signatures (uint32_t for DWORD and UINT, int for
// BOOL) and their behaviour, over profile (INI) files of this platform: byte strings, the file name
// matched case-insensitively within its folder.
//
// Reading. A file that is missing or cannot be read reads as empty. Lines end in CR, LF or CRLF;
// blanks around names and values are trimmed; a line that starts with ';' is a comment; a header's
// name ends at its first ']'. Names match case-insensitively; the first section of a name and, in
// it, the first key of a name win. A key line needs an '=' and a name.
//
// Writing. The file is edited in place (every byte that the change does not touch is kept) and
// replaced atomically. A write that the file could not hold as given (a line break in a value or a
// name, a key that would read as a comment or header) is refused rather than written mangled.

// Copies the value of key into buf, without the blanks around it and without one pair of matching
// enclosing quotes, cut to size - 1 bytes and NUL-terminated; returns the number of bytes copied. An
// absent key gives def (NULL meaning ""), without its trailing blanks.
// key NULL: the names of the section's keys, each NUL-terminated, then one more NUL; def when the
// section has no keys. section NULL: the names of the sections, the same way. A list that does not
// fit is cut, its last name shortened, ended with two NULs, and size - 2 is returned.
uint32_t GetPrivateProfileStringA(const char* section, const char* key, const char* def, char* buf, uint32_t size,
                                  const char* file);

// The key's value read as an unsigned integer: blanks skipped, an optional sign, "0x", "0o" or "0b"
// for another base, digits up to the first that does not belong. def when the key is absent or empty.
uint32_t GetPrivateProfileIntA(const char* section, const char* key, int def, const char* file);

// The section's entries as "name=value" (values as in the file, quotes kept; a line without '=' as
// its bare text), listed as in GetPrivateProfileStringA with key NULL.
uint32_t GetPrivateProfileSectionA(const char* section, char* buf, uint32_t size, const char* file);

// The names of the sections, listed as in GetPrivateProfileStringA with section NULL.
uint32_t GetPrivateProfileSectionNamesA(char* buf, uint32_t size, const char* file);

// Sets key to value in section: replaces the value of an existing key in place, else adds the key
// after the section's last key line, else adds the section at the end of the file. value NULL
// deletes the key, key NULL the section. New lines end in CRLF. section, key and value all NULL:
// flush; every write is on the disk when it returns, so there is nothing left to do.
// Returns 0 on failure: a missing folder, a read-only file (its owner's write bit clear, as the
// Windows read-only attribute, refused even for root), a folder that cannot be written.
int WritePrivateProfileStringA(const char* section, const char* key, const char* value, const char* file);
