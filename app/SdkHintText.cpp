// The German and English words of a hint, built from the engine's step data.
#include "app/SdkHintText.h"

#include <QStringList>
#include <iterator>
#include <map>

namespace {
const SdkText TechniqueNames[] = {
    {"Keine", "None"},
    {"Letzter freier Platz", "Full house"},
    {"Versteckter Einer (Block)", "Hidden single (box)"},
    {"Versteckter Einer (Linie)", "Hidden single (line)"},
    {"Nackter Einer", "Naked single"},
    {"Block-Linien-Reduktion", "Pointing"},
    {"Linien-Block-Reduktion", "Claiming"},
    {"Nacktes Paar", "Naked pair"},
    {"X-Wing", "X-Wing"},
    {"Verstecktes Paar", "Hidden pair"},
    {"Nackter Drilling", "Naked triple"},
    {"Swordfish", "Swordfish"},
    {"Versteckter Drilling", "Hidden triple"},
    {"XY-Wing", "XY-Wing"},
    {"XYZ-Wing", "XYZ-Wing"},
    {"Eindeutiges Rechteck Typ 1", "Unique rectangle type 1"},
    {"Eindeutiges Rechteck Typ 2", "Unique rectangle type 2"},
    {"Nackter Vierling", "Naked quad"},
    {"Jellyfish", "Jellyfish"},
    {"Versteckter Vierling", "Hidden quad"},
    {"BUG+1", "BUG+1"},
    {"Wolkenkratzer", "Skyscraper"},
    {"Drachen", "2-String Kite"},
    {"W-Wing", "W-Wing"},
    {"Einfaches Färben", "Simple colouring"},
    {"X-Kette", "X-Chain"},
    {"XY-Kette", "XY-Chain"},
    {"Alternierende Kette", "Alternating chain"},
    {"Feld-Erzwingungskette", "Cell forcing chain"},
    {"Einheiten-Erzwingungskette", "House forcing chain"},
    {"Widerspruchskette", "Contradiction chain"},
    {"Dynamische Erzwingungskette", "Dynamic forcing chain"},
    {"Ausprobieren", "Trial and error"},
    {"BUG Typ 2", "BUG type 2"},
    {"Eindeutiges Rechteck Typ 4", "Unique rectangle type 4"},
};
// A technique the engine learns needs its name here first.
static_assert(std::size(TechniqueNames) == size_t(SdkTechnique::Count));

const SdkText Row{"Zeile %1", "row %1"};
const SdkText Column{"Spalte %1", "column %1"};
const SdkText Box{"Block %1", "box %1"};
const SdkText Cell{"Zeile %1, Spalte %2", "row %1, column %2"};
const SdkText And{" und ", " and "};
const SdkText LookAtHouse{"Schauen Sie sich %1 an.", "Look at %1."};
const SdkText LookAtCell{"Schauen Sie sich das Feld in %1 an.", "Look at the cell in %1."};
const SdkText OneTechnique{"Technik: %1.", "Technique: %1."};
const SdkText Techniques{"Techniken: %1.", "Techniques: %1."};
const SdkText Then{", danach ", ", then "};
const SdkText WrongValue{"Der Wert in %1 passt nicht zur Lösung.",
                         "The value in %1 does not fit the solution."};
const SdkText Places{"die %1 kommt in %2", "the %1 goes into %2"};
const SdkText Leaves{"die %1 entfällt in %2", "the %1 leaves %2"};

const SdkText FullHouse{"In %1 ist nur noch ein Feld frei: %2.",
                        "In %1 only one cell is empty: %2."};
const SdkText HiddenSingle{"In %1 passt die %2 nur in ein Feld: %3.",
                           "In %1 the %2 fits into one cell only: %3."};
const SdkText NakedSingle{
    "In %1 sind alle Ziffern außer der %2 schon durch Zeile, Spalte oder Block vergeben: %3.",
    "At %1 every digit but the %2 is taken by its row, column or box: %3."};
const SdkText LineBox{"In %1 liegt die %2 nur in %3, also steht sie sonst nirgends in %3: %4.",
                      "In %1 the %2 lies only in %3, so it stands nowhere else in %3: %4."};
const SdkText NakedSubset{
    "In %1 haben die Felder %2 zusammen nur die Ziffern %3, also entfallen diese "
    "in den übrigen Feldern: %4.",
    "In %1 the cells %2 hold only the digits %3 between them, so these leave the other "
    "cells: %4."};
const SdkText HiddenSubset{
    "In %1 passen die Ziffern %2 nur in die Felder %3, also behalten diese keine anderen "
    "Kandidaten: %4.",
    "In %1 the digits %2 fit only into the cells %3, so these keep no other candidates: %4."};
const SdkText Fish{"In %1 passt die %2 nur in %3, also steht sie dort sonst nirgends: %4.",
                   "In %1 the %2 fits only into %3, so it stands nowhere else there: %4."};
const SdkText Pattern{"Das Muster %1 aus den Feldern %2 mit den Ziffern %3 zeigt: %4.",
                      "The %1 of the cells %2 with the digits %3 shows: %4."};
const SdkText Chain{"Eine Kette aus %1 Gliedern, die bei der %2 in %3 beginnt, zeigt: %4.",
                    "A chain of %1 links starting from the %2 at %3 shows: %4."};
const SdkText Forcing{"Die Folgen der %1 in %2 zu Ende gedacht zeigen: %3.",
                      "Following the %1 at %2 to its end shows: %3."};
const SdkText Trial{"Hier hilft keine Technik mehr; Ausprobieren zeigt: %1.",
                    "No technique helps here; trying the digits shows: %1."};

QString BracketCell(int cell)
{
    return QStringLiteral("[%1/%2]").arg(cell / 9 + 1).arg(cell % 9 + 1);
}

QString JoinHouses(const std::vector<SdkHouse> &houses, size_t from, size_t to, int language)
{
    QStringList names;
    for (size_t i = from; i < to && i < houses.size(); ++i)
        names << SdkHintText::HouseName(houses[i], language);
    if (names.size() < 2)
        return names.join(QString());
    const QString last = names.takeLast();
    return names.join(QStringLiteral(", ")) + Tx(And, language) + last;
}

QString DigitList(uint16_t digits)
{
    QStringList list;
    for (int d = 1; d <= 9; ++d)
        if (digits & (1u << d))
            list << QString::number(d);
    return list.join(QStringLiteral(", "));
}

// The cells of the proof in their first order, as "[r/c], [r/c]".
QString ProofCells(const SdkTechStep &step)
{
    QStringList cells;
    for (const SdkProofMark &mark : step.proof) {
        const QString name = BracketCell(mark.cell);
        if (!cells.contains(name))
            cells << name;
    }
    return cells.join(QStringLiteral(", "));
}

int FirstDigit(const SdkTechStep &step)
{
    if (!step.placements.empty())
        return step.placements.front().digit;
    for (int d = 1; d <= 9; ++d)
        if (step.digits & (1u << d))
            return d;
    return step.eliminations.empty() ? 0 : step.eliminations.front().digit;
}

// What a step achieves: its placements, then its eliminations by digit.
QString Result(const SdkTechStep &step, int language)
{
    QStringList parts;
    for (const SdkTechCandidate &p : step.placements)
        parts << Tx(Places, language).arg(p.digit).arg(SdkHintText::CellName(p.cell, language));
    std::map<int, QStringList> byDigit;
    for (const SdkTechCandidate &e : step.eliminations)
        byDigit[e.digit] << BracketCell(e.cell);
    for (const auto &[digit, cells] : byDigit)
        parts << Tx(Leaves, language).arg(digit).arg(cells.join(QStringLiteral(", ")));
    return parts.join(QStringLiteral("; "));
}
} // namespace

