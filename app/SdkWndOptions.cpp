#include "app/SdkWndOptions.h"

#include "app/SdkSettingsValues.h"
#include "app/SdkTexts.h"
#include "app/WndSudoku.h"
#include "base/TOpSystem.h"
#include "velox/VxCtl.h"

#include <QApplication>
#include <QComboBox>
#include <algorithm>

TDYN_IMPLEMENT_NOCREATE(SdkWndOptions, "VxWFrame");

namespace {
const TString PlayOptionsKey = TString(SdkRegistryKey) + "\\PlayOptions";
constexpr char AidSameDigit[] = "HighlightSameDigit";
constexpr char AidUnits[] = "TintActiveUnits";
constexpr char AidDigitCounts[] = "ShowDigitCounts";
constexpr char AidPlayTime[] = "ShowPlayTime";
constexpr char BoardColoursValue[] = "BoardColours";
// The choices of "COMBO_BOARD_COLOURS", in the order of SdkBoardColours.
const SdkText *const ColoursChoices[] = {&SdkTx::BoardColoursStandard,
                                         &SdkTx::BoardColoursColourBlind, &SdkTx::BoardColoursDark};

struct AidBox
{
    const char *name;
    bool SdkPlayAids::*flag;
    SdkText text;
};
const AidBox AidBoxes[] = {
    {"CHK_AID_SAME_DIGIT",
     &SdkPlayAids::sameDigit,
     {"Felder mit der &Ziffer des aktiven Felds hervorheben",
      "Highlight fields with the active field's &digit"}},
    {"CHK_AID_UNITS",
     &SdkPlayAids::units,
     {"Zeile, Spalte und &Block des aktiven Felds tönen",
      "Tint &row, column and box of the active field"}},
    {"CHK_AID_DIGIT_COUNTS",
     &SdkPlayAids::digitCounts,
     {"A&nzahl der gesetzten Ziffern anzeigen", "Show the cou&nts of placed digits"}},
    {"CHK_AID_PLAY_TIME",
     &SdkPlayAids::playTime,
     {"S&pielzeit anzeigen", "Show the &playing time"}},
};

} // namespace

SdkWndOptions::SdkWndOptions(short lang, QWidget *parent)
    : VxWFrame(parent), language(lang == 1 ? 1 : 0)
{
    Load();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    LoadCustomWindow(QStringLiteral("SUDOKU_OPTIONS"));
    QApplication::restoreOverrideCursor();
}

void SdkWndOptions::Load()
{
    bool missing = false;
    auto read = [&missing](const char *name, bool fallback) {
        return SdkSettingsValues::Flag(
            CurrentOS->ReadRegistryValue(TOpSystem::RootCurrentUser, PlayOptionsKey, name),
            fallback, missing);
    };
    deepCalc = read("DeepCalc", false);
    viewRs = read("ViewRs", false);
    viewRsSingle = read("ViewRsSingle", false);
    viewConflicts = read("ViewConflicts", true);
    markActiveField = read("MarkActiveField", true);
    hideRating = read("HideRating", false);
    // The defaults are stored at once, so the settings file shows every option.
    if (missing)
        Save();
    // The aids are stored only once the user has chosen them. Only the playing time is on
    // until then: the clock is part of the game, the other aids change the board's picture.
    auto readAid = [](const char *name, bool fallback = false) {
        const TString text =
            CurrentOS->ReadRegistryValue(TOpSystem::RootCurrentUser, PlayOptionsKey, name);
        return text.IsEmpty() ? fallback : text.AsInt() != 0;
    };
    aids.sameDigit = readAid(AidSameDigit);
    aids.units = readAid(AidUnits);
    aids.digitCounts = readAid(AidDigitCounts);
    aids.playTime = readAid(AidPlayTime, true);
    aids.colours = SdkBoardColours(SdkSettingsValues::BoardColours(CurrentOS->ReadRegistryValue(
        TOpSystem::RootCurrentUser, PlayOptionsKey, BoardColoursValue)));
}

void SdkWndOptions::SaveAids() const
{
    auto write = [](const char *name, bool value) {
        CurrentOS->WriteRegistryValue(TOpSystem::RootCurrentUser, PlayOptionsKey, name,
                                      value ? "1" : "0");
    };
    write(AidSameDigit, aids.sameDigit);
    write(AidUnits, aids.units);
    write(AidDigitCounts, aids.digitCounts);
    write(AidPlayTime, aids.playTime);
    CurrentOS->WriteRegistryValue(TOpSystem::RootCurrentUser, PlayOptionsKey, BoardColoursValue,
                                  SdkSettingsValues::BoardColoursName(int(aids.colours)));
}

void SdkWndOptions::Save() const
{
    auto write = [](const char *name, bool value) {
        CurrentOS->WriteRegistryValue(TOpSystem::RootCurrentUser, PlayOptionsKey, name,
                                      value ? "1" : "0");
    };
    write("DeepCalc", deepCalc);
    write("ViewRs", viewRs);
    write("ViewRsSingle", viewRsSingle);
    write("ViewConflicts", viewConflicts);
    write("MarkActiveField", markActiveField);
    write("HideRating", hideRating);
}

