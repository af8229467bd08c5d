#pragma once

// The game's small dialogs. Each loads its window from the resource file in its constructor,
// sets the dialog result 2 (cancel) in EvInit and 1 on OK; the caller reads the getters after
// the modal run and deletes the dialog.

#include "engine/Sudoku.h"
#include "velox/VxEvent.h"
#include "velox/VxWFrame.h"

#include <QString>

// "SUDOKU_GAME_CREATE_TYPE": a predefined riddle of a level, or a computed one.
class SdkCreateType : public VxWFrame
{
    TDYN_DECLARE(SdkCreateType)

public:
    SdkCreateType(short language, short type, int level, QWidget *parent);
    // The type (1 predefined, 2 computed, 0 none) and, through level, the level.
    short GetCreateType(int *level) const;

    bool EvInit() override;
    void Localize();
    bool CheckType(VxEvent &event);
    bool DoOK(VxEvent &event);
    bool DoCancel(VxEvent &event);

private:
    short language;
    short type;
    int level;
};

// "SUDOKU_CREATE_GAME_PARAMETERS": the parameters of a computed riddle.
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
    void GetMinMaxBtSteps(int &min, int &max) const;

    bool EvInit() override;
    bool LevelStandardChecked(VxEvent &event);
    bool LevelProfiChecked(VxEvent &event);
    bool DoOK(VxEvent &event);

private:
    short language;
    unsigned fix = 30;
    unsigned attempts = 1000;
    int minBtSteps = 0;
    int maxBtSteps = -1;
    int minDirectSteps = 5;
    bool profiLevel = false;
    unsigned stdLevel = 1;
};

// "SUDOKU_LOAD_PARAMETERS": in which mode a game file is loaded.
class SdkLoadParam : public VxWFrame
{
    TDYN_DECLARE(SdkLoadParam)

public:
    SdkLoadParam(short language, const Sudoku &preview, QWidget *parent);

    short GetOption() const { return option; }
    bool IsResetToStart() const { return resetToStart; }

    bool EvInit() override;
    bool EvClose() override;
    bool CurrentStateChecked(VxEvent &event);
    bool NewSolutionChecked(VxEvent &event);
    bool SolutionAndStateChecked(VxEvent &event);
    bool SolutionChecked(VxEvent &event);
    bool DoOK(VxEvent &event);

private:
    short language;
    Sudoku preview;
    short option = 0;
    bool resetToStart = false;
};

// "SUDOKU_GAME_DEF_TYPE": a new definition or the current one continued.
class SdkWndSelectDefType : public VxWFrame
{
    TDYN_DECLARE(SdkWndSelectDefType)

public:
    SdkWndSelectDefType(short language, short mode, bool newOnly, QWidget *parent);
    short GetMode() const { return mode; }

    bool EvInit() override;
    bool DoOK(VxEvent &event);

private:
    short language;
    short mode;
    bool newOnly;
};

// "SUDOKU_SELECT_LANGUAGE": the language of the program.
class SdkWndSelectLanguage : public VxWFrame
{
    TDYN_DECLARE(SdkWndSelectLanguage)

public:
    SdkWndSelectLanguage(short language, QWidget *parent);
    // The chosen index on OK, the given one otherwise.
    short GetLanguage() const { return selected; }

    bool EvInit() override;
    bool DoOK(VxEvent &event);

private:
    short given;
    short selected;
};

// "SUDOKU_ABOUT".
class SdkWndAbout : public VxWFrame
{
    TDYN_DECLARE(SdkWndAbout)

public:
    SdkWndAbout(short language, const QString &title, unsigned version, QWidget *parent);

    bool EvInit() override;
    void Localize();
    bool DoHomepageLButtonUp(VxEventMouse &event);

private:
    short language;
    QString title;
    QString version;
};
