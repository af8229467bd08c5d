#pragma once

// The colours of the board on screen. The standard palette is the board's own colour table;
// the others are for players who cannot tell its reds, greens and magentas apart, or who play
// in a dark room. Paper is always printed in the standard colours.

#include <QColor>

enum class SdkBoardColours { Standard = 0, ColourBlind = 1, Dark = 2 };

struct SdkBoardPalette
{
    QColor field;          // an ordinary field, and the window around the board
    QColor lines;          // field frames and grid lines
    QColor noSolutionFill; // an empty field that can take no digit
    QColor noSolutionInk;  // its "no solution" label
    QColor conflictFill;   // a field in a contradiction
    QColor conflictInk;    // its digit, candidates and label
    QColor given;          // digits of the riddle
    QColor played;         // the player's digits
    QColor lastChanged;    // the digit set last
    QColor candidates;     // computed candidates
    QColor lastChangedCandidates;
    QColor single; // the one candidate left in a field
    QColor lastChangedSingle;
    QColor manual; // the player's own candidates
    QColor activeFrame;
    QColor definitionFrame; // the active field while a riddle is typed in
    QColor labelBox;        // "Candidates:" above the editor
    QColor labelInk;
    QColor sameDigitTint; // play aids
    QColor unitTint;
    QColor mark; // the corner marks of conflicts and fields without a solution
    // Marks conflicts and fields without a solution by shape as well, aid or no aid, so that
    // colour is never the only sign.
    bool shapeMarks;
};

const SdkBoardPalette &SdkPaletteOf(SdkBoardColours colours);
