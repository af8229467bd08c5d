#include "app/SdkCreateType.h"

#include "app/SdkTexts.h"
#include "velox/VxApp.h"
#include "velox/VxCtl.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <algorithm>

TDYN_IMPLEMENT_NOCREATE(SdkCreateType, "VxWFrame");

SdkCreateType::SdkCreateType(short lang, short createType, int createLevel, QWidget *parent)
    : VxWFrame(parent), language(lang), type(createType), level(std::clamp(createLevel, 1, 3))
{
    VxWaitCursor wait;
    LoadCustomWindow(QStringLiteral("SUDOKU_GAME_CREATE_TYPE"));
    // The level radios lie inside the window that holds the type radios: without groups of
    // their own, Qt would count all five as one set and let a type click untick a level.
    auto *types = new QButtonGroup(this);
    auto *levels = new QButtonGroup(this);
    for (const char *name : {"RAD_PREDEF", "RAD_COMPUTED"})
        if (auto *b = qobject_cast<QAbstractButton *>(FindChild(QLatin1String(name))))
            types->addButton(b);
    for (const char *name : {"RAD_LEVEL_1", "RAD_LEVEL_2", "RAD_LEVEL_3"})
        if (auto *b = qobject_cast<QAbstractButton *>(FindChild(QLatin1String(name))))
            levels->addButton(b);
}

short SdkCreateType::GetCreateType(int *outLevel) const
{
    if (outLevel)
        *outLevel = level;
    return type;
}

void SdkCreateType::Localize()
{
    const int l = language;
    VxCtl::SetText(
        this, Tx({"Typ der Rätselerzeugung auswählen", "Select the type of game creation"}, l));
    VxCtl::SetText(Child(QStringLiteral("RAD_PREDEF")),
                   Tx({"&Schnellverfahren", "&Fast riddle-creation"}, l));
    VxCtl::SetText(Child(QStringLiteral("RAD_COMPUTED")),
                   Tx({"Ein neues Rätsel mit Benutzeroptionen &berechnen",
                       "C&alculate a new riddle with user defined options"},
                      l));
    VxCtl::SetText(Child(QStringLiteral("RAD_LEVEL_1")),
                   Tx({"Schwierigkeitsstufe 1 (einfach)", "Level 1 (simple)"}, l));
    VxCtl::SetText(Child(QStringLiteral("RAD_LEVEL_2")),
                   Tx({"Schwierigkeitsstufe 2 (mittel)", "Level 2 (medium)"}, l));
    VxCtl::SetText(Child(QStringLiteral("RAD_LEVEL_3")),
                   Tx({"Schwierigkeitsstufe 3 (schwierig)", "Level 3 (difficult)"}, l));
    VxCtl::SetText(Child(QStringLiteral("BT_OK")), QStringLiteral("&OK"));
    VxCtl::SetText(Child(QStringLiteral("BT_CANCEL")), Tx(SdkTx::BtCancel, l));
}

void SdkCreateType::EnableLevels(bool enable)
{
    for (const char *name : {"RAD_LEVEL_1", "RAD_LEVEL_2", "RAD_LEVEL_3"})
        VxCtl::Enable(Child(QLatin1String(name)), enable);
}

bool SdkCreateType::EvInit()
{
    SetDialogResult(2);
    CalcMiddlePos();
    Localize();
    const bool computed = type == 2;
    VxCtl::SetChecked(
        Child(computed ? QStringLiteral("RAD_COMPUTED") : QStringLiteral("RAD_PREDEF")), true);
    EnableLevels(!computed);
    VxCtl::SetChecked(Child(QStringLiteral("RAD_LEVEL_%1").arg(level)), true);
    // The keyboard starts on the other choice, one key away from changing it.
    VxCtl::SetFocus(
        Child(computed ? QStringLiteral("RAD_PREDEF") : QStringLiteral("RAD_COMPUTED")));
    return true;
}

bool SdkCreateType::CheckType(VxEvent &event)
{
    QWidget *source = event.GetSourceWindow();
    if (!source || !VxCtl::IsChecked(source))
        return true;
    EnableLevels(source->objectName().compare(QStringLiteral("RAD_PREDEF"), Qt::CaseInsensitive) ==
                 0);
    return true;
}

bool SdkCreateType::DoOK(VxEvent &)
{
    type = 0;
    level = 0;
    if (VxCtl::IsChecked(FindChild(QStringLiteral("RAD_PREDEF")))) {
        type = 1;
        level = 1;
        for (int l = 1; l <= 3; ++l)
            if (VxCtl::IsChecked(FindChild(QStringLiteral("RAD_LEVEL_%1").arg(l)))) {
                level = l;
                break;
            }
    } else if (VxCtl::IsChecked(FindChild(QStringLiteral("RAD_COMPUTED")))) {
        type = 2;
    }
    if (type == 0)
        return true;
    SetDialogResult(1);
    Close(false);
    return true;
}

bool SdkCreateType::DoCancel(VxEvent &)
{
    type = 2;
    level = 0;
    Close(false);
    return true;
}