void SdkWndOptions::Localize()
{
    const int l = language;
    VxCtl::SetText(this, Tx({"Spiel-Optionen", "Game-Options"}, l));
    VxCtl::SetText(Child(QStringLiteral("GRP_CALC")), Tx({"Berechnung", "Calculation"}, l));
    VxCtl::SetText(
        Child(QStringLiteral("GRP_VIEW")),
        Tx({"Standardeinstellungen für die Anzeige", "Standard-settings for visualization"}, l));
    VxCtl::SetText(
        Child(QStringLiteral("CHK_DEEP_CALC")),
        Tx({"erweiterte &Ergebnismengenberechnung", "&extended result-set calculation"}, l));
    VxCtl::SetText(Child(QStringLiteral("CHK_VIEW_RS")),
                   Tx({"Berechnete Kandida&ten zeigen", "View computed candidates"}, l));
    VxCtl::SetText(Child(QStringLiteral("CHK_VIEW_SINGLE_RS")),
                   Tx({"Sichere &Werte anzeigen", "Vie&w recognized values"}, l));
    VxCtl::SetText(Child(QStringLiteral("CHK_VIEW_CONFLICTS")),
                   Tx({"&Konflikte anzeigen", "View con&flicts"}, l));
    VxCtl::SetText(Child(QStringLiteral("CHK_MARK_ACTIVE_FIELD")),
                   Tx({"&Aktives Feld farblich hervorheben", "Mark &active field by colour"}, l));
    VxCtl::SetText(Child(QStringLiteral("GRP_AIDS")), Tx({"Spielhilfen", "Play aids"}, l));
    for (const AidBox &box : AidBoxes)
        VxCtl::SetText(Child(QLatin1String(box.name)), Tx(box.text, l));
    VxCtl::SetText(Child(QStringLiteral("CHK_HIDE_RATING")),
                   Tx({"&Bewertung des Rätsels ausblenden", "&Hide the rating of the riddle"}, l));
    VxCtl::SetText(Child(QStringLiteral("LABEL_BOARD_COLOURS")), Tx(SdkTx::BoardColoursLabel, l));
    if (auto *combo = qobject_cast<QComboBox *>(Child(QStringLiteral("COMBO_BOARD_COLOURS")))) {
        combo->clear();
        for (const SdkText *choice : ColoursChoices)
            combo->addItem(Tx(*choice, l));
    }
    VxCtl::SetText(Child(QStringLiteral("BT_CANCEL")), Tx(SdkTx::BtCancel, l));
    VxCtl::SetText(Child(QStringLiteral("BT_OK")), QStringLiteral("&OK"));
}

bool SdkWndOptions::EvInit()
{
    SetDialogResult(2);
    CalcMiddlePos();
    Localize();
    Load();
    VxCtl::SetChecked(Child(QStringLiteral("CHK_DEEP_CALC")), deepCalc);
    VxCtl::SetChecked(Child(QStringLiteral("CHK_VIEW_RS")), viewRs);
    VxCtl::SetChecked(Child(QStringLiteral("CHK_VIEW_SINGLE_RS")), viewRsSingle);
    VxCtl::SetChecked(Child(QStringLiteral("CHK_VIEW_CONFLICTS")), viewConflicts);
    VxCtl::SetChecked(Child(QStringLiteral("CHK_MARK_ACTIVE_FIELD")), markActiveField);
    for (const AidBox &box : AidBoxes)
        VxCtl::SetChecked(Child(QLatin1String(box.name)), aids.*box.flag);
    VxCtl::SetChecked(Child(QStringLiteral("CHK_HIDE_RATING")), hideRating);
    if (auto *combo = qobject_cast<QComboBox *>(Child(QStringLiteral("COMBO_BOARD_COLOURS"))))
        combo->setCurrentIndex(int(aids.colours));
    VxCtl::SetFocus(Child(QStringLiteral("CHK_DEEP_CALC")));
    return true;
}

bool SdkWndOptions::DoOK(VxEvent &)
{
    deepCalc = VxCtl::IsChecked(Child(QStringLiteral("CHK_DEEP_CALC")));
    viewRs = VxCtl::IsChecked(Child(QStringLiteral("CHK_VIEW_RS")));
    viewRsSingle = VxCtl::IsChecked(Child(QStringLiteral("CHK_VIEW_SINGLE_RS")));
    viewConflicts = VxCtl::IsChecked(Child(QStringLiteral("CHK_VIEW_CONFLICTS")));
    markActiveField = VxCtl::IsChecked(Child(QStringLiteral("CHK_MARK_ACTIVE_FIELD")));
    for (const AidBox &box : AidBoxes)
        aids.*box.flag = VxCtl::IsChecked(Child(QLatin1String(box.name)));
    hideRating = VxCtl::IsChecked(Child(QStringLiteral("CHK_HIDE_RATING")));
    if (auto *combo = qobject_cast<QComboBox *>(Child(QStringLiteral("COMBO_BOARD_COLOURS"))))
        aids.colours = SdkBoardColours(std::clamp(combo->currentIndex(), 0, 2));
    Save();
    SaveAids();
    SetDialogResult(1);
    Close(false);
    return true;
}
