// Settings of the main window: the solution delay, the language and the installation folder.
#include "app/WndSudoku.h"

#include "base/TOpSystem.h"

namespace {
TString ReadValue(const char *name)
{
    return CurrentOS->ReadRegistryValue(TOpSystem::RootCurrentUser, SdkRegistryKey, name);
}

void WriteValue(const char *name, const TString &value)
{
    CurrentOS->WriteRegistryValue(TOpSystem::RootCurrentUser, SdkRegistryKey, name, value);
}
} // namespace

void WndSudoku::ReadDelay()
{
    const TString text = ReadValue("SolveDelayMs");
    unsigned delay = 200;
    if (!text.IsEmpty())
        delay = std::min(text.AsUint() & 0xFFFFu, 1000u);
    game->SetDelayMs(static_cast<uint16_t>(delay));
}

void WndSudoku::WriteDelay()
{
    WriteValue("SolveDelayMs", TString::Format("%u", unsigned(game->GetDelayMs())));
}

bool WndSudoku::ReadLanguage()
{
    const TString value = ReadValue("Language");
    if (value.Stricmp("German") == 0 || value.Stricmp("Deutsch") == 0) {
        languageIndex = 0;
        return true;
    }
    if (value.Stricmp("English") == 0 || value.Stricmp("Englisch") == 0) {
        languageIndex = 1;
        return true;
    }
    return false;
}

void WndSudoku::ReadConfig()
{
    installDir = QString::fromStdString(ReadValue("InstallDir").Str());
    if (!installDir.isEmpty())
        return;
    const TString dir = CurrentOS->GetProgramDir();
    const TString name = CurrentOS->GetProgramName();
    if (!dir.IsEmpty() && !name.IsEmpty() && CurrentOS->ExistsPath(dir + "/" + name)) {
        installDir = QString::fromStdString(dir.Str()).replace(QLatin1Char('\\'), QLatin1Char('/'));
        WriteValue("InstallDir", installDir.toStdString());
    }
}

bool WndSudoku::DoGameOptions(VxEvent &)
{
    return true;
}
