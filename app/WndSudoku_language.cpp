// The German and English texts of the main window and the language switch.
#include "app/SdkBookletTexts.h"
#include "app/SdkDialogs.h"
#include "app/WndSudoku.h"

#include "base/TOpSystem.h"
#include "velox/VxCtl.h"

#include <QMenu>
#include <QMenuBar>

namespace {
struct ControlText
{
    const char *name;
    SdkText text;
};

const ControlText MainControls[] = {
    {"STAT_ACTIONS", {"Aktionen", "Actions"}},
    {"LABEL_SOLUTION_SPEED", {"Lösungsgeschwindigkeit:", "Solution-Speed:"}},
    {"LABEL_STATE_CHANGED", {"Verlauf:", "Progress:"}},
    {"LABEL_DEF_CHANGED", {"Def:", "Def:"}},
    {"BT_SAVE_GAME", {"Spiel &speichern", "&Save game"}},
    {"BT_SAVE_GAME_AS", {"Spiel s&peichern unter ...", "Save game &as ..."}},
    {"BT_LOAD_GAME", {"Spiel la&den ...", "Loa&d game ..."}},
    {"BT_REPLAY_GAME", {"Spiel &nochmal spielen", "Restart t&his game"}},
    {"BT_REPEAT_GAME", {"Spiel e&xakt wiederholen", "Repeat game e&xactly"}},
    {"BT_REDO", {">> 1 Schritt v&or", ">> 1 Step f&orward"}},
    {"BT_UNDO", {"<< 1 Schritt z&urück", "<< 1 Step &backward"}},
    {"BT_HINT", {"Tipp", "Hint"}},
};

const ControlText MainChecks[] = {
    {"CHK_VIEW_RS", {"Berechnete Kandida&ten zeigen", "View computed candidates"}},
    {"CHK_VIEW_RS_SINGLE", {"Sichere &Werte anzeigen", "Vie&w recognized values"}},
    {"CHK_VIEW_CONFLICTS", {"&Konflikte anzeigen", "View con&flicts"}},
    {"LABEL_BT_STEPS", {"berechnete BT-Schritte:", "computed BT-steps:"}},
    {"LABEL_RATING", {"Bewertung:", "Rating:"}},
};

// Set in this order; the later of two texts for one item stays.
const ControlText MainMenu[] = {
    {"MN_DATEI", {"D&atei", "&File"}},
    {"MN_SPIELABLAUF", {"Spielablau&f", "&Game"}},
    {"MN_HELP", {"&Hilfe", "&Help"}},
    {"MN_GAME_OPTIONS", {"Spiel-&Optionen ...", "Game-&Options ..."}},
    {"MN_PRINT", {"Dr&ucken ...", "&Print ..."}},
    {"MN_PRINT_RIDDLES", SdkTx::MenuPrintRiddles},
    {"MN_EXPORT_PDF", SdkTx::MenuExportPdf},
    {"MN_DOCUMENTATION", {"&Dokumentation ...", "&Documentation ..."}},
    {"MN_VERSION_HISTORY", {"&Versions-Historie ...", "&Version-History ..."}},
    {"MN_NS_HOMEPAGE", {"Ninefold Sudoku Ho&mepage ...", "Ninefold Sudoku Ho&mepage ..."}},
    {"MN_CHANGE_LANGUAGE", {"Sprache &wechseln ...", "Change l&anguage ..."}},
    {"MN_ABOUT", {"Übe&r NINEFOLD SUDOKU ...", "About NINEFOLD SUDO&KU ..."}},
    {"MN_EXIT", {"Beenden                ALT+F4", "Exit                ALT+F4"}},
    {"MN_REPLAY_GAME", {"Spiel &nochmal spielen (Rücksetzen)", "Restart t&his game"}},
    {"MN_NEXT_STEP", {"&Vorschlag für den nächsten Zug", "Proposal for the next move"}},
    {"MN_NEW_GAME", {"Rätseleingabe von Han&d ...", "Edit riddl&e manually ..."}},
    {"MN_CREATE_GAME", {"Neues &Rätsel ...", "New &riddle ..."}},
    {"MN_SAVE_GAME", {"Spiel &speichern", "&Save game"}},
    {"MN_SAVE_GAME_AS", {"Spiel s&peichern unter ...", "Save game &as ..."}},
    {"MN_LOAD_GAME", {"Spiel la&den ...", "Loa&d game ..."}},
    {"MN_REPLAY_GAME", {"Spiel &nochmal spielen", "Restart t&his game"}},
    {"MN_REPEAT_GAME", {"Spiel e&xakt wiederholen", "Repeat game e&xactly"}},
    {"MN_REDO", {">> 1 Schritt v&or", ">> 1 Step f&orward"}},
    {"MN_UNDO", {"<< 1 Schritt z&urück", "<< 1 Step &backward"}},
    {"MN_NEXT_STEP", {"&Vorschlag", "&Proposal"}},
    {"MN_SOLVE", {"&Lösung berechnen", "Co&mpute solution"}},
    {"MN_HINT", {"Tipp", "Hint"}},
};
} // namespace

