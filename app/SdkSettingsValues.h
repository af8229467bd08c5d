#pragma once

// What the program makes of a stored setting. Settings are text that anyone may have edited:
// each reader takes the stored text (empty when the value is missing) and returns a value in
// its range, the default where the text says nothing usable. Core Qt only, so the readers can
// be fuzzed without windows.

#include "base/TString.h"

#include <QString>
#include <cstdint>

namespace SdkSettingsValues {

// A number typed or stored as text. An overlong number keeps its sign, so that clamping brings
// it to the nearer bound instead of wrapping; anything that is no number reads as 0.
long long ParseNumber(const QString &text);
unsigned ClampU(long long value, unsigned low, unsigned high);
int ClampS(long long value, int low, int high);

// SolveDelayMs: 200 when missing or no number, at most 1000.
uint16_t SolveDelay(const TString &stored);
// Language: 0 German, 1 English, -1 for anything else.
int Language(const TString &stored);
// A play option: non-zero is on; a missing value gives the fallback and sets missing.
bool Flag(const TString &stored, bool fallback, bool &missing);
// BoardColours: the palette 0 standard, 1 colour-blind safe, 2 dark, stored by its name (any
// case); anything else is the standard palette.
int BoardColours(const TString &stored);
const char *BoardColoursName(int colours);

} // namespace SdkSettingsValues
