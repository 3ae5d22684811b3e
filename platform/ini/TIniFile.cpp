#include "platform/ini/TIniFile.h"

#include "platform/ini/Profile.h"

#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <memory>

namespace {

// The buffer through which a value is read: at most 2047 bytes of it arrive.
constexpr uint32_t kValueBuffer = 2048;
// The first buffer for a list of key names; it grows while the list does not fit.
constexpr uint32_t kListBuffer = 16384;

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF. With cut, a sequence that
// the end of the text breaks off counts as valid.
bool IsUtf8(const std::string& s, bool cut)
{
    size_t i = 0;
    while (i < s.size()) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        size_t length;
        uint32_t code, least;
        if ((c & 0xE0) == 0xC0)
            length = 2, code = c & 0x1F, least = 0x80;
        else if ((c & 0xF0) == 0xE0)
            length = 3, code = c & 0x0F, least = 0x800;
        else if ((c & 0xF8) == 0xF0)
            length = 4, code = c & 0x07, least = 0x10000;
        else
            return false;
        size_t j = 1;
        for (; j < length && i + j < s.size(); ++j) {
            const unsigned char d = static_cast<unsigned char>(s[i + j]);
            if ((d & 0xC0) != 0x80)
                return false;
            code = code << 6 | (d & 0x3F);
        }
        if (j < length)
            return cut;
        if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

// The integer conversion of the Windows programs' string-to-integer routine: leading spaces, a sign, then
// "$" and hexadecimal digits or decimal digits, nothing after them, within 32 bits.
int32_t StrToIntDef(const std::string& s, int32_t def)
{
    size_t i = 0;
    while (i < s.size() && s[i] == ' ')
        ++i;
    const bool negative = i < s.size() && s[i] == '-';
    if (i < s.size() && (s[i] == '-' || s[i] == '+'))
        ++i;
    const bool hex = i < s.size() && s[i] == '$';
    if (hex)
        ++i;
    if (i == s.size())
        return def;
    uint64_t value = 0;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        unsigned digit;
        if (c >= '0' && c <= '9')
            digit = unsigned(c - '0');
        else if (hex && c >= 'a' && c <= 'f')
            digit = unsigned(c - 'a' + 10);
        else if (hex && c >= 'A' && c <= 'F')
            digit = unsigned(c - 'A' + 10);
        else
            return def;
        value = value * (hex ? 16 : 10) + digit;
        if (value > (hex ? 0xFFFFFFFFull : 0x80000000ull))
            return def;
    }
    if (hex) {
        // Eight hexadecimal digits fill the 32 bits, so $FFFFFFFF is -1.
        const uint32_t bits = uint32_t(value);
        return int32_t(negative ? 0u - bits : bits);
    }
    if (!negative && value > 0x7FFFFFFF)
        return def;
    return int32_t(negative ? -int64_t(value) : int64_t(value));
}

// The text as it goes to the program: valid UTF-8 unchanged, else converted from GB18030; bytes
// that are neither stay as they are. cut tells that the text may end inside a character.
std::string ToUtf8(const std::string& text, bool cut)
{
    if (IsUtf8(text, cut))
        return text;
    const iconv_t cd = iconv_open("UTF-8", "GB18030");
    if (cd == iconv_t(-1))
        return text;
    std::string in = text;
    // A GB18030 character of n bytes takes at most 2n bytes in UTF-8.
    std::string out(text.size() * 2, '\0');
    char* from = in.data();
    char* to = out.data();
    size_t fromLeft = in.size(), toLeft = out.size();
    const bool converted = iconv(cd, &from, &fromLeft, &to, &toLeft) != size_t(-1) || (cut && errno == EINVAL);
    iconv_close(cd);
    if (!converted)
        return text;
    out.resize(out.size() - toLeft);
    return out;
}

} // namespace

TIniFile::TIniFile(std::string fileName) : FFileName(std::move(fileName)) {}

std::string TIniFile::ReadString(const std::string& section, const std::string& ident, const std::string& def) const
{
    char buf[kValueBuffer];
    const uint32_t n = GetPrivateProfileStringA(section.c_str(), ident.c_str(), def.c_str(), buf, sizeof buf,
                                                FFileName.c_str());
    return ToUtf8(std::string(buf, n), n == sizeof buf - 1);
}

int32_t TIniFile::ReadInteger(const std::string& section, const std::string& ident, int32_t def) const
{
    std::string text = ReadString(section, ident, "");
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        text = "$" + text.substr(2);
    return StrToIntDef(text, def);
}

bool TIniFile::ReadBool(const std::string& section, const std::string& ident, bool def) const
{
    return ReadInteger(section, ident, def ? 1 : 0) != 0;
}

std::vector<std::string> TIniFile::ReadSection(const std::string& section) const
{
    for (uint32_t size = kListBuffer;; size *= 2) {
        const auto buf = std::make_unique_for_overwrite<char[]>(size);
        const uint32_t n = GetPrivateProfileStringA(section.c_str(), nullptr, "", buf.get(), size, FFileName.c_str());
        // size - 2 is how a list that does not fit is told apart; it may also just fit, and a
        // bigger buffer settles which.
        if (n + 2 == size)
            continue;
        std::vector<std::string> names;
        for (const char* p = buf.get(); *p; p += strlen(p) + 1)
            names.push_back(ToUtf8(p, false));
        return names;
    }
}

bool TIniFile::SectionExists(const std::string& section) const { return !ReadSection(section).empty(); }

void TIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value)
{
    if (!WritePrivateProfileStringA(section.c_str(), ident.c_str(), value.c_str(), FFileName.c_str()))
        WriteError();
}

void TIniFile::WriteInteger(const std::string& section, const std::string& ident, int32_t value)
{
    WriteString(section, ident, std::to_string(value));
}

void TIniFile::WriteBool(const std::string& section, const std::string& ident, bool value)
{
    WriteString(section, ident, value ? "1" : "0");
}

void TIniFile::UpdateFile()
{
    if (!WritePrivateProfileStringA(nullptr, nullptr, nullptr, FFileName.c_str()))
        WriteError();
}

void TIniFile::WriteError() const { throw EIniFileException("Unable to write to " + FFileName); }
