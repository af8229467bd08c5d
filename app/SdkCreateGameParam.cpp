#include "app/SdkCreateGameParam.h"

#include "app/SdkSettingsValues.h"
#include "app/SdkTexts.h"
#include "app/WndSudoku.h"
#include "base/TOpSystem.h"
#include "velox/VxApp.h"
#include "velox/VxCtl.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <algorithm>
#include <limits>

TDYN_IMPLEMENT_NOCREATE(SdkCreateGameParam, "VxWFrame");

namespace {
const TString CreateOptionsKey = TString(SdkRegistryKey) + "\\CreateOptions";

constexpr unsigned FixLow = 10, FixHigh = 60;
constexpr unsigned AttemptsLow = 1, AttemptsHigh = 9999;
constexpr int MinBtLow = 0, MinBtHigh = 20;
constexpr int MaxBtLow = -1, MaxBtHigh = 20;
constexpr int MinDirectLow = 0, MinDirectHigh = 20;
constexpr unsigned LevelLow = 1, LevelHigh = 3;

using SdkSettingsValues::ClampS;
using SdkSettingsValues::ClampU;
using SdkSettingsValues::ParseNumber;

QString ReadValue(const char *name)
{
    return QString::fromStdString(
        CurrentOS->ReadRegistryValue(TOpSystem::RootCurrentUser, CreateOptionsKey, name).Str());
}

void WriteValue(const char *name, const QString &value)
{
    CurrentOS->WriteRegistryValue(TOpSystem::RootCurrentUser, CreateOptionsKey, name,
                                  value.toStdString());
}

QString EditText(VxWFrame *frame, const char *name)
{
    return VxCtl::GetText(frame->FindChild(QLatin1String(name)));
}
} // namespace

SdkCreateGameParam::SdkCreateGameParam(short lang, QWidget *parent)
    : VxWFrame(parent), language(lang == 1 ? 1 : 0)
{
    VxWaitCursor wait;
    LoadCustomWindow(QStringLiteral("SUDOKU_CREATE_GAME_PARAMETERS"));
    // The level radios lie inside the window that holds the mode radios: each set gets its own
    // group, or Qt would count all five as one.
    auto *modes = new QButtonGroup(this);
    auto *levels = new QButtonGroup(this);
    for (const char *name : {"RAD_LEVEL_STANDARD", "RAD_LEVEL_PROFI"})
        if (auto *b = qobject_cast<QAbstractButton *>(FindChild(QLatin1String(name))))
            modes->addButton(b);
    for (const char *name : {"RAD_LEVEL_1", "RAD_LEVEL_2", "RAD_LEVEL_3"})
        if (auto *b = qobject_cast<QAbstractButton *>(FindChild(QLatin1String(name))))
            levels->addButton(b);
}

unsigned SdkCreateGameParam::_CheckURange(unsigned value, unsigned low, unsigned high)
{
    return value < low ? low : value > high ? high : value;
}

int SdkCreateGameParam::_CheckRange(int value, int low, int high)
{
    return value < low ? low : value > high ? high : value;
}

void SdkCreateGameParam::GetMinMaxBtSteps(int &min, int &max) const
{
    if (profiLevel) {
        min = minBtSteps;
        max = maxBtSteps;
    } else if (stdLevel <= 1) {
        min = 0;
        max = 0;
    } else if (stdLevel == 2) {
        min = 1;
        max = 3;
    } else {
        min = 4;
        max = -1;
    }
}

void SdkCreateGameParam::SetFix(unsigned value)
{
    fix = _CheckURange(value, FixLow, FixHigh);
}

void SdkCreateGameParam::SetAttempts(unsigned value)
{
    attempts = _CheckURange(value, AttemptsLow, AttemptsHigh);
}

void SdkCreateGameParam::SetMinBtSteps(int value)
{
    minBtSteps = _CheckRange(value, MinBtLow, MinBtHigh);
}

void SdkCreateGameParam::SetMaxBtSteps(int value)
{
    maxBtSteps = _CheckRange(value, MaxBtLow, MaxBtHigh);
}

void SdkCreateGameParam::SetMinDirectSteps(int value)
{
    minDirectSteps = _CheckRange(value, MinDirectLow, MinDirectHigh);
}

