// The handler link table of "NinefoldSudoku.vxt": (window, handler text) -> operation. The
// cancel and close buttons of four dialogs share the generic close of a frame, and the board's
// kill-focus shares the set-focus handler.
#include "app/SdkCreateGameParam.h"
#include "app/SdkCreateType.h"
#include "app/SdkDialogs.h"
#include "app/SdkLoadParam.h"
#include "app/SdkWndOptions.h"
#include "app/SdkWndSelectDefType.h"
#include "app/SudokuApp.h"
#include "app/WndSudoku.h"

namespace {
constexpr VxHandlerFn CloseDialog = VxHandler<&VxWFrame::DoExit>;
} // namespace

#define SDK_LINK(window, cls, method)                                                              \
    {                                                                                              \
        window, #cls "::" #method, 0, 0, VxHandler<&cls::method>                                   \
    }

const VxLinkEntry SdkLinkTable[] = {
    {"SUDOKU_ABOUT", "SdkWndAbout::DoClose", 0, 0, CloseDialog},
    SDK_LINK("SUDOKU_ABOUT", SdkWndAbout, DoHomepageLButtonUp),
    {"SUDOKU_CREATE_GAME_PARAMETERS", "SdkCreateGameParam::DoCancel", 0, 0, CloseDialog},
    SDK_LINK("SUDOKU_CREATE_GAME_PARAMETERS", SdkCreateGameParam, DoOK),
    SDK_LINK("SUDOKU_CREATE_GAME_PARAMETERS", SdkCreateGameParam, LevelProfiChecked),
    SDK_LINK("SUDOKU_CREATE_GAME_PARAMETERS", SdkCreateGameParam, LevelStandardChecked),
    SDK_LINK("SUDOKU_GAME_CREATE_TYPE", SdkCreateType, CheckType),
    SDK_LINK("SUDOKU_GAME_CREATE_TYPE", SdkCreateType, DoCancel),
    SDK_LINK("SUDOKU_GAME_CREATE_TYPE", SdkCreateType, DoOK),
    {"SUDOKU_GAME_DEF_TYPE", "SdkWndSelectDefType::DoCancel", 0, 0, CloseDialog},
    SDK_LINK("SUDOKU_GAME_DEF_TYPE", SdkWndSelectDefType, DoOK),
    SDK_LINK("SUDOKU_LOAD_PARAMETERS", SdkLoadParam, CurrentStateChecked),
    SDK_LINK("SUDOKU_LOAD_PARAMETERS", SdkLoadParam, DoOK),
    SDK_LINK("SUDOKU_LOAD_PARAMETERS", SdkLoadParam, NewSolutionChecked),
    SDK_LINK("SUDOKU_LOAD_PARAMETERS", SdkLoadParam, SolutionAndStateChecked),
    SDK_LINK("SUDOKU_LOAD_PARAMETERS", SdkLoadParam, SolutionChecked),
    SDK_LINK("SUDOKU_MAIN", WndSudoku, DoAbout),
    SDK_LINK("SUDOKU_MAIN", WndSudoku, DoChangeLanguage),
    SDK_LINK("SUDOKU_MAIN", WndSudoku, DoCreateGame),
    SDK_LINK("SUDOKU_MAIN", WndSudoku, DoExit),
    SDK_LINK("SUDOKU_MAIN", WndSudoku, DoExportPdf),
    SDK_LINK("SUDOKU_MAIN", WndSudoku, DoGameOptions),
    SDK_LINK("SUDOKU_MAIN", WndSudoku, DoHelp),
    SDK_LINK("SUDOKU_MAIN", WndSudoku, DoHint),
    SDK_LINK("SUDOKU_MAIN", WndSudoku, DoHomepage),
    SDK_LINK("SUDOKU_MAIN", WndSudoku, DoLoadGame),
    SDK_LINK("SUDOKU_MAIN", WndSudoku, DoNewGame),
    SDK_LINK("SUDOKU_MAIN", WndSudoku, DoNextStep),
    SDK_LINK("SUDOKU_MAIN", WndSudoku, DoPrint),
    SDK_LINK("SUDOKU_MAIN", WndSudoku, DoPrintRiddles),
    SDK_LINK("SUDOKU_MAIN", WndSudoku, DoRedo),
    SDK_LINK("SUDOKU_MAIN", WndSudoku, DoRepeatGame),
    SDK_LINK("SUDOKU_MAIN", WndSudoku, DoReplayGame),
    SDK_LINK("SUDOKU_MAIN", WndSudoku, DoSaveGame),
    SDK_LINK("SUDOKU_MAIN", WndSudoku, DoSaveGameAs),
    SDK_LINK("SUDOKU_MAIN", WndSudoku, DoSolve),
    SDK_LINK("SUDOKU_MAIN", WndSudoku, DoUndo),
    SDK_LINK("SUDOKU_MAIN", WndSudoku, DoVersionHistory),
    SDK_LINK("SUDOKU_MAIN", WndSudoku, ScrollSolutionSpeed),
    SDK_LINK("SUDOKU_MAIN", WndSudoku, SdkChar),
    {"SUDOKU_MAIN", "WndSudoku::SdkDrawKillFocus", 0, 0, VxHandler<&WndSudoku::SdkDrawSetFocus>},
    SDK_LINK("SUDOKU_MAIN", WndSudoku, SdkDrawSetFocus),
    SDK_LINK("SUDOKU_MAIN", WndSudoku, SdkKeyDown),
    SDK_LINK("SUDOKU_MAIN", WndSudoku, SdkKeyUp),
    SDK_LINK("SUDOKU_MAIN", WndSudoku, SdkLButtonDown),
    SDK_LINK("SUDOKU_MAIN", WndSudoku, SdkLButtonUp),
    SDK_LINK("SUDOKU_MAIN", WndSudoku, SdkRButtonDown),
    SDK_LINK("SUDOKU_MAIN", WndSudoku, SdkRButtonUp),
    SDK_LINK("SUDOKU_MAIN", WndSudoku, SdkRedraw),
    SDK_LINK("SUDOKU_MAIN", WndSudoku, ViewConflictsChecked),
    SDK_LINK("SUDOKU_MAIN", WndSudoku, ViewResultSetsChecked),
    SDK_LINK("SUDOKU_MAIN", WndSudoku, ViewResultSetsSingleChecked),
    {"SUDOKU_OPTIONS", "SdkWndOptions::DoCancel", 0, 0, CloseDialog},
    SDK_LINK("SUDOKU_OPTIONS", SdkWndOptions, DoOK),
    {"", "", 0, 0, nullptr},
};

#undef SDK_LINK
