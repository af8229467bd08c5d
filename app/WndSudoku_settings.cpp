// Settings of the main window: the solution delay, the language, the installation folder and
// the play options.
#include "app/SdkPlatform.h"
#include "app/SdkSettingsValues.h"
#include "app/SdkWndOptions.h"
#include "app/WndSudoku.h"

#include "base/TOpSystem.h"
#include "msgbox/VxWndMessage.h"
#include "velox/VxCtl.h"
#include "velox/VxModal.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {
const SdkText UserRequestTitle{"Rückfrage an den Benutzer", "User Request"};
const SdkText ApplyOptionsQuestion{
    "<size:4>\n</size><size:11><font:Arial><size:16><col:blue><b>Die Standard-Einstellungen "
    "wurden gespeichert.</b></size></font><size:4>\n\n</size><size:11><col:magenta><b>Sollen die "
    "Anzeigeeinstellungen auch für die aktuelle Sitzung übernommen werden?</size></b></col></font>",
    "<size:4>\n</size><size:11><font:Arial><size:16><col:blue><b>Standard-settings have been "
    "saved.</b></size></font><size:4>\n\n</size><size:11><col:magenta><b>Do you want to use "
    "visualization settings for the current session too?</size></b></col></font>"};
const SdkText SelectInstallDirTitle{"SUDOKU Installationsverzeichnis wählen",
                                    "Select SUDOKU installation-path"};

TString ReadValue(const char *name)
{
    return CurrentOS->ReadRegistryValue(TOpSystem::RootCurrentUser, SdkRegistryKey, name);
}

void WriteValue(const char *name, const TString &value)
{
    CurrentOS->WriteRegistryValue(TOpSystem::RootCurrentUser, SdkRegistryKey, name, value);
}

QString ForwardSlashes(QString path)
{
    return path.replace(QLatin1Char('\\'), QLatin1Char('/'));
}
} // namespace

void WndSudoku::ReadDelay()
{
    game->SetDelayMs(SdkSettingsValues::SolveDelay(ReadValue("SolveDelayMs")));
}

void WndSudoku::WriteDelay()
{
    WriteValue("SolveDelayMs", TString::Format("%u", unsigned(game->GetDelayMs())));
}

bool WndSudoku::ReadLanguage()
{
    const int language = SdkSettingsValues::Language(ReadValue("Language"));
    if (language < 0)
        return false;
    languageIndex = static_cast<short>(language);
    return true;
}

// The installation folder holds "PreDefs", "ExampleGames" and "doku". The copy the program was
// started from wins (beside it in the build tree, share/ninefold-sudoku when installed), so an
// installed program never goes on using the data of a build tree that ran before it; the stored
// folder serves when the program cannot find its own data, and the user is asked only when
// neither exists.
void WndSudoku::ReadConfig()
{
    const QString stored = ForwardSlashes(QString::fromStdString(ReadValue("InstallDir").Str()));
    QString found = ForwardSlashes(SdkPlatform::FindInstallDir());
    if (found.isEmpty() && !stored.isEmpty() && QFileInfo(stored).isDir())
        found = stored;
    if (found.isEmpty()) {
        const QString start = QString::fromStdString(CurrentOS->GetProgramDir().Str());
        found =
            ForwardSlashes(VxFileDialog::GetDirectory(this, Text(SelectInstallDirTitle), start));
        if (found.isEmpty()) {
            installDir.clear();
            AddTimerState(TS_DESTROY);
            return;
        }
    }
    while (found.size() > 1 && found.endsWith(QLatin1Char('/')))
        found.chop(1);
    installDir = found;
    if (installDir != stored)
        WriteValue("InstallDir", installDir.toStdString());
    // The desktop opens game files with the program that is running, wherever it lies.
    SdkPlatform::RegisterFileType(QCoreApplication::applicationFilePath(),
                                  QStringLiteral("NinefoldSudokuFiles"), QStringLiteral(".sdk"));
}

bool WndSudoku::DoGameOptions(VxEvent &)
{
    auto options = std::make_unique<SdkWndOptions>(GetLanguage(), this);
    if (options->StartModal() != 1)
        return true;
    const unsigned short answer = VxWndMessage::StartMsg(
        static_cast<unsigned short>(GetLanguage()), Text(UserRequestTitle),
        Text(ApplyOptionsQuestion), DrawWindow() ? static_cast<QWidget *>(DrawWindow()) : this,
        VxWndMessage::ButtonsYesNo, QSize(450, 230), false);
    // The calculation is a property of the game, not of the display: it always applies.
    game->SetDeepCalcResultSets(options->GetDeepCalc());
    // Hiding a spoiler cannot wait for the next session.
    hideRating = options->GetHideRating();
    if (answer == VxWndMessage::ResultYes) {
        markActiveField = options->GetMarkActiveField();
        SetPlayAids(options->GetPlayAids());
        VxCtl::SetChecked(Child(QStringLiteral("CHK_VIEW_RS")), options->GetViewRs());
        VxCtl::SetChecked(Child(QStringLiteral("CHK_VIEW_RS_SINGLE")), options->GetViewRsSingle());
        VxCtl::SetChecked(Child(QStringLiteral("CHK_VIEW_CONFLICTS")), options->GetViewConflicts());
    }
    {
        TLocker<Sudoku> lock(*game);
        (void)game->StartGame(true, true, false);
    }
    RedrawGame(true);
    return true;
}
