// libFuzzer target: arbitrary file bytes, then a few profile calls with arbitrary arguments. Beyond
// what the sanitizers catch, it checks what must hold for any file: results within the buffer and
// ended as promised, a write read back as written, other keys untouched, a refused write leaving
// the file as it was, a repeated write changing nothing. Build and run with tests/ini/fuzz.sh.
#include "platform/ini/Profile.h"
#include "platform/ini/TIniFile.h"
#include "platform/ini/TProfileFile.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <fuzzer/FuzzedDataProvider.h>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

#define CHECK(condition)                                                                                              \
    do {                                                                                                              \
        if (!(condition)) {                                                                                           \
            fprintf(stderr, "check failed at line %d: %s\n", __LINE__, #condition);                                  \
            abort();                                                                                                  \
        }                                                                                                             \
    } while (0)

// The folder for the file: the one fuzz.sh made (on a memory file system where there is one, so
// that flushing costs nothing, and removed when the run ends), else a new one in /tmp.
std::string Folder()
{
    if (const char* folder = getenv("TOVIRA_FUZZ_DIR"))
        return folder;
    std::string pattern = "/tmp/tovira-fuzz-XXXXXX";
    if (!mkdtemp(pattern.data()))
        abort();
    return pattern;
}

std::string ReadFile(const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string Get(const char* section, const char* key, const std::string& file)
{
    std::vector<char> buf(1 << 16);
    const uint32_t n = GetPrivateProfileStringA(section, key, "", buf.data(), uint32_t(buf.size()), file.c_str());
    return std::string(buf.data(), n);
}

std::vector<std::string> Names(const std::string& list)
{
    std::vector<std::string> names;
    for (size_t at = 0; at < list.size();) {
        const size_t end = list.find('\0', at);
        names.push_back(list.substr(at, end - at));
        if (end == std::string::npos)
            break;
        at = end + 1;
    }
    return names;
}

std::string Unquote(std::string_view v)
{
    v = TProfileFile::Trim(v);
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    return std::string(v);
}

// A result in a buffer of size: within it and NUL-ended. A list of names also ends with two NULs:
// the last name's and one more, or, when it was cut, two after the part of the name that fitted.
void CheckResult(const char* buf, uint32_t size, uint32_t n, bool list)
{
    if (size == 0) {
        CHECK(n == 0);
        return;
    }
    CHECK(n < size);
    CHECK(buf[n] == '\0');
    if (list && n > 0)
        CHECK(buf[n - 1] == '\0' || (n == size - 2 && buf[n + 1] == '\0'));
}

void CheckedWrite(const char* section, const char* key, const char* value, const std::string& file)
{
    const std::string before = ReadFile(file);
    const std::vector<std::string> keys = section ? Names(Get(section, nullptr, file)) : std::vector<std::string>{};
    std::vector<std::string> values;
    for (const std::string& k : keys)
        values.push_back(Get(section, k.c_str(), file));

    const int ok = WritePrivateProfileStringA(section, key, value, file.c_str());
    if (!ok) {
        CHECK(ReadFile(file) == before);
        return;
    }
    const std::string after = ReadFile(file);
    if (!section) {
        CHECK(!key && !value && after == before); // the flush
        return;
    }
    if (key && value)
        CHECK(Get(section, key, file) == Unquote(value));
    else if (key)
        CHECK(Get(section, key, file).empty());
    else
        CHECK(Get(section, nullptr, file).empty());
    for (size_t i = 0; key && i < keys.size(); ++i)
        if (!TProfileFile::SameName(keys[i], TProfileFile::Trim(key)))
            CHECK(Get(section, keys[i].c_str(), file) == values[i]);
    CHECK(WritePrivateProfileStringA(section, key, value, file.c_str()) == 1);
    CHECK(ReadFile(file) == after);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string file = Folder() + "/Tovira.dat";
    FuzzedDataProvider in(data, size);
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out << in.ConsumeRandomLengthString(4096);
    }
    for (int op = 0; op < 6 && in.remaining_bytes() > 0; ++op) {
        auto text = [&]() -> std::optional<std::string> {
            if (in.ConsumeIntegralInRange(0, 7) == 0)
                return std::nullopt;
            return in.ConsumeRandomLengthString(24);
        };
        const auto section = text(), key = text(), value = text();
        const char* s = section ? section->c_str() : nullptr;
        const char* k = key ? key->c_str() : nullptr;
        const char* v = value ? value->c_str() : nullptr;
        const uint32_t bufSize = in.ConsumeIntegralInRange<uint32_t>(0, 40);
        // Exactly the size promised, so that the sanitizer sees any byte written past it.
        std::unique_ptr<char[]> buf(new char[bufSize]);
        switch (in.ConsumeIntegralInRange(0, 5)) {
        case 0: {
            const uint32_t n = GetPrivateProfileStringA(s, k, v, buf.get(), bufSize, file.c_str());
            // Without a key, a section without keys gives the default: no list.
            CheckResult(buf.get(), bufSize, n, !s);
            if (s && k && bufSize > 0)
                CHECK(strlen(buf.get()) == n);
            break;
        }
        case 1:
            GetPrivateProfileIntA(s, k, int(bufSize) - 20, file.c_str());
            break;
        case 2:
            CheckResult(buf.get(), bufSize, GetPrivateProfileSectionA(s, buf.get(), bufSize, file.c_str()), true);
            break;
        case 3:
            CheckResult(buf.get(), bufSize, GetPrivateProfileSectionNamesA(buf.get(), bufSize, file.c_str()), true);
            break;
        case 4:
            CheckedWrite(s, k, v, file);
            break;
        case 5: {
            const TIniFile ini(file);
            ini.ReadString(s ? s : "", k ? k : "", v ? v : "");
            ini.ReadInteger(s ? s : "", k ? k : "", 7);
            ini.ReadSection(s ? s : "");
            break;
        }
        }
    }
    return 0;
}