namespace SdkHintText {

QString TechniqueName(SdkTechnique technique, int language)
{
    const size_t index = size_t(technique);
    return index < std::size(TechniqueNames) ? Tx(TechniqueNames[index], language) : QString();
}

QString HouseName(const SdkHouse &house, int language)
{
    const SdkText &text = house.type == SdkBlockRow      ? Row
                          : house.type == SdkBlockColumn ? Column
                                                         : Box;
    return Tx(text, language).arg(house.index + 1);
}

QString CellName(int cell, int language)
{
    return Tx(Cell, language).arg(cell / 9 + 1).arg(cell % 9 + 1);
}

QString RatingValue(int rating, int language)
{
    return QStringLiteral("%1%2%3")
        .arg(rating / 10)
        .arg(language == 1 ? QLatin1Char('.') : QLatin1Char(','))
        .arg(rating % 10);
}

LookAt WhereToLook(const SdkTechStep &step)
{
    LookAt look;
    if (!step.houses.empty()) {
        look.isHouse = true;
        look.house = step.houses.front();
    } else if (!step.proof.empty()) {
        look.cell = step.proof.front().cell;
    } else if (!step.placements.empty()) {
        look.cell = step.placements.front().cell;
    } else if (!step.eliminations.empty()) {
        look.cell = step.eliminations.front().cell;
    }
    return look;
}

QString LookAtText(const SdkTechStep &step, int language)
{
    const LookAt look = WhereToLook(step);
    if (look.isHouse)
        return Tx(LookAtHouse, language).arg(HouseName(look.house, language));
    return Tx(LookAtCell, language).arg(CellName(look.cell < 0 ? 0 : look.cell, language));
}

QString TechniquesText(const std::vector<SdkTechStep> &steps, int language)
{
    QStringList names;
    for (const SdkTechStep &step : steps) {
        const QString name = TechniqueName(step.technique, language);
        if (names.isEmpty() || names.last() != name)
            names << name;
    }
    return Tx(names.size() == 1 ? OneTechnique : Techniques, language)
        .arg(names.join(Tx(Then, language)));
}

QString StepSentence(const SdkTechStep &step, int language)
{
    const int l = language;
    const QString result = Result(step, l);
    const QString house0 = step.houses.empty() ? QString() : HouseName(step.houses[0], l);
    const int digit = FirstDigit(step);
    switch (step.technique) {
    case SdkTechnique::LastValue:
        return Tx(FullHouse, l).arg(house0, result);
    case SdkTechnique::HiddenSingleBox:
    case SdkTechnique::HiddenSingleLine:
        return Tx(HiddenSingle, l).arg(house0).arg(digit).arg(result);
    case SdkTechnique::NakedSingle:
        return Tx(NakedSingle, l)
            .arg(step.placements.empty() ? QString() : CellName(step.placements[0].cell, l))
            .arg(digit)
            .arg(result);
    case SdkTechnique::Pointing:
    case SdkTechnique::Claiming:
        return Tx(LineBox, l)
            .arg(house0)
            .arg(digit)
            .arg(step.houses.size() > 1 ? HouseName(step.houses[1], l) : QString(), result);
    case SdkTechnique::NakedPair:
    case SdkTechnique::NakedTriple:
    case SdkTechnique::NakedQuad:
        return Tx(NakedSubset, l).arg(house0, ProofCells(step), DigitList(step.digits), result);
    case SdkTechnique::HiddenPair:
    case SdkTechnique::HiddenTriple:
    case SdkTechnique::HiddenQuad:
        return Tx(HiddenSubset, l).arg(house0, DigitList(step.digits), ProofCells(step), result);
    case SdkTechnique::XWing:
    case SdkTechnique::Swordfish:
    case SdkTechnique::Jellyfish: {
        const size_t half = step.houses.size() / 2;
        return Tx(Fish, l)
            .arg(JoinHouses(step.houses, 0, half, l))
            .arg(digit)
            .arg(JoinHouses(step.houses, half, step.houses.size(), l), result);
    }
    case SdkTechnique::XChain:
    case SdkTechnique::XYChain:
    case SdkTechnique::AlternatingChain:
        if (!step.proof.empty())
            return Tx(Chain, l)
                .arg(step.chainLength)
                .arg(step.proof[0].digit)
                .arg(CellName(step.proof[0].cell, l), result);
        break;
    case SdkTechnique::CellForcingChain:
    case SdkTechnique::HouseForcingChain:
    case SdkTechnique::ContradictionChain:
    case SdkTechnique::DynamicForcingChain:
        if (!step.proof.empty())
            return Tx(Forcing, l)
                .arg(step.proof[0].digit)
                .arg(CellName(step.proof[0].cell, l), result);
        break;
    case SdkTechnique::Trial:
        return Tx(Trial, l).arg(result);
    default:
        break;
    }
    return Tx(Pattern, l)
        .arg(TechniqueName(step.technique, l), ProofCells(step), DigitList(step.digits), result);
}

QString WrongValueText(int cell, int language)
{
    return Tx(WrongValue, language).arg(CellName(cell, language));
}

} // namespace SdkHintText
