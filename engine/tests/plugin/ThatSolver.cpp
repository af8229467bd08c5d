// A tiny solver for the tests of solver loading: it only places single
// candidates and marks its record, so a test can tell it from the built-in one.
#include "engine/SdkSolver.h"
#include "engine/Sudoku.h"

class ThatSolver : public SdkSolverInterface
{
    TDYN_DECLARE(ThatSolver)

public:
    static constexpr int Mark = 77;

    bool Run() override
    {
        Sudoku &game = GetSudoku();
        if (GetSP().startFromRiddle)
            (void)game.StartGame(false, false, false);
        CalcResultSets(game, true);
        for (bool placed = true; placed && !game.IsCompleted();) {
            placed = false;
            for (unsigned i = 0; i < 81 && !placed; ++i) {
                const SdkResultSet &set = GetField(game, i / 9, i % 9).GetResultSet();
                if (GetField(game, i / 9, i % 9).GetValue() == SdkDigitEmpty && set.Count() == 1)
                    placed = _SetValue(game, set.GetValue(0), i / 9, i % 9, true, false);
            }
            RecalcResultSets(game);
        }
        GetSP().btSteps = Mark;
        return game.IsCompleted();
    }
};
TDYN_IMPLEMENT(ThatSolver, "SdkSolverInterface");

// Registered, creatable, but no solver.
class NotASolver : public TDynamic
{
    TDYN_DECLARE(NotASolver)
};
TDYN_IMPLEMENT(NotASolver, "TDynamic");
