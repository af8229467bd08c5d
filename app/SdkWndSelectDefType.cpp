#include "app/SdkWndSelectDefType.h"

#include "app/SdkTexts.h"
#include "msgbox/VxWndMessage.h"
#include "velox/VxApp.h"
#include "velox/VxCtl.h"

TDYN_IMPLEMENT_NOCREATE(SdkWndSelectDefType, "VxWFrame");

namespace {
const SdkText SelectionError{
    "<size:4>\n</size><size:11><font:Arial><size:16><col:blue><b>Fehler bei der "
    "Auswahl</b></size></font><size:4>\n\n</size><size:11><col:lightred><b>Es wurde kein Modus "
    "ausgewählt.</size></b></col></font>",
    "<size:4>\n</size><size:11><font:Arial><size:16><col:blue><b>Selection "
    "Error</b></size></font><size:4>\n\n</size><size:11><col:lightred><b>You did not select a "
    "mode.</size></b></col></font>"};
} // namespace

SdkWndSelectDefType::SdkWndSelectDefType(short lang, short defMode, bool onlyNew, QWidget *parent)
    : VxWFrame(parent), language(lang == 1 ? 1 : 0), mode(defMode), newOnly(onlyNew)
{
    VxWaitCursor wait;
    LoadCustomWindow(QStringLiteral("SUDOKU_GAME_DEF_TYPE"));
}

void SdkWndSelectDefType::Localize()
{
    const int l = language;
    VxCtl::SetText(this, Tx({"Spieldefinition", "Game Definition"}, l));
    VxCtl::SetText(Child(QStringLiteral("GRP_MODE")), Tx({"Modus", "Mode"}, l));
    VxCtl::SetText(Child(QStringLiteral("RAD_NEW_FIX")),
                   Tx({"Neue Spieldefinition entwerfen", "Create a new game definition"}, l));
    VxCtl::SetText(Child(QStringLiteral("RAD_CONTINUE_FIX")),
                   Tx({"Bestehende Spieldefinition erweitern", "Edit current game definition"}, l));
    VxCtl::SetText(Child(QStringLiteral("BT_OK")), QStringLiteral("&OK"));
    VxCtl::SetText(Child(QStringLiteral("BT_CANCEL")), Tx(SdkTx::BtCancel, l));
}

bool SdkWndSelectDefType::EvInit()
{
    SetDialogResult(2);
    CalcMiddlePos();
    Localize();
    if (newOnly) {
        mode = 1;
        VxCtl::Enable(Child(QStringLiteral("RAD_CONTINUE_FIX")), false);
    }
    if (mode == 1)
        VxCtl::SetChecked(Child(QStringLiteral("RAD_NEW_FIX")), true);
    else if (mode == 2)
        VxCtl::SetChecked(Child(QStringLiteral("RAD_CONTINUE_FIX")), true);
    VxCtl::SetFocus(Child(QStringLiteral("RAD_NEW_FIX")));
    return true;
}

bool SdkWndSelectDefType::DoOK(VxEvent &)
{
    mode = VxCtl::IsChecked(FindChild(QStringLiteral("RAD_NEW_FIX")))        ? 1
           : VxCtl::IsChecked(FindChild(QStringLiteral("RAD_CONTINUE_FIX"))) ? 2
                                                                             : 0;
    if (mode == 0) {
        VxWndMessage::StartMsg(static_cast<unsigned short>(language),
                               Tx(SdkTx::InformationTitle, language), Tx(SelectionError, language),
                               this, 0, QSize(320, 230), false);
        return true;
    }
    SetDialogResult(1);
    Close(false);
    return true;
}
