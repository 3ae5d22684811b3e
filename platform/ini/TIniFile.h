#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

// Raised when a write to an INI file fails; the message names the file.
class EIniFileException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An INI file, read and written through the profile-string functions. It keeps nothing of the
// file itself, so what another program saves is seen by the next call.
//
// Texts are UTF-8. A value that is not valid UTF-8 is taken to be GBK (GB18030) text, as the
// files written on a Chinese Windows system hold it, and is converted.
class TIniFile {
public:
    explicit TIniFile(std::string fileName);

    const std::string& FileName() const { return FFileName; }

    // At most 2047 bytes of the value arrive, as through the 2048-byte buffer of the Windows programs.
    std::string ReadString(const std::string& section, const std::string& ident, const std::string& def) const;
    // "0x1E" (more than two characters) and "$1E" are hexadecimal, "-12" decimal; anything else,
    // and an absent key, give def.
    int32_t ReadInteger(const std::string& section, const std::string& ident, int32_t def) const;
    // An integer other than 0 is true.
    bool ReadBool(const std::string& section, const std::string& ident, bool def) const;
    // The names of the section's keys; empty when the section is absent or has none.
    std::vector<std::string> ReadSection(const std::string& section) const;
    // Whether the section has at least one key.
    bool SectionExists(const std::string& section) const;

    // The writes raise EIniFileException on failure.
    void WriteString(const std::string& section, const std::string& ident, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& ident, int32_t value);
    // Writes "1" or "0".
    void WriteBool(const std::string& section, const std::string& ident, bool value);
    // Flushes the file.
    void UpdateFile();

private:
    [[noreturn]] void WriteError() const;

    std::string FFileName;
};
