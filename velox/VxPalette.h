#pragma once

// The framework's 16-colour table ("DefaultColorTable"): index -> RGB, and the colour names
// of the markup language in the order the markup looks them up.

#include <array>
#include <cstdint>

struct VxPaletteColor
{
    std::uint8_t r, g, b;
};

inline constexpr std::array<VxPaletteColor, 16> VxDefaultColorTable = {{
    {0, 0, 0},       // 0 black
    {0, 0, 128},     // 1 blue
    {0, 128, 0},     // 2 green
    {0, 128, 128},   // 3 cyan
    {128, 0, 0},     // 4 red
    {128, 0, 128},   // 5 magenta
    {255, 255, 0},   // 6 yellow
    {255, 255, 255}, // 7 white
    {128, 128, 128}, // 8 gray
    {0, 0, 255},     // 9 lightblue
    {0, 255, 0},     // 10 lightgreen
    {0, 255, 255},   // 11 lightcyan
    {255, 0, 0},     // 12 lightred
    {255, 0, 255},   // 13 lightmagenta
    {64, 0, 0},      // 14 brown (dark on purpose)
    {192, 192, 192}, // 15 lightgray
}};

struct VxColorName
{
    const char *name;
    short index;
};

// Lookup order of the markup: the first entry whose name matches wins.
inline constexpr std::array<VxColorName, 16> VxColorNames = {{
    {"black", 0},
    {"white", 7},
    {"red", 4},
    {"lightred", 12},
    {"green", 2},
    {"lightgreen", 10},
    {"blue", 1},
    {"lightblue", 9},
    {"gray", 8},
    {"lightgray", 15},
    {"cyan", 3},
    {"lightcyan", 11},
    {"magenta", 5},
    {"lightmagenta", 13},
    {"yellow", 6},
    {"brown", 14},
}};

// Palette entry for an index; anything outside 0..15 is black.
constexpr VxPaletteColor VxPaletteEntry(int index)
{
    return index >= 0 && index < 16 ? VxDefaultColorTable[static_cast<std::size_t>(index)]
                                    : VxDefaultColorTable[0];
}
