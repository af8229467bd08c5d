#pragma once

// The play options: stored under "\PlayOptions" of the program's key, loaded when the object is
// built (the main window builds one unseen to read them at start-up) and edited in the dialog
// "SUDOKU_OPTIONS".

#include "app/SdkBoardColours.h"
#include "velox/VxEvent.h"
#include "velox/VxWFrame.h"

// Aids to playing on screen, each off unless the user turns it on.
struct SdkPlayAids
{
    bool sameDigit = false;   // fields holding the active field's digit
    bool units = false;       // the active field's row, column and box
    bool digitCounts = false; // how often each digit is placed
    bool playTime = true;     // the playing time in the panel
    SdkBoardColours colours = SdkBoardColours::Standard;

    bool OnBoard() const { return sameDigit || units; }
};

class SdkWndOptions : public VxWFrame
{
    TDYN_DECLARE(SdkWndOptions)

public:
    SdkWndOptions(short language, QWidget *parent);

    bool GetDeepCalc() const { return deepCalc; }
    bool GetViewRs() const { return viewRs; }
    bool GetViewRsSingle() const { return viewRsSingle; }
    bool GetViewConflicts() const { return viewConflicts; }
    bool GetMarkActiveField() const { return markActiveField; }
    const SdkPlayAids &GetPlayAids() const { return aids; }
    // Some players see the rating as a spoiler; shown unless they hide it.
    bool GetHideRating() const { return hideRating; }

    bool EvInit() override;
    bool DoOK(VxEvent &event);
    void Localize();

private:
    void Load();
    void Save() const;
    void SaveAids() const;

    short language;
    bool deepCalc = false;
    bool viewRs = false;
    bool viewRsSingle = false;
    bool viewConflicts = true;
    bool markActiveField = true;
    SdkPlayAids aids;
    bool hideRating = false;
};