void SdkCreateGameParam::SetStdLevel(unsigned value)
{
    stdLevel = _CheckURange(value, LevelLow, LevelHigh);
}

void SdkCreateGameParam::LoadSettings()
{
    QString text;
    if (!(text = ReadValue("FixCount")).isEmpty())
        fix = ClampU(ParseNumber(text), FixLow, FixHigh);
    if (!(text = ReadValue("Iterations")).isEmpty())
        attempts = ClampU(ParseNumber(text), AttemptsLow, AttemptsHigh);
    if (!(text = ReadValue("MinBt")).isEmpty())
        minBtSteps = ClampS(ParseNumber(text), MinBtLow, MinBtHigh);
    if (!(text = ReadValue("MaxBt")).isEmpty())
        maxBtSteps = ClampS(ParseNumber(text), MaxBtLow, MaxBtHigh);
    if (!(text = ReadValue("MinDirectSteps")).isEmpty())
        minDirectSteps = ClampS(ParseNumber(text), MinDirectLow, MinDirectHigh);
    if (!(text = ReadValue("IsProfiLevel")).isEmpty())
        profiLevel = ParseNumber(text) != 0;
    if (!(text = ReadValue("StdLevel")).isEmpty())
        stdLevel = ClampU(ParseNumber(text), LevelLow, LevelHigh);
}

void SdkCreateGameParam::SaveSettings() const
{
    WriteValue("FixCount", QString::asprintf("%u", fix));
    WriteValue("Iterations", QString::asprintf("%u", attempts));
    WriteValue("MinBt", QString::asprintf("%d", minBtSteps));
    WriteValue("MaxBt", QString::asprintf("%d", maxBtSteps));
    WriteValue("MinDirectSteps", QString::asprintf("%d", minDirectSteps));
    WriteValue("IsProfiLevel", QString::asprintf("%u", profiLevel ? 1u : 0u));
    WriteValue("StdLevel", QString::asprintf("%u", stdLevel));
}

void SdkCreateGameParam::Localize()
{
    const int l = language;
    auto set = [this](const char *name, const QString &text) {
        VxCtl::SetText(Child(QLatin1String(name)), text);
    };
    VxCtl::SetText(this, Tx({"Optionen zur Berechnung eines neuen SUDOKU-Rätsels",
                             "Options for computing a new SUDOKU-Game"},
                            l));
    set("GRP_CALC_SETTINGS", Tx({"Berechnungseinstellungen", "Computing Settings"}, l));
    set("LABEL_FIX", Tx({"Anzahl der vorgegebenen Zahlen:", "Number of predefined values:"}, l));
    set("LABEL_ATTEMPTS",
        Tx({"Maximale Anzahl der Testiterationen:", "Maximum number of test-iterations:"}, l));
    set("LABEL_MIN_DIRECT",
        Tx({"Mindestzahl direkt lösbarer Werte:", "Minimum directly solvable values:"}, l));
    set("LABEL_LEVEL", Tx({"Typ Schwierigkeitsgrad:", "Type of severity:"}, l));
    set("RAD_LEVEL_STANDARD", Tx({"&Standard", "&Standard"}, l));
    set("RAD_LEVEL_PROFI", Tx({"&Erweitert", "&Extended"}, l));
    set("GRP_LEVEL_STANDARD", Tx({"Schwierigkeitsgrad Standard", "Severity Standard"}, l));
    set("GRP_LEVEL_PROFI", Tx({"Schwierigkeitsgrad Erweitert", "Severity Extended"}, l));
    set("RAD_LEVEL_1", Tx({"&leicht", "&low"}, l));
    set("RAD_LEVEL_2", Tx({"&mittel", "&medium"}, l));
    set("RAD_LEVEL_3", Tx({"sch&wer", "&high"}, l));
    set("LABEL_BACKTRACKING", QStringLiteral("Backtracking:"));
    set("LABEL_MIN_BT", QStringLiteral("min.:"));
    set("LABEL_MAX_BT", QStringLiteral("max.:"));
    set("BT_OK", QStringLiteral("&OK"));
    set("BT_CANCEL", Tx(SdkTx::BtCancel, l));
}

