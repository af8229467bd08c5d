// The game's worker thread: threaded solve, threaded creation and the solution
// playback, plus the run-mode queries the program polls from its timer.
#include "base/TMutex.h"
#include "base/TOpSystem.h"
#include "engine/SdkCreateParam.h"
#include "engine/SdkSolver.h"
#include "engine/Sudoku.h"

namespace {
// The solver recurses once per nested guess, at most once per empty field, and
// each level keeps two game copies on its frame. Sanitizer builds grow frames
// several times over, so the solve and creation workers get ample room; the
// memory is only reserved, pages are touched as the recursion goes down.
constexpr size_t SolverStackSize = size_t(16) << 20;
// The playback only applies single moves, but listeners run on it too.
constexpr size_t PlaybackStackSize = size_t(1) << 20;
} // namespace

// --- Run mode and control ---------------------------------------------------------------

void Sudoku::StopThread()
{
    m_threadOrg.Stop();
}

void Sudoku::CancelThread()
{
    m_threadOrg.Cancel();
}

bool Sudoku::IsSolving() const
{
    TLocker<Sudoku> lock(*this);
    return m_runMode == RunModeSolving;
}

bool Sudoku::IsViewing() const
{
    TLocker<Sudoku> lock(*this);
    return m_runMode == RunModeViewing;
}

bool Sudoku::IsCreating() const
{
    TLocker<Sudoku> lock(*this);
    return m_runMode == RunModeCreating;
}

// The solve record belongs to the worker while it runs, unless the worker is a creation (whose
// measuring solve runs on a copy). The run mode is the worker's too: it is read under the lock,
// like every other field the worker writes.

bool Sudoku::WasSolveSuccessful() const
{
    TLocker<Sudoku> lock(*this);
    if (IsThreadRunning() && m_runMode != RunModeCreating)
        return false;
    return m_solveParam.success;
}

bool Sudoku::WasSolveCancelled() const
{
    TLocker<Sudoku> lock(*this);
    if (IsThreadRunning() && m_runMode != RunModeCreating)
        return false;
    return m_solveParam.cancelled;
}

bool Sudoku::HasSolveError(unsigned &row, unsigned &col) const
{
    TLocker<Sudoku> lock(*this);
    if (IsThreadRunning() && m_runMode != RunModeCreating)
        return false;
    row = m_solveParam.errorRow;
    col = m_solveParam.errorCol;
    return m_solveParam.error;
}

int Sudoku::GetSolveBtStep() const
{
    TLocker<Sudoku> lock(*this);
    if (IsThreadRunning() && m_runMode != RunModeCreating)
        return -1;
    return m_solveParam.success ? m_solveParam.btSteps : -1;
}

// --- Starting a worker --------------------------------------------------------------------

bool Sudoku::StartWorker(void (*entry)(void *), size_t stackSize)
{
    m_threadOrg.PrepareStart();
    TOpSystem::ThreadHandle thread = CurrentOS->CreateThread(entry, this, stackSize);
    if (!thread) {
        m_threadOrg.Reset();
        return false;
    }
    CurrentOS->ReleaseThread(thread);
    return true;
}

bool Sudoku::ThreadSolve(int maxDepth, bool startFromRiddle, TString solverName)
{
    return _ThreadSolve(0, maxDepth, startFromRiddle, solverName);
}

bool Sudoku::_ThreadSolve(int minDepth, int maxDepth, bool startFromRiddle, TString solverName)
{
    TLocker<Sudoku> lock(*this);
    if (IsThreadRunning())
        return false;
    m_solveParam.Reset();
    m_solveParam.minDepth = minDepth;
    m_solveParam.maxDepth = maxDepth;
    m_solveParam.startFromRiddle = startFromRiddle;
    m_solveParam.solverName = solverName;
    if (!StartWorker(_SolverThread, SolverStackSize)) {
        m_solveParam.Reset();
        return false;
    }
    return true;
}

