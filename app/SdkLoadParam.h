#pragma once

// "SUDOKU_LOAD_PARAMETERS": in which mode a game file is loaded. The caller has already read
// the file into a preview; the offered modes follow the preview's state. The dialog has no
// cancel button and cannot be dismissed before OK.

#include "engine/Sudoku.h"
#include "velox/VxEvent.h"
#include "velox/VxWFrame.h"

class SdkLoadParam : public VxWFrame
{
    TDYN_DECLARE(SdkLoadParam)

public:
    // The load modes, as GetOption returns them.
    enum Option : short {
        None = 0,
        CurrentState = 1,
        NewSolution = 2,
        SolutionAndHistory = 3,
        SolutionOnly = 4,
    };

    SdkLoadParam(short language, const Sudoku &preview, QWidget *parent);

    short GetOption() const { return option; }
    bool IsResetToStart() const { return resetToStart; }
    // Only a mode that brings the history along can rewind to the start.
    bool CanResetToStart() const;
    const Sudoku &GetPreview() const { return preview; }

    bool EvInit() override;
    bool EvClose() override;
    void Localize();
    void UpdateResetToStart();
    bool CurrentStateChecked(VxEvent &event);
    bool NewSolutionChecked(VxEvent &event);
    bool SolutionAndStateChecked(VxEvent &event);
    bool SolutionChecked(VxEvent &event);
    bool DoOK(VxEvent &event);

private:
    enum class PreviewState { Completed, PartlySolved, NotStarted };
    PreviewState State() const;

    short language;
    Sudoku preview;
    short option = None;
    bool resetToStart = false;
};
