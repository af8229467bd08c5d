#include "app/SdkLoadParam.h"

#include "app/SdkTexts.h"
#include "velox/VxApp.h"
#include "velox/VxCtl.h"

TDYN_IMPLEMENT_NOCREATE(SdkLoadParam, "VxWFrame");

namespace {
const char *const Radios[] = {"RAD_LOAD_CURRENT_STATE", "RAD_LOAD_NEW_SOLUTION",
                              "RAD_LOAD_SOLUTION_AND_HISTORY", "RAD_LOAD_SOLUTION"};
} // namespace

SdkLoadParam::SdkLoadParam(short lang, const Sudoku &game, QWidget *parent)
    : VxWFrame(parent), language(lang == 1 ? 1 : 0), preview(game, false)
{
    VxWaitCursor wait;
    LoadCustomWindow(QStringLiteral("SUDOKU_LOAD_PARAMETERS"));
}

SdkLoadParam::PreviewState SdkLoadParam::State() const
{
    if (preview.IsCompleted())
        return PreviewState::Completed;
    return preview.GetSolvedCount() > 0 ? PreviewState::PartlySolved : PreviewState::NotStarted;
}

void SdkLoadParam::Localize()
{
    const int l = language;
    auto set = [this](const char *name, const QString &text) {
        VxCtl::SetText(Child(QLatin1String(name)), text);
    };
    VxCtl::SetText(this, Tx({"Spiel-Optionen für das Laden", "Game options for loading"}, l));
    set("RAD_LOAD_CURRENT_STATE", Tx({"Das Spiel im zuletzt gespeicherten Spielverlauf laden",
                                      "Load the game in the last edited state"},
                                     l));
    set("RAD_LOAD_NEW_SOLUTION",
        Tx({"Das Spiel im Startmodus laden und mit der Lösung neu beginnen",
            "Load the game in start-mode in order to begin a new solution"},
           l));
    set("RAD_LOAD_SOLUTION_AND_HISTORY",
        Tx({"Das Spiel einschließlich der Lösung UND des Spielverlaufs zur Lösung laden",
            "Load the game including its solution AND the complete history of all single moves"},
           l));
    set("RAD_LOAD_SOLUTION",
        Tx({"Das Spiel einschließlich der Lösung aber OHNE Spielverlauf laden",
            "Load the game including its solution, but WITHOUT the solving-history"},
           l));
    set("CHK_RESET_TO_START", Tx({"Das Spiel auf den Anfang des Spielverlaufs zurücksetzen",
                                  "Reset the game to the beginning of the solving-history"},
                                 l));
    set("BT_OK", QStringLiteral("&OK"));

    SdkText state{};
    int colour = 9;
    switch (State()) {
    case PreviewState::Completed:
        state = {"Das Spiel ist vollständig gelöst.", "The game has been completely solved."};
        colour = 2;
        break;
    case PreviewState::PartlySolved:
        state = {"Das Spiel ist teilweise gelöst", "The game is partly solved."};
        colour = 12;
        break;
    case PreviewState::NotStarted:
        state = {"Das Spiel wurde noch nicht begonnen.", "The game has not yet started."};
        colour = 9;
        break;
    }
    QWidget *header = Child(QStringLiteral("STAT_TITLE_LINE"));
    VxCtl::SetText(header, Tx(state, l) + QLatin1Char('\n') +
                               Tx({"In welchem Modus soll das Spiel geladen werden?",
                                   "In which mode do you want to load the game?"},
                                  l));
    VxCtl::SetTextColor(header, colour);
}

bool SdkLoadParam::EvInit()
{
    SetDialogResult(2);
    CalcMiddlePos();
    Localize();
    QWidget *current = Child(QLatin1String(Radios[0]));
    QWidget *fresh = Child(QLatin1String(Radios[1]));
    QWidget *history = Child(QLatin1String(Radios[2]));
    QWidget *solution = Child(QLatin1String(Radios[3]));
    switch (State()) {
    case PreviewState::Completed:
        VxCtl::Enable(current, false);
        VxCtl::Enable(fresh, true);
        VxCtl::Enable(history, true);
        VxCtl::Enable(solution, true);
        VxCtl::SetChecked(solution, true);
        break;
    case PreviewState::PartlySolved:
        VxCtl::Enable(current, true);
        VxCtl::Enable(history, false);
        VxCtl::Enable(solution, false);
        VxCtl::SetChecked(current, true);
        break;
    case PreviewState::NotStarted: {
        const bool anyFix = preview.GetFixCount() > 0;
        VxCtl::Enable(current, false);
        VxCtl::Enable(fresh, anyFix);
        VxCtl::Enable(history, false);
        VxCtl::Enable(solution, false);
        if (anyFix)
            VxCtl::SetChecked(fresh, true);
        break;
    }
    }
    UpdateResetToStart();
    VxCtl::SetFocus(Child(QStringLiteral("BT_OK")));
    return true;
}

bool SdkLoadParam::EvClose()
{
    // Without a cancel button the choice must be confirmed.
    if (GetDialogResult() != 1)
        return true;
    return VxWFrame::EvClose();
}

bool SdkLoadParam::CanResetToStart() const
{
    return VxCtl::IsChecked(FindChild(QLatin1String(Radios[0]))) ||
           VxCtl::IsChecked(FindChild(QLatin1String(Radios[2])));
}

void SdkLoadParam::UpdateResetToStart()
{
    QWidget *reset = Child(QStringLiteral("CHK_RESET_TO_START"));
    const bool can = CanResetToStart();
    VxCtl::Enable(reset, can);
    if (!can)
        VxCtl::SetChecked(reset, false);
}

bool SdkLoadParam::CurrentStateChecked(VxEvent &)
{
    UpdateResetToStart();
    return true;
}

bool SdkLoadParam::NewSolutionChecked(VxEvent &)
{
    UpdateResetToStart();
    return true;
}

bool SdkLoadParam::SolutionAndStateChecked(VxEvent &)
{
    UpdateResetToStart();
    return true;
}

bool SdkLoadParam::SolutionChecked(VxEvent &)
{
    UpdateResetToStart();
    return true;
}

bool SdkLoadParam::DoOK(VxEvent &)
{
    option = None;
    for (short i = 0; i < 4; ++i)
        if (VxCtl::IsChecked(FindChild(QLatin1String(Radios[i])))) {
            option = short(i + 1);
            break;
        }
    resetToStart = VxCtl::IsChecked(FindChild(QStringLiteral("CHK_RESET_TO_START")));
    SetDialogResult(1);
    Close(false);
    return true;
}
