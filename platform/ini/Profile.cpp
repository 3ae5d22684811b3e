#include "platform/ini/Profile.h"

#include "platform/ini/TAtomicFile.h"
#include "platform/ini/TProfileCache.h"
#include "platform/ini/TProfileFile.h"

#include <algorithm>
#include <cstring>
#include <unistd.h>
#include <string_view>

namespace {

std::shared_ptr<const TProfileFile> Load(const char* file) { return TProfileCache::Instance().Load(file); }

std::string_view Unquote(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

std::string_view Default(const char* def)
{
    std::string_view s = def ? def : "";
    while (!s.empty() && TProfileFile::IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// size is at least 1.
uint32_t CopyString(std::string_view s, char* buf, uint32_t size)
{
    const size_t n = std::min<size_t>(s.size(), size - 1);
    memcpy(buf, s.data(), n);
    buf[n] = '\0';
    return uint32_t(n);
}

// Names one after the other, each ended by a NUL, then one more NUL. A list that does not fit ends
// with the part of the name that does and two NULs, and counts as size - 2, as on Windows. size is
// at least 1.
template <class TItems> uint32_t CopyList(const TItems& items, char* buf, uint32_t size)
{
    size_t pos = 0;
    for (std::string_view item : items) {
        if (pos + item.size() + 2 <= size) {
            memcpy(buf + pos, item.data(), item.size());
            buf[pos + item.size()] = '\0';
            pos += item.size() + 1;
            continue;
        }
        if (size < 2) {
            buf[0] = '\0';
            return 0;
        }
        const size_t fits = pos + 2 <= size ? size - 2 - pos : 0;
        memcpy(buf + pos, item.data(), fits);
        buf[size - 2] = buf[size - 1] = '\0';
        return size - 2;
    }
    buf[pos] = '\0';
    return uint32_t(pos);
}

} // namespace

uint32_t GetPrivateProfileStringA(const char* section, const char* key, const char* def, char* buf, uint32_t size,
                                  const char* file)
{
    if (!buf || size == 0)
        return 0;
    if (!section)
        return GetPrivateProfileSectionNamesA(buf, size, file);
    const auto profile = Load(file);
    if (key) {
        const auto value = profile->Value(section, key);
        return CopyString(value ? Unquote(*value) : Default(def), buf, size);
    }
    if (const auto names = profile->KeyNames(section); !names.empty())
        return CopyList(names, buf, size);
    // A section without keys gives the default, ended like a list.
    const uint32_t n = CopyString(Default(def), buf, size);
    if (n + 1 < size)
        buf[n + 1] = '\0';
    return n;
}

uint32_t GetPrivateProfileIntA(const char* section, const char* key, int def, const char* file)
{
    // Windows reads the value into a buffer of this size, so longer values are cut alike.
    char buf[30];
    if (!section || !key || GetPrivateProfileStringA(section, key, "", buf, sizeof buf, file) == 0)
        return uint32_t(def);
    const char* p = buf;
    while (*p && static_cast<unsigned char>(*p) <= ' ')
        ++p;
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    unsigned base = 10;
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X' || p[1] == 'o' || p[1] == 'O' || p[1] == 'b' || p[1] == 'B')) {
        base = (p[1] == 'x' || p[1] == 'X') ? 16 : (p[1] == 'o' || p[1] == 'O') ? 8 : 2;
        p += 2;
    }
    uint32_t value = 0;
    for (;; ++p) {
        const char c = *p;
        const unsigned digit = c >= '0' && c <= '9'   ? unsigned(c - '0')
                               : c >= 'a' && c <= 'f' ? unsigned(c - 'a' + 10)
                               : c >= 'A' && c <= 'F' ? unsigned(c - 'A' + 10)
                                                      : 99;
        if (digit >= base)
            break;
        value = value * base + digit;
    }
    return negative ? 0u - value : value;
}

uint32_t GetPrivateProfileSectionA(const char* section, char* buf, uint32_t size, const char* file)
{
    if (!buf || size == 0)
        return 0;
    if (!section)
        return CopyList(std::vector<std::string_view>{}, buf, size);
    return CopyList(Load(file)->Entries(section), buf, size);
}

uint32_t GetPrivateProfileSectionNamesA(char* buf, uint32_t size, const char* file)
{
    if (!buf || size == 0)
        return 0;
    return CopyList(Load(file)->SectionNames(), buf, size);
}

int WritePrivateProfileStringA(const char* section, const char* key, const char* value, const char* file)
{
    if (!file || !*file)
        return 0;
    TProfileCache::Instance().Forget(file);
    // The flush: every write is on the disk when it returns, so there is nothing left to write.
    if (!section && !key && !value)
        return 1;
    if (!section || !TProfileFile::IsWritableSection(section) || (key && !TProfileFile::IsWritableKey(key)) ||
        (key && value && !TProfileFile::IsWritableValue(value)))
        return 0;
    const TAtomicFile target(file, TAtomicFile::TUse::Write);
    // Checked before the edit, so that a read-only file refuses even a change that changes nothing.
    if (!target.CanReplace())
        return 0;
    std::string text;
    if (!target.Read(text) && access(target.Path().c_str(), F_OK) == 0)
        return 0;
    TProfileFile profile(std::move(text));
    const bool changed = !key     ? profile.DeleteSection(section)
                         : !value ? profile.DeleteKey(section, key)
                                  : profile.SetValue(section, key, value);
    return !changed || target.Replace(profile.Text()) ? 1 : 0;
}
