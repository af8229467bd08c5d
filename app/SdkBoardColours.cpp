#include "app/SdkBoardColours.h"

#include "velox/VxCtl.h"

namespace {
QColor Table(int index)
{
    return VxCtl::Color(index);
}

QColor Hex(unsigned rgb)
{
    return QColor(QRgb(rgb));
}

// Every ink keeps at least 4.5:1 against the fills it is drawn on, frames at least 3:1, except
// in the standard palette, which is the board as it has always been.
const SdkBoardPalette &StandardPalette()
{
    // Indices of the 16-colour table.
    static const SdkBoardPalette palette{.field = Table(7),
                                         .lines = Table(0),
                                         .noSolutionFill = Table(12),
                                         .noSolutionInk = Table(7),
                                         .conflictFill = Table(13),
                                         .conflictInk = Table(0),
                                         .given = Table(0),
                                         .played = Table(9),
                                         .lastChanged = Table(12),
                                         .candidates = Table(8),
                                         .lastChangedCandidates = Table(4),
                                         .single = Table(2),
                                         .lastChangedSingle = Table(13),
                                         .manual = Table(5),
                                         .activeFrame = Table(9),
                                         .definitionFrame = Table(12),
                                         .labelBox = Table(15),
                                         .labelInk = Table(9),
                                         // tints outside the table, never taken for a fill
                                         .sameDigitTint = QColor(255, 228, 130),
                                         .unitTint = QColor(222, 233, 248),
                                         .mark = Table(0),
                                         .shapeMarks = false};
    return palette;
}

const SdkBoardPalette &ColourBlindPalette()
{
    // Okabe-Ito hues, which stay apart under deuteranopia and protanopia: the light ones
    // (yellow, sky blue) as fills under black ink, the others darkened where they are ink on
    // white. The candidates' dark grey differs from the green and the purple by lightness,
    // which these players keep.
    static const SdkBoardPalette palette{.field = Hex(0xFFFFFF),
                                         .lines = Hex(0x000000),
                                         .noSolutionFill = Hex(0x56B4E9), // sky blue
                                         .noSolutionInk = Hex(0x000000),
                                         .conflictFill = Hex(0xF0E442), // yellow
                                         .conflictInk = Hex(0x000000),
                                         .given = Hex(0x000000),
                                         .played = Hex(0x0072B2),      // blue
                                         .lastChanged = Hex(0xB84E00), // vermillion
                                         .candidates = Hex(0x3C3C3C),
                                         .lastChangedCandidates = Hex(0xB84E00),
                                         .single = Hex(0x007A5A), // bluish green
                                         .lastChangedSingle = Hex(0xB84E00),
                                         .manual = Hex(0xA8447F), // reddish purple
                                         .activeFrame = Hex(0x0072B2),
                                         .definitionFrame = Hex(0xA86400), // orange
                                         .labelBox = Hex(0xF2F2F2),
                                         .labelInk = Hex(0x0072B2),
                                         // pale orange and grey, apart from both fills
                                         .sameDigitTint = Hex(0xFBE3B8),
                                         .unitTint = Hex(0xE4E4E4),
                                         .mark = Hex(0x000000),
                                         .shapeMarks = true};
    return palette;
}

const SdkBoardPalette &DarkPalette()
{
    // Light ink on a dark board: the weakest pair (grey candidates on the amber tint) keeps
    // 4.8:1, the digits 6:1 and more on every fill.
    static const SdkBoardPalette palette{.field = Hex(0x1E1E1E),
                                         .lines = Hex(0x9A9A9A),
                                         .noSolutionFill = Hex(0x7A1F1F),
                                         .noSolutionInk = Hex(0xFFFFFF),
                                         .conflictFill = Hex(0x5C2E5C),
                                         .conflictInk = Hex(0xFFFFFF),
                                         .given = Hex(0xFFFFFF),
                                         .played = Hex(0x7FC4FF),
                                         .lastChanged = Hex(0xFF9E7A),
                                         .candidates = Hex(0xB4B4B4),
                                         .lastChangedCandidates = Hex(0xFF9E7A),
                                         .single = Hex(0x7EE0A0),
                                         .lastChangedSingle = Hex(0xFF9E7A),
                                         .manual = Hex(0xE6A0FF),
                                         .activeFrame = Hex(0x4FA8FF),
                                         .definitionFrame = Hex(0xFF6B6B),
                                         .labelBox = Hex(0x3A3A3A),
                                         .labelInk = Hex(0x7FC4FF),
                                         .sameDigitTint = Hex(0x4D4020),
                                         .unitTint = Hex(0x263040),
                                         .mark = Hex(0xFFFFFF),
                                         .shapeMarks = true};
    return palette;
}
} // namespace

const SdkBoardPalette &SdkPaletteOf(SdkBoardColours colours)
{
    switch (colours) {
    case SdkBoardColours::ColourBlind:
        return ColourBlindPalette();
    case SdkBoardColours::Dark:
        return DarkPalette();
    case SdkBoardColours::Standard:
        break;
    }
    return StandardPalette();
}
