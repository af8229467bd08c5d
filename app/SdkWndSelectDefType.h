#pragma once

// "SUDOKU_GAME_DEF_TYPE": a new definition of a riddle by hand, or the current one continued.

#include "velox/VxEvent.h"
#include "velox/VxWFrame.h"

class SdkWndSelectDefType : public VxWFrame
{
    TDYN_DECLARE(SdkWndSelectDefType)

public:
    // mode: 1 new definition, 2 continue the current one, 0 none proposed.
    SdkWndSelectDefType(short language, short mode, bool newOnly, QWidget *parent);
    short GetMode() const { return mode; }

    bool EvInit() override;
    void Localize();
    bool DoOK(VxEvent &event);

private:
    short language;
    short mode;
    bool newOnly;
};
