#include "app/SdkDialogs.h"

#include "app/SdkTexts.h"
#include "velox/VxCtl.h"
#include "velox/VxLink.h"

#include <QApplication>
#include <QComboBox>

TDYN_IMPLEMENT_NOCREATE(SdkCreateType, "VxWFrame");
TDYN_IMPLEMENT_NOCREATE(SdkCreateGameParam, "VxWFrame");
TDYN_IMPLEMENT_NOCREATE(SdkLoadParam, "VxWFrame");
TDYN_IMPLEMENT_NOCREATE(SdkWndSelectDefType, "VxWFrame");
TDYN_IMPLEMENT_NOCREATE(SdkWndSelectLanguage, "VxWFrame");
TDYN_IMPLEMENT_NOCREATE(SdkWndAbout, "VxWFrame");

namespace {
void LoadForm(VxWFrame *frame, const char *window)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    frame->LoadCustomWindow(QLatin1String(window));
    QApplication::restoreOverrideCursor();
}

void BeginDialog(VxWFrame *frame)
{
    frame->SetDialogResult(2);
    frame->CalcMiddlePos();
}

short Language(short language)
{
    return language == 1 ? 1 : 0;
}
} // namespace

// --- SdkCreateType --------------------------------------------------------------------------

SdkCreateType::SdkCreateType(short lang, short createType, int createLevel, QWidget *parent)
    : VxWFrame(parent), language(lang), type(createType), level(std::clamp(createLevel, 1, 3))
{
    LoadForm(this, "SUDOKU_GAME_CREATE_TYPE");
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

bool SdkCreateType::EvInit()
{
    BeginDialog(this);
    Localize();
    const bool computed = type == 2;
    VxCtl::SetChecked(
        Child(computed ? QStringLiteral("RAD_COMPUTED") : QStringLiteral("RAD_PREDEF")), true);
    for (const char *name : {"RAD_LEVEL_1", "RAD_LEVEL_2", "RAD_LEVEL_3"})
        VxCtl::Enable(Child(QLatin1String(name)), !computed);
    VxCtl::SetChecked(Child(QStringLiteral("RAD_LEVEL_%1").arg(level)), true);
    VxCtl::SetFocus(
        Child(computed ? QStringLiteral("RAD_PREDEF") : QStringLiteral("RAD_COMPUTED")));
    return true;
}

bool SdkCreateType::CheckType(VxEvent &event)
{
    QWidget *source = event.GetSourceWindow();
    if (!VxCtl::IsChecked(source))
        return true;
    const bool predefined =
        source->objectName().compare(QStringLiteral("RAD_PREDEF"), Qt::CaseInsensitive) == 0;
    for (const char *name : {"RAD_LEVEL_1", "RAD_LEVEL_2", "RAD_LEVEL_3"})
        VxCtl::Enable(Child(QLatin1String(name)), predefined);
    return true;
}

bool SdkCreateType::DoOK(VxEvent &)
{
    type = 0;
    level = 0;
    if (VxCtl::IsChecked(Child(QStringLiteral("RAD_PREDEF")))) {
        type = 1;
        level = 1;
        for (int l = 1; l <= 3; ++l)
            if (VxCtl::IsChecked(Child(QStringLiteral("RAD_LEVEL_%1").arg(l)))) {
                level = l;
                break;
            }
    } else if (VxCtl::IsChecked(Child(QStringLiteral("RAD_COMPUTED")))) {
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

// --- SdkCreateGameParam ---------------------------------------------------------------------

SdkCreateGameParam::SdkCreateGameParam(short lang, QWidget *parent)
    : VxWFrame(parent), language(Language(lang))
{
    LoadForm(this, "SUDOKU_CREATE_GAME_PARAMETERS");
}

void SdkCreateGameParam::GetMinMaxBtSteps(int &min, int &max) const
{
    if (profiLevel) {
        min = minBtSteps;
        max = maxBtSteps;
    } else if (stdLevel <= 1) {
        min = max = 0;
    } else if (stdLevel == 2) {
        min = 1;
        max = 3;
    } else {
        min = 4;
        max = -1;
    }
}

bool SdkCreateGameParam::EvInit()
{
    BeginDialog(this);
    VxCtl::SetText(Child(QStringLiteral("ED_FIX")), QString::number(fix));
    VxCtl::SetText(Child(QStringLiteral("ED_ATTEMPTS")), QString::number(attempts));
    VxCtl::SetText(Child(QStringLiteral("ED_MIN_DIRECT")), QString::number(minDirectSteps));
    VxCtl::SetText(Child(QStringLiteral("ED_MIN_BT")), QString::number(minBtSteps));
    VxCtl::SetText(Child(QStringLiteral("ED_MAX_BT")), QString::number(maxBtSteps));
    VxCtl::SetChecked(Child(QStringLiteral("RAD_LEVEL_%1").arg(std::min(stdLevel, 3u))), true);
    VxCtl::SetChecked(Child(profiLevel ? QStringLiteral("RAD_LEVEL_PROFI")
                                       : QStringLiteral("RAD_LEVEL_STANDARD")),
                      true);
    VxCtl::SetFocus(Child(QStringLiteral("ED_FIX")));
    return true;
}

bool SdkCreateGameParam::LevelStandardChecked(VxEvent &)
{
    return true;
}

bool SdkCreateGameParam::LevelProfiChecked(VxEvent &)
{
    return true;
}

bool SdkCreateGameParam::DoOK(VxEvent &)
{
    SetDialogResult(1);
    Close(false);
    return true;
}

// --- SdkLoadParam ---------------------------------------------------------------------------

SdkLoadParam::SdkLoadParam(short lang, const Sudoku &game, QWidget *parent)
    : VxWFrame(parent), language(Language(lang)), preview(game, false)
{
    LoadForm(this, "SUDOKU_LOAD_PARAMETERS");
}

bool SdkLoadParam::EvInit()
{
    BeginDialog(this);
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

bool SdkLoadParam::CurrentStateChecked(VxEvent &)
{
    return true;
}

bool SdkLoadParam::NewSolutionChecked(VxEvent &)
{
    return true;
}

bool SdkLoadParam::SolutionAndStateChecked(VxEvent &)
{
    return true;
}

bool SdkLoadParam::SolutionChecked(VxEvent &)
{
    return true;
}

bool SdkLoadParam::DoOK(VxEvent &)
{
    static const char *const radios[] = {"RAD_LOAD_CURRENT_STATE", "RAD_LOAD_NEW_SOLUTION",
                                         "RAD_LOAD_SOLUTION_AND_HISTORY", "RAD_LOAD_SOLUTION"};
    option = 0;
    for (short i = 0; i < 4; ++i)
        if (VxCtl::IsChecked(Child(QLatin1String(radios[i])))) {
            option = short(i + 1);
            break;
        }
    resetToStart = VxCtl::IsChecked(Child(QStringLiteral("CHK_RESET_TO_START")));
    SetDialogResult(1);
    Close(false);
    return true;
}

// --- SdkWndSelectDefType --------------------------------------------------------------------

SdkWndSelectDefType::SdkWndSelectDefType(short lang, short defMode, bool onlyNew, QWidget *parent)
    : VxWFrame(parent), language(Language(lang)), mode(defMode), newOnly(onlyNew)
{
    LoadForm(this, "SUDOKU_GAME_DEF_TYPE");
}

bool SdkWndSelectDefType::EvInit()
{
    BeginDialog(this);
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
    mode = VxCtl::IsChecked(Child(QStringLiteral("RAD_NEW_FIX")))        ? 1
           : VxCtl::IsChecked(Child(QStringLiteral("RAD_CONTINUE_FIX"))) ? 2
                                                                         : 0;
    if (mode == 0)
        return true;
    SetDialogResult(1);
    Close(false);
    return true;
}

// --- SdkWndSelectLanguage -------------------------------------------------------------------

SdkWndSelectLanguage::SdkWndSelectLanguage(short lang, QWidget *parent)
    : VxWFrame(parent), given(lang), selected(lang < 0 ? 1 : lang)
{
    LoadForm(this, "SUDOKU_SELECT_LANGUAGE");
}

bool SdkWndSelectLanguage::EvInit()
{
    BeginDialog(this);
    VxLinks::Bind(Child(QStringLiteral("BT_OK")), QLatin1String(VX_LINK_COMMAND), this,
                  VxHandler<&SdkWndSelectLanguage::DoOK>,
                  QStringLiteral("SdkWndSelectLanguage::DoOK"));
    if (auto *combo = qobject_cast<QComboBox *>(FindChild(QStringLiteral("COMBO_LANG")))) {
        const QString lead = QString::number(selected + 1);
        for (int i = 0; i < combo->count(); ++i)
            if (combo->itemText(i).trimmed().startsWith(lead)) {
                combo->setCurrentIndex(i);
                break;
            }
        combo->setFocus();
    }
    return true;
}

bool SdkWndSelectLanguage::DoOK(VxEvent &)
{
    auto *combo = qobject_cast<QComboBox *>(FindChild(QStringLiteral("COMBO_LANG")));
    const int number =
        combo ? combo->currentText().trimmed().section(QLatin1Char(' '), 0, 0).toInt() : 0;
    if (number <= 0)
        return true;
    selected = short(number - 1);
    SetDialogResult(1);
    Close(false);
    return true;
}

// --- SdkWndAbout ----------------------------------------------------------------------------

SdkWndAbout::SdkWndAbout(short lang, const QString &aboutTitle, unsigned versionCode,
                         QWidget *parent)
    : VxWFrame(parent), language(Language(lang)), title(aboutTitle)
{
    const QString hex = QString::asprintf("%04X", versionCode);
    QString major = hex.left(2);
    while (major.startsWith(QLatin1Char('0')))
        major.remove(0, 1);
    version = QStringLiteral("%1.%2").arg(major, hex.right(2));
    LoadForm(this, "SUDOKU_ABOUT");
}

void SdkWndAbout::Localize()
{
    VxCtl::SetText(this, Tx({"Über   $(TITLE)", "About   $(TITLE)"}, language)
                             .replace(QStringLiteral("$(TITLE)"), QLatin1String(SdkTx::Title)));
    VxCtl::SetText(Child(QStringLiteral("STAT_TITLE")), title + QStringLiteral("\nV. ") + version);
}

bool SdkWndAbout::EvInit()
{
    BeginDialog(this);
    Localize();
    return true;
}

bool SdkWndAbout::DoHomepageLButtonUp(VxEventMouse &)
{
    return true;
}
