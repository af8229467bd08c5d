#pragma once

// "SUDOKU_GAME_CREATE_TYPE": a fast riddle from the predefined collection at one of three
// levels, or a riddle computed with the player's own options.

#include "velox/VxEvent.h"
#include "velox/VxWFrame.h"

class SdkCreateType : public VxWFrame
{
    TDYN_DECLARE(SdkCreateType)

public:
    // The language is kept as given; the level is brought into 1..3.
    SdkCreateType(short language, short type, int level, QWidget *parent);
    // The type (1 predefined, 2 computed, 0 none) and, through level if given, the level.
    short GetCreateType(int *level) const;

    bool EvInit() override;
    void Localize();
    // A type radio was clicked: the levels belong to the predefined riddles only.
    bool CheckType(VxEvent &event);
    bool DoOK(VxEvent &event);
    bool DoCancel(VxEvent &event);

private:
    void EnableLevels(bool enable);

    short language;
    short type;
    int level;
};
