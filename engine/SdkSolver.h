#pragma once
// Solvers: classes of the "SdkSolverInterface" family, created by class name
// (optionally "Class@library" from a library loaded at run time), that solve a
// working copy of a game and report through the main game's events.
#include "base/TDynamic.h"
#include "base/TString.h"
#include "engine/SdkTypes.h"

#include <memory>

class Sudoku;

// The solve record: the request handed to a solver and its result.
class SdkSolveParam
{
public:
    void Reset() { *this = SdkSolveParam(); }

    // Carried into a solver's record by Start; nothing in the engine reads it.
    bool reserved = false;
    // Deepest guess level a solver may open: -1 unlimited, 0 direct steps only.
    int maxDepth = -1;
    // A solution with fewer nested guesses counts as a failure.
    int minDepth = 0;
    // The working copy drops played values and history first.
    bool startFromRiddle = true;
    // "Class" or "Class@library"; empty means "SdkDefaultSolver".
    TString solverName;

    // Results
    bool success = false;
    bool cancelled = false;
    // Nested guesses on the path to the solution; set on success only.
    int btSteps = 0;
    // The solver met a candidate that the grid refused, at errorRow/errorCol.
    bool error = false;
    unsigned errorRow = 0;
    unsigned errorCol = 0;
};

// Base of all solvers. A solver lives for one solve: Start stores the games,
// takes the request over and calls Run.
class SdkSolverInterface : public TDynamic
{
    TDYN_DECLARE(SdkSolverInterface)

public:
    SdkSolverInterface();
    // A copy gets a record of its own.
    SdkSolverInterface(const SdkSolverInterface &other);
    SdkSolverInterface &operator=(const SdkSolverInterface &other);
    ~SdkSolverInterface() override;

    // sudoku is the working copy to solve; main receives the events and owns the
    // cancel flag that is watched. Only the request part of param is taken over.
    bool Start(Sudoku &sudoku, Sudoku &main, const SdkSolveParam &param);
    SdkSolveParam GetSolveParam() const { return *m_param; }
    // Valid from Start on.
    Sudoku &GetSudoku() const { return *m_sudoku; }
    Sudoku &GetMainSudoku() const { return *m_main; }

    virtual bool Run() = 0;

protected:
    SdkSolveParam &GetSP() { return *m_param; }

    // The game operations a solver class needs. No range checks: rows and columns 0..8.
    static SdkField &GetField(Sudoku &sudoku, unsigned row, unsigned col);
    // For the value and the candidates only: its conflict mark may be one not made yet.
    static const SdkField &PeekField(const Sudoku &sudoku, unsigned row, unsigned col);
    static bool _SetValue(Sudoku &sudoku, SdkDigit d, unsigned row, unsigned col, bool record,
                          bool notify);
    static bool CalcResultSets(Sudoku &sudoku, bool full);
    static bool RecalcResultSets(Sudoku &sudoku);
    // Step (notify = true) followed by RecalcResultSets, which is passed by
    // where it would change nothing.
    static bool DirectStep(Sudoku &sudoku, bool &error, SdkDigit &digit, unsigned &row,
                           unsigned &col);
    // RecalcResultSets right after a _SetValue without notification: only the
    // deep option finds more to do there.
    static bool RecalcAfterSet(Sudoku &sudoku);

private:
    Sudoku *m_sudoku = nullptr;
    Sudoku *m_main = nullptr;
    std::unique_ptr<SdkSolveParam> m_param;
};

// The engine's own solver: direct steps of the candidate logic, and depth-first
// guessing on the first empty field in reading order, digits ascending.
class SdkDefaultSolver : public SdkSolverInterface
{
    TDYN_DECLARE(SdkDefaultSolver)

public:
    SdkDefaultSolver() = default;
    ~SdkDefaultSolver() override = default;

    bool Run() override;

private:
    bool Search(int level, unsigned startRow, unsigned startCol);

    // The guess level at which the solution was completed.
    int m_reachedDepth = 0;
    bool m_error = false;
    unsigned m_errorRow = 0;
    unsigned m_errorCol = 0;
};
