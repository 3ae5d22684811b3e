// Reading the thirteen settings of a typical settings file: through the profile functions (each
// call reads the file on its own, as on Windows), through TIniFile, and with GLib's key file parser
// loading the file once and looking the same keys up.
#include "platform/ini/Profile.h"
#include "platform/ini/TIniFile.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <glib.h>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

const char* const kTexts[] = {"Homepage", "ShutdownTime", "ExitPassword", "VendorName", "VendorURL", "SoftSite",
                              "SoftSiteURL"};
const char* const kIntegers[] = {"ShutdownAuto",   "AutoStart",      "IdleAutoHomepage",
                                 "IdleMinutes",    "ShowExitButton", "ShowVendorSite"};

// A settings file as the settings tool leaves it. (No comment line: GLib takes only '#' for one.)
const char kFile[] = "[Common]\r\n"
                     "Homepage=http://intranet.example.com/kiosk/index.html\r\n"
                     "ShutdownAuto=1\r\n"
                     "ShutdownTime=22:30\r\n"
                     "ExitPassword=k10sk-Adm1n\r\n"
                     "AutoStart=1\r\n"
                     "IdleAutoHomepage=1\r\n"
                     "IdleMinutes=5\r\n"
                     "ShowExitButton=0\r\n"
                     "ShowVendorSite=1\r\n"
                     "VendorName=\xE5\xB9\xBF\xE5\xB7\x9E\xE7\xA7\x91\xE6\x8A\x80\xE6\x9C\x89\xE9\x99\x90\xE5\x85\xAC\xE5\x8F\xB8\r\n"
                     "VendorURL=http://www.example.com/\r\n"
                     "SoftSite=\xE4\xBA\xA7\xE5\x93\x81\xE7\xBD\x91\xE7\xAB\x99\r\n"
                     "SoftSiteURL=http://www.example.com/kiosk/\r\n";

// The file lies in a folder of its own for the run.
class TSettingsFile {
public:
    explicit TSettingsFile(bool settled)
    {
        const char* base = std::getenv("TMPDIR");
        std::string folder = std::string(base && *base ? base : "/tmp") + "/tovira-bench-XXXXXX";
        if (mkdtemp(folder.data()))
            FFolder = folder;
        FPath = FFolder + "/Tovira.dat";
        std::ofstream(FPath, std::ios::binary) << kFile;
        // The profile functions trust a copy of the file only once it has been left alone for two
        // seconds; a settings file at a kiosk's start is far older than that.
        if (settled)
            std::this_thread::sleep_for(std::chrono::milliseconds(2100));
    }
    // Makes the file look just changed, so that nothing kept of it may be used.
    void Touch() const { utimensat(AT_FDCWD, FPath.c_str(), nullptr, 0); }
    ~TSettingsFile()
    {
        unlink(FPath.c_str());
        rmdir(FFolder.c_str());
    }
    const char* Path() const { return FPath.c_str(); }

private:
    std::string FFolder, FPath;
};

const TSettingsFile& Settings()
{
    static const TSettingsFile file(true);
    return file;
}

void ReadThroughProfileFunctions(const char* file)
{
    char buf[2048];
    for (const char* key : kTexts) {
        GetPrivateProfileStringA("Common", key, "", buf, sizeof buf, file);
        benchmark::DoNotOptimize(buf);
    }
    for (const char* key : kIntegers)
        benchmark::DoNotOptimize(GetPrivateProfileIntA("Common", key, 0, file));
}

void ProfileFunctions(benchmark::State& state)
{
    for (auto _ : state)
        ReadThroughProfileFunctions(Settings().Path());
    state.SetItemsProcessed(state.iterations() * 13);
}
BENCHMARK(ProfileFunctions);

// Every one of the thirteen calls reads and parses the file.
void ProfileFunctionsFreshFile(benchmark::State& state)
{
    static const TSettingsFile fresh(false);
    for (auto _ : state) {
        state.PauseTiming();
        fresh.Touch();
        state.ResumeTiming();
        ReadThroughProfileFunctions(fresh.Path());
    }
    state.SetItemsProcessed(state.iterations() * 13);
}
BENCHMARK(ProfileFunctionsFreshFile);

void IniFile(benchmark::State& state)
{
    const TIniFile ini(Settings().Path());
    for (auto _ : state) {
        if (!ini.SectionExists("Common"))
            state.SkipWithError("no section");
        for (const char* key : kTexts)
            benchmark::DoNotOptimize(ini.ReadString("Common", key, ""));
        for (const char* key : kIntegers)
            benchmark::DoNotOptimize(ini.ReadInteger("Common", key, 0));
    }
    state.SetItemsProcessed(state.iterations() * 13);
}
BENCHMARK(IniFile);

void GLibKeyFile(benchmark::State& state)
{
    const char* file = Settings().Path();
    for (auto _ : state) {
        GKeyFile* keys = g_key_file_new();
        if (!g_key_file_load_from_file(keys, file, G_KEY_FILE_NONE, nullptr))
            state.SkipWithError("not loaded");
        for (const char* key : kTexts) {
            gchar* value = g_key_file_get_string(keys, "Common", key, nullptr);
            benchmark::DoNotOptimize(value);
            g_free(value);
        }
        for (const char* key : kIntegers)
            benchmark::DoNotOptimize(g_key_file_get_integer(keys, "Common", key, nullptr));
        g_key_file_free(keys);
    }
    state.SetItemsProcessed(state.iterations() * 13);
}
BENCHMARK(GLibKeyFile);

} // namespace

BENCHMARK_MAIN();
