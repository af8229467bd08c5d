#include "engine/SdkSolver.h"

#include "engine/SdkParam.h"
#include "engine/Sudoku.h"

#include <memory>

TDYN_IMPLEMENT_NOCREATE(SdkSolverInterface, "TDynamic");
TDYN_IMPLEMENT(SdkDefaultSolver, "SdkSolverInterface");

namespace {
// The cancel flag outlives its worker (the program reads it after the end), so a
// solve on the caller's thread after a cancelled worker must not take it up.
bool WorkerCancelled(const Sudoku &main)
{
    return main.IsThreadRunning() && main.IsThreadCancelled();
}
} // namespace

SdkSolverInterface::SdkSolverInterface() : m_param(std::make_unique<SdkSolveParam>()) {}

SdkSolverInterface::SdkSolverInterface(const SdkSolverInterface &other)
    : TDynamic(other), m_sudoku(other.m_sudoku), m_main(other.m_main),
      m_param(std::make_unique<SdkSolveParam>(*other.m_param))
{}

SdkSolverInterface &SdkSolverInterface::operator=(const SdkSolverInterface &other)
{
    if (this != &other) {
        m_sudoku = other.m_sudoku;
        m_main = other.m_main;
        *m_param = *other.m_param;
    }
    return *this;
}

SdkSolverInterface::~SdkSolverInterface() = default;

bool SdkSolverInterface::Start(Sudoku &sudoku, Sudoku &main, const SdkSolveParam &param)
{
    m_sudoku = &sudoku;
    m_main = &main;
    m_param->Reset();
    m_param->reserved = param.reserved;
    m_param->maxDepth = param.maxDepth;
    m_param->minDepth = param.minDepth;
    m_param->startFromRiddle = param.startFromRiddle;
    return Run();
}

SdkField &SdkSolverInterface::GetField(Sudoku &sudoku, unsigned row, unsigned col)
{
    // Handed out for reading and writing.
    return sudoku.FieldForWriting(row, col);
}

const SdkField &SdkSolverInterface::PeekField(const Sudoku &sudoku, unsigned row, unsigned col)
{
    return *sudoku.GetFieldPtr(row, col);
}

bool SdkSolverInterface::_SetValue(Sudoku &sudoku, SdkDigit d, unsigned row, unsigned col,
                                   bool record, bool notify)
{
    return sudoku._SetValue(d, row, col, record, notify);
}

bool SdkSolverInterface::CalcResultSets(Sudoku &sudoku, bool full)
{
    return sudoku.CalcResultSets(full, false);
}

bool SdkSolverInterface::RecalcResultSets(Sudoku &sudoku)
{
    return sudoku.RecalcResultSets();
}

bool SdkSolverInterface::DirectStep(Sudoku &sudoku, bool &error, SdkDigit &digit, unsigned &row,
                                    unsigned &col)
{
    TLocker<Sudoku> lock(sudoku);
    bool settled = false;
    // The marks follow from the grid alone, and nothing looks at them before
    // the reduction's marking.
    const bool stepped = sudoku._Step(error, digit, row, col, true, false, settled);
    if (!settled)
        sudoku.RecalcResultSets();
    return stepped;
}

bool SdkSolverInterface::RecalcAfterSet(Sudoku &sudoku)
{
    return sudoku.IsDeepCalcResultSets() && sudoku.RecalcResultSets();
}

bool SdkDefaultSolver::Run()
{
    Sudoku &game = GetSudoku();
    if (GetSP().startFromRiddle)
        (void)game.StartGame(false, false, false);
    CalcResultSets(game, true);
    m_reachedDepth = 0;
    m_error = false;
    m_errorRow = m_errorCol = 0;

    bool ok = Search(1, 0, 0);
    if (ok) {
        if (m_reachedDepth < GetSP().minDepth)
            ok = false;
        else
            GetSP().btSteps = m_reachedDepth;
    }
    m_reachedDepth = 0;
    if (!ok) {
        if (WorkerCancelled(GetMainSudoku())) {
            GetSP().cancelled = true;
        } else if (m_error) {
            GetSP().error = true;
            GetSP().errorRow = m_errorRow;
            GetSP().errorCol = m_errorCol;
        }
    }
    return ok;
}

// One guess level: direct steps until they stall, then every candidate of the
// first empty field in reading order, ascending, each tried on top of the state
// the direct steps left and undone when it leads nowhere.
//
// The state before a trial always equals the level's state after its direct
// steps (B): the first trial starts there, and every failed trial is undone to
// it. So one copy per level serves both as B and as the copy taken before each
// trial, and undoing a trial to B is the same as undoing it to that copy.
bool SdkDefaultSolver::Search(int level, unsigned startRow, unsigned startCol)
{
    Sudoku &game = GetSudoku();
    Sudoku &main = GetMainSudoku();
    {
        SdkParam start(game, level, true);
        main.MVC().Call("SDK_START_SOLVING", start);
    }

    bool cancelled = false;
    bool stepped = false;
    do {
        bool stepError = false;
        SdkDigit digit = SdkDigitEmpty;
        unsigned row = 0, col = 0;
        stepped = DirectStep(game, stepError, digit, row, col);
        cancelled = WorkerCancelled(main);
    } while (stepped && !cancelled);
    // A field without candidates only ends the direct steps; the guesses decide.
    m_error = false;

    bool result = false;
    unsigned row = startRow, col = startCol;
    bool found = false;
    if (game.IsCompleted()) {
        m_reachedDepth = level - 1;
        result = true;
    } else if (GetSP().maxDepth < 0 || level <= GetSP().maxDepth) {
        for (; row < 9 && !found; ++row, col = 0) {
            for (; col < 9; ++col) {
                if (PeekField(game, row, col).GetValue() == SdkDigitEmpty) {
                    found = true;
                    break;
                }
            }
            if (found)
                break;
        }
    }

    if (found) {
        // On the heap: a game is several kilobytes, and the recursion may go one
        // level per empty field on a thread whose stack the caller chose.
        const auto afterDirectSteps = std::make_unique<Sudoku>(game, false);
        const SdkResultSet candidates = PeekField(game, row, col).GetResultSet();
        for (int i = 0; !cancelled && !result && !m_error && i < candidates.Count(); ++i) {
            const SdkDigit d = candidates.GetValue(i);
            SdkParam test(game, true, 0, d, row, col);
            main.MVC().Call("SDK_TEST_VALUE", test);
            if (!game.ValueAllowed(d, row, col, false) ||
                !_SetValue(game, d, row, col, true, false)) {
                m_error = true;
                m_errorRow = row;
                m_errorCol = col;
                break;
            }
            if (game.IsCompleted()) {
                m_reachedDepth = level;
                result = true;
            } else {
                RecalcAfterSet(game);
                unsigned badRow = 0, badCol = 0;
                if (!game.FindUnsolvableField(badRow, badCol, false) && !(row == 8 && col == 8))
                    result = Search(level + 1, col == 8 ? row + 1 : row, col == 8 ? 0 : col + 1);
            }
            if (!m_error && !result) {
                game = *afterDirectSteps;
                cancelled = WorkerCancelled(main);
            }
        }
    }

    SdkParam end(game, level, result);
    main.MVC().Call("SDK_END_SOLVING", end);
    return result;
}
