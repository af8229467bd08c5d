// Fuzz target for the settings reader: the input is the settings file as the user's settings
// folder holds it (every key, every sub-key, any text, Qt's typed @-values), and every value the
// program stores is read back through the reader the program uses for it. Each reader must give
// a value in its range, whatever the file says. A GUI application runs, as in the program.
#include "app/SdkSettingsValues.h"
#include "base/TOpSystem.h"

#include <QGuiApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {
void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

const char MainKey[] = "Software\\Orbel\\Ninefold Sudoku";

TString Read(const char *key, const char *name)
{
    return CurrentOS->ReadRegistryValue(TOpSystem::RootCurrentUser, key, name);
}

std::string &SettingsFile()
{
    static std::string file;
    return file;
}

struct Range
{
    const char *name;
    long long low;
    long long high;
};
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // A scratch settings folder in memory-backed storage: the user's settings are never read.
    const std::string base = (access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") +
                             std::string("/ninefold-settings-fuzz-") + std::to_string(getpid());
    mkdir(base.c_str(), 0700);
    mkdir((base + "/Orbel").c_str(), 0700);
    setenv("XDG_CONFIG_HOME", base.c_str(), 1);
    SettingsFile() = base + "/Orbel/Ninefold Sudoku.conf";
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "settings_fuzzer";
    static char *argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FILE *f = std::fopen(SettingsFile().c_str(), "wb");
    if (!f)
        return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);

    Check(SdkSettingsValues::SolveDelay(Read(MainKey, "SolveDelayMs")) <= 1000);
    const int language = SdkSettingsValues::Language(Read(MainKey, "Language"));
    Check(language >= -1 && language <= 1);
    (void)Read(MainKey, "InstallDir");
    (void)Read(MainKey, "Version");

    const std::string create = std::string(MainKey) + "\\CreateOptions";
    static const Range ranges[] = {{"FixCount", 10, 60},      {"Iterations", 1, 9999},
                                   {"MinBt", 0, 20},          {"MaxBt", -1, 20},
                                   {"MinDirectSteps", 0, 20}, {"StdLevel", 1, 3}};
    for (const Range &r : ranges) {
        const long long n = SdkSettingsValues::ParseNumber(
            QString::fromStdString(Read(create.c_str(), r.name).Str()));
        if (r.low >= 0) {
            const unsigned u = SdkSettingsValues::ClampU(n, unsigned(r.low), unsigned(r.high));
            Check(u >= r.low && u <= r.high);
        } else {
            const int s = SdkSettingsValues::ClampS(n, int(r.low), int(r.high));
            Check(s >= r.low && s <= r.high);
        }
    }
    (void)SdkSettingsValues::ParseNumber(
        QString::fromStdString(Read(create.c_str(), "IsProfiLevel").Str()));

    const std::string play = std::string(MainKey) + "\\PlayOptions";
    bool missing = false;
    for (const char *name :
         {"DeepCalc", "ViewRs", "ViewRsSingle", "ViewConflicts", "MarkActiveField"})
        (void)SdkSettingsValues::Flag(Read(play.c_str(), name), false, missing);
    const int colours = SdkSettingsValues::BoardColours(Read(play.c_str(), "BoardColours"));
    Check(colours >= 0 && colours <= 2);
    return 0;
}