void WndSudoku::Localize()
{
    VxCtl::SetText(this, TitleText());
    if (game->IsCompleted()) {
        ViewAsCompleted(true);
    } else {
        ViewAsIncompleted();
        EmptyStatus();
    }
    for (const ControlText &c : MainControls)
        VxCtl::SetText(Child(QLatin1String(c.name)), Text(c.text));
    VxCtl::SetText(Child(QStringLiteral("BT_NEW_GAME")),
                   Text(fixMode ? SdkTx::BtFinishDefinition : SdkTx::BtNewGame));

    struct EngineButton
    {
        const char *name;
        unsigned short bits;
        SdkText text;
    };
    const EngineButton engineButtons[] = {
        {"BT_SOLVE", TS_SOLVE | TS_SOLUTION, SdkTx::BtSolve},
        {"BT_NEXT_STEP", TS_NEXT_STEP, SdkTx::BtNextStep},
        {"BT_CREATE_GAME", TS_CREATE, SdkTx::BtCreateGame},
    };
    {
        TLocker<Sudoku> lock(*game);
        const bool running = game->IsThreadRunning();
        const unsigned short state = GetTimerState();
        for (const EngineButton &b : engineButtons) {
            QString text = Text(b.text);
            if (running && (state & b.bits))
                text = Text(game->IsThreadCancelled() ? SdkTx::BtPleaseWait : SdkTx::BtCancel);
            VxCtl::SetText(Child(QLatin1String(b.name)), text);
        }
    }
    for (const ControlText &c : MainChecks)
        VxCtl::SetText(Child(QLatin1String(c.name)), Text(c.text));
    for (const ControlText &c : MainMenu) {
        const QString name = QLatin1String(c.name);
        if (FindAction(name))
            SetMenuText(name, Text(c.text));
        else if (auto *menu = findChild<QMenu *>(name))
            menu->setTitle(Text(c.text));
    }
    LocalizeAids();
    if (QMenuBar *bar = menuBar())
        bar->update();
}

void WndSudoku::ChangeLanguage(bool)
{
    const short before = languageIndex;
    short index = languageIndex < 0 ? 0 : languageIndex;
    {
        SdkWndSelectLanguage dialog(index, this);
        if (dialog.StartModal() == 1)
            index = dialog.GetLanguage();
    }
    CurrentOS->WriteRegistryValue(TOpSystem::RootCurrentUser, SdkRegistryKey, "Language",
                                  index == 1 ? "English" : "German");
    languageIndex = index;
    if (index != before)
        Localize();
}

bool WndSudoku::DoChangeLanguage(VxEvent &)
{
    ChangeLanguage(true);
    return true;
}