bool SdkCreateGameParam::EvInit()
{
    SetDialogResult(2);
    CalcMiddlePos();
    Localize();
    LoadSettings();
    VxCtl::SetText(Child(QStringLiteral("ED_FIX")), QString::asprintf("%u", fix));
    VxCtl::SetText(Child(QStringLiteral("ED_ATTEMPTS")), QString::asprintf("%u", attempts));
    VxCtl::SetText(Child(QStringLiteral("ED_MIN_DIRECT")), QString::asprintf("%d", minDirectSteps));
    VxCtl::SetText(Child(QStringLiteral("ED_MIN_BT")), QString::asprintf("%d", minBtSteps));
    VxCtl::SetText(Child(QStringLiteral("ED_MAX_BT")), QString::asprintf("%d", maxBtSteps));
    const char *levelRadio = stdLevel == 1   ? "RAD_LEVEL_1"
                             : stdLevel == 2 ? "RAD_LEVEL_2"
                                             : "RAD_LEVEL_3";
    VxCtl::SetChecked(Child(QLatin1String(levelRadio)), true);
    VxCtl::SetChecked(Child(profiLevel ? QStringLiteral("RAD_LEVEL_PROFI")
                                       : QStringLiteral("RAD_LEVEL_STANDARD")),
                      true);
    // A tick set by the program raises no click: show the mode's look here.
    ShowLevelMode(profiLevel);
    VxCtl::SetFocus(Child(QStringLiteral("ED_FIX")));
    return true;
}

void SdkCreateGameParam::ShowLevelMode(bool profi)
{
    VxCtl::SetTextColor(Child(QStringLiteral("GRP_LEVEL_PROFI")), profi ? 4 : 8);
    VxCtl::SetTextColor(Child(QStringLiteral("LABEL_BACKTRACKING")), profi ? 1 : 8);
    VxCtl::SetTextColor(Child(QStringLiteral("LABEL_MIN_BT")), profi ? 0 : 8);
    VxCtl::SetTextColor(Child(QStringLiteral("LABEL_MAX_BT")), profi ? 0 : 8);
    VxCtl::Enable(Child(QStringLiteral("ED_MIN_BT")), profi);
    VxCtl::Enable(Child(QStringLiteral("ED_MAX_BT")), profi);
    VxCtl::SetTextColor(Child(QStringLiteral("GRP_LEVEL_STANDARD")), profi ? 8 : 4);
    for (const char *name : {"RAD_LEVEL_1", "RAD_LEVEL_2", "RAD_LEVEL_3"})
        VxCtl::Enable(Child(QLatin1String(name)), !profi);
}

bool SdkCreateGameParam::LevelStandardChecked(VxEvent &)
{
    ShowLevelMode(false);
    return true;
}

bool SdkCreateGameParam::LevelProfiChecked(VxEvent &)
{
    ShowLevelMode(true);
    return true;
}

bool SdkCreateGameParam::DoOK(VxEvent &)
{
    fix = ClampU(ParseNumber(EditText(this, "ED_FIX")), FixLow, FixHigh);
    attempts = ClampU(ParseNumber(EditText(this, "ED_ATTEMPTS")), AttemptsLow, AttemptsHigh);
    minBtSteps = ClampS(ParseNumber(EditText(this, "ED_MIN_BT")), MinBtLow, MinBtHigh);
    maxBtSteps = ClampS(ParseNumber(EditText(this, "ED_MAX_BT")), MaxBtLow, MaxBtHigh);
    minDirectSteps =
        ClampS(ParseNumber(EditText(this, "ED_MIN_DIRECT")), MinDirectLow, MinDirectHigh);
    stdLevel = VxCtl::IsChecked(FindChild(QStringLiteral("RAD_LEVEL_1")))   ? 1
               : VxCtl::IsChecked(FindChild(QStringLiteral("RAD_LEVEL_2"))) ? 2
                                                                            : 3;
    profiLevel = VxCtl::IsChecked(FindChild(QStringLiteral("RAD_LEVEL_PROFI")));
    SaveSettings();
    SetDialogResult(1);
    Close(false);
    return true;
}
