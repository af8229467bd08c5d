#pragma once

// The words of a hint: the engine hands over steps as data (technique, houses, cells and
// candidates by role, placements, eliminations); these functions word them in German or
// English. Rows, columns and boxes are shown 1-based.

#include "app/SdkTexts.h"
#include "engine/SdkTechnique.h"

#include <QString>

namespace SdkHintText {

QString TechniqueName(SdkTechnique technique, int language);
// "row 5", "column 2", "box 7" (German "Zeile 5", "Spalte 2", "Block 7").
QString HouseName(const SdkHouse &house, int language);
// "row 3, column 5" (German "Zeile 3, Spalte 5").
QString CellName(int cell, int language);
// The rating as the player reads it: 23 -> "2.3" (German "2,3").
QString RatingValue(int rating, int language);

// The house (or, without one, the cell) a step starts from.
struct LookAt
{
    bool isHouse = false;
    SdkHouse house;
    int cell = -1;
};
LookAt WhereToLook(const SdkTechStep &step);

// First press: where to look. Second: the techniques by name. Third: one sentence per step.
QString LookAtText(const SdkTechStep &step, int language);
QString TechniquesText(const std::vector<SdkTechStep> &steps, int language);
QString StepSentence(const SdkTechStep &step, int language);
QString WrongValueText(int cell, int language);

} // namespace SdkHintText
