#pragma once

// "SUDOKU_CREATE_GAME_PARAMETERS": the parameters of a computed riddle, kept under
// "\CreateOptions" of the program's key. Every value is brought into its range wherever it
// enters the object; out-of-range entries are clamped silently.

#include "velox/VxEvent.h"
#include "velox/VxWFrame.h"

class SdkCreateGameParam : public VxWFrame
{
    TDYN_DECLARE(SdkCreateGameParam)

public:
    SdkCreateGameParam(short language, QWidget *parent);

    unsigned GetFix() const { return fix; }
    unsigned GetAttempts() const { return attempts; }
    int GetMinBtSteps() const { return minBtSteps; }
    int GetMaxBtSteps() const { return maxBtSteps; }
    int GetMinDirectSteps() const { return minDirectSteps; }
    bool IsProfiLevel() const { return profiLevel; }
    unsigned GetStdLevel() const { return stdLevel; }
    // The backtracking range handed to the generator: by standard level, or the stored one.
    void GetMinMaxBtSteps(int &min, int &max) const;

    void SetFix(unsigned value);
    void SetAttempts(unsigned value);
    void SetMinBtSteps(int value);
    void SetMaxBtSteps(int value);
    void SetMinDirectSteps(int value);
    void SetProfiLevel(bool value) { profiLevel = value; }
    void SetStdLevel(unsigned value);

    // A missing or empty stored value keeps the current one.
    void LoadSettings();
    void SaveSettings() const;

    static unsigned _CheckURange(unsigned value, unsigned low, unsigned high);
    static int _CheckRange(int value, int low, int high);

    bool EvInit() override;
    void Localize();
    bool LevelStandardChecked(VxEvent &event);
    bool LevelProfiChecked(VxEvent &event);
    bool DoOK(VxEvent &event);

private:
    void ShowLevelMode(bool profi);

    short language;
    unsigned fix = 30;
    unsigned attempts = 1000;
    int minBtSteps = 0;
    int maxBtSteps = -1;
    int minDirectSteps = 5;
    bool profiLevel = false;
    unsigned stdLevel = 1;
};