bool Sudoku::ThreadCreateGame(unsigned fixCount, unsigned attempts, int minDepth, int maxDepth,
                              int minDirect)
{
    TLocker<Sudoku> lock(*this);
    if (IsThreadRunning())
        return false;
    m_createParam.Reset();
    if (fixCount == 0 || attempts == 0)
        return false;
    m_createParam.threaded = true;
    m_createParam.fixCount = fixCount;
    m_createParam.attempts = attempts;
    m_createParam.minDepth = minDepth;
    m_createParam.maxDepth = maxDepth;
    m_createParam.minDirect = minDirect;
    if (!StartWorker(_CreateGameThread, SolverStackSize)) {
        m_createParam.Reset();
        return false;
    }
    return true;
}

bool Sudoku::RunSolution()
{
    TLocker<Sudoku> lock(*this);
    if (IsThreadRunning() || !m_solvedStack)
        return false;
    {
        TLocker<SdkSolvedStack> stackLock(*m_solvedStack);
        if (m_solvedStack->Count() == 0)
            return false;
    }
    return StartWorker(_SolutionThread, PlaybackStackSize);
}

// --- Thread entries and bodies ------------------------------------------------------------
// Reset() is the worker's last touch of the game: the destructor waits for it
// and may free the game right after.

void Sudoku::_SolverThread(void *game)
{
    static_cast<Sudoku *>(game)->SolverThread();
}

void Sudoku::SolverThread()
{
    _Solve();
    m_threadOrg.Reset();
}

void Sudoku::_CreateGameThread(void *game)
{
    static_cast<Sudoku *>(game)->CreateGameThread();
}

void Sudoku::CreateGameThread()
{
    _CreateGame();
    m_threadOrg.Reset();
}

void Sudoku::_SolutionThread(void *game)
{
    static_cast<Sudoku *>(game)->SolutionThread();
}

// Applies the recorded solution one move at a time. Entries whose value already
// stands in the field (the user's own moves ahead of the solver's) are skipped
// with a 1 ms pause; the pause after a real move is the delay, read afresh at
// every step so the speed bar acts at once, and it is spent without the lock so
// the program can draw meanwhile.
void Sudoku::SolutionThread()
{
    Lock();
    m_runMode = RunModeViewing;
    bool cancelled = IsThreadCancelled();
    Release();

    bool stopped = false;
    unsigned index = 0;
    while (!cancelled && !stopped) {
        bool endReached = false;
        bool changed = false;
        bool pauseFollows = false;
        unsigned pauseMs = 0;
        unsigned next = index;

        Lock();
        unsigned delay = m_delayMs;
        SdkSolvedField entry;
        bool taken = false;
        if (!m_solvedStack) {
            stopped = true;
        } else {
            TLocker<SdkSolvedStack> stackLock(*m_solvedStack);
            if (index < m_solvedStack->Count()) {
                entry = m_solvedStack->GetAt(int(index));
                next = index + 1;
                taken = true;
            } else {
                endReached = true;
            }
        }
        if (taken) {
            ClearLastChanges();
            const SdkField *field = GetFieldPtr(entry.GetRow(), entry.GetColumn());
            if (!field)
                stopped = true;
            else if (field->GetValue() != entry.GetValue()) {
                changed =
                    _SetValue(entry.GetValue(), entry.GetRow(), entry.GetColumn(), true, true);
                stopped = !changed;
            }
        }
        if (!endReached && !stopped) {
            cancelled = IsThreadCancelled();
            if (!cancelled) {
                pauseFollows = true;
                pauseMs = changed ? delay : 1;
            }
        }
        Release();

        if (pauseFollows && pauseMs != 0) {
            CurrentOS->Sleep(pauseMs);
            cancelled = IsThreadCancelled();
        }
        if (endReached)
            break;
        index = next;
    }

    Lock();
    m_runMode = RunModeIdle;
    Release();
    // After the lock is given back: once Reset() has run, the game may be gone.
    m_threadOrg.Reset();
}
