// Solving: the solve on a working copy, solver creation by name, the direct
// steps and the solve record queries.
#include "base/TMutex.h"
#include "base/TOpSystem.h"
#include "engine/SdkSolver.h"
#include "engine/Sudoku.h"

#include <cstdint>
#include <memory>

namespace {
constexpr uint16_t ModeIdle = 0;
constexpr uint16_t ModeSolving = 1;
constexpr uint16_t ModeCreating = 3;
constexpr const char *DefaultSolverName = "SdkDefaultSolver";
constexpr const char *SolverFamily = "SdkSolverInterface";

void *LibraryPtr(long library)
{
    return reinterpret_cast<void *>(static_cast<intptr_t>(library));
}

// A plain library name is looked for beside the program first, as on Windows,
// so that solver libraries shipped with the program are found without set-up.
void *LoadSolverLibrary(const TString &name)
{
    if (name.Find('/') == TString::npos && name.Find('\\') == TString::npos) {
        TString programDir = CurrentOS->GetProgramDir();
        if (!programDir.IsEmpty()) {
            if (void *library = CurrentOS->LoadLibrary(programDir + "/" + name))
                return library;
        }
    }
    return CurrentOS->LoadLibrary(name);
}
} // namespace

// --- Solving -----------------------------------------------------------------------------

bool Sudoku::Solve(int maxDepth, bool startFromRiddle, TString solverName)
{
    return _Solve(0, maxDepth, startFromRiddle, solverName);
}

bool Sudoku::_Solve(int minDepth, int maxDepth, bool startFromRiddle, TString solverName)
{
    TLocker<Sudoku> lock(*this);
    if (IsThreadRunning() && m_runMode != ModeCreating)
        return false;
    m_solveParam.Reset();
    m_solveParam.minDepth = minDepth;
    m_solveParam.maxDepth = maxDepth;
    m_solveParam.startFromRiddle = startFromRiddle;
    m_solveParam.solverName = solverName;
    return _Solve();
}

bool Sudoku::_Solve()
{
    Lock();
    bool pureRiddle = true;
    for (const SdkField &f : m_fields)
        if (!f.IsFix() && f.GetValue() != SdkDigitEmpty)
            pureRiddle = false;
    _DestroySolvedStack();
    m_runMode = ModeSolving;
    auto work = std::make_unique<Sudoku>(*this, true);
    work->m_solveParam = m_solveParam;
    Release();

    // The game stays readable while the solver works on the copy.
    const bool ok = work->_SolveDirect(*this);

    Lock();
    if (ok && work->m_userStack.Count() > 0)
        _CreateSolvedStack(work->m_userStack);
    m_solveParam = work->m_solveParam;
    m_solveParam.success = ok;
    if (pureRiddle && m_btStepsOnCreation < 0)
        m_btStepsOnCreation = m_solveParam.btSteps;
    m_runMode = ModeIdle;
    Release();
    // The copy's listeners take this game's lock while the copy's own is held; dropping the copy
    // under this game's lock would take the two in the other order.
    work.reset();
    return ok;
}

bool Sudoku::_SolveDirect(Sudoku &main)
{
    long library = 0;
    SdkSolverInterface *solver = _CreateSolver(m_solveParam.solverName, library);
    if (!solver)
        return false;
    const bool result = solver->Start(*this, main, m_solveParam);
    m_solveParam = solver->GetSolveParam();
    m_solveParam.success = result;
    _DestroySolver(solver, library);
    return result;
}

SdkSolverInterface *Sudoku::_CreateSolver(TString name, long &library) const
{
    library = 0;
    if (name.IsEmpty())
        name = DefaultSolverName;
    const size_t at = name.FindLast('@');
    if (at == 0)
        return nullptr;
    if (at != TString::npos) {
        const TString libraryName = name.Mid(at + 1);
        name = name.Left(at);
        if (name.IsEmpty() || libraryName.IsEmpty())
            return nullptr;
        void *handle = LoadSolverLibrary(libraryName);
        if (!handle)
            return nullptr;
        library = static_cast<long>(reinterpret_cast<intptr_t>(handle));
    }
    TDynamic *object = TDynamic::DynCreate(name);
    if (object && object->IsClassFamily(SolverFamily))
        return static_cast<SdkSolverInterface *>(object);
    delete object;
    if (library != 0)
        CurrentOS->FreeLibrary(LibraryPtr(library));
    library = 0;
    return nullptr;
}

void Sudoku::_DestroySolver(SdkSolverInterface *solver, long library) const
{
    delete solver;
    if (library != 0)
        CurrentOS->FreeLibrary(LibraryPtr(library));
}

// --- Direct steps ------------------------------------------------------------------------

// The cheapest way to a single candidate first: the sets as they are, then one
// elimination pass, then the doubles of rows, columns and quads, each followed
// by another look for a single.
bool Sudoku::Step(bool &error, SdkDigit &digit, unsigned &row, unsigned &col, bool notify)
{
    TLocker<Sudoku> lock(*this);
    bool settled = false;
    return _Step(error, digit, row, col, notify, true, settled);
}

bool Sudoku::_Step(bool &error, SdkDigit &digit, unsigned &row, unsigned &col, bool notify,
                   bool mark, bool &settled)
{
    error = false;
    digit = SdkDigitEmpty;
    row = col = 0;
    settled = false;
    bool found = false;
    unsigned empty = 0;
    for (const SdkField &f : m_fields)
        empty |= f.GetValue() == SdkDigitEmpty;
    if (empty) {
        ClearLastChanges();
        found = TakeSingleResultStep(error, row, col, notify);
        // At the reduction's fixed point, with every list made from its sets,
        // the pass and the cleaning below remove nothing.
        DistrustIfExposed();
        const bool atFixpoint =
            !found && m_fixpointValid && m_doublesAtFixpoint && (m_moved[0] | m_moved[1]) == 0;
        if (!found && !atFixpoint && _CalcResultSets(false, false))
            found = TakeSingleResultStep(error, row, col, notify);
        if (!error && !atFixpoint) {
            for (SdkBlockType type : SdkBlockTypes) {
                if (found || error)
                    break;
                // CleanBlockResultSets under the lock held here.
                uint64_t changed[2] = {};
                if (CleanBlocks(type, nullptr, changed) > 0)
                    found = TakeSingleResultStep(error, row, col, notify);
            }
        }
        if (found)
            digit = FieldAt(row, col).GetValue();
    }
    // A value just set was reduced and marked by _SetValue; when nobody heard
    // of it, nothing has changed since.
    if (found && !m_deepCalc && (!notify || !MVC().HasNotification(SDK_VALUE_SOLVED))) {
        settled = true;
        return found;
    }
    if (mark)
        RequestMarks();
    return found;
}

// Only Step calls it, holding the engine lock.
bool Sudoku::TakeSingleResultStep(bool &error, unsigned &row, unsigned &col, bool notify)
{
    error = false;
    row = col = 0;
    for (unsigned r = 0; r < 9; ++r) {
        for (unsigned c = 0; c < 9; ++c) {
            const SdkField &f = FieldAt(r, c);
            if (f.IsFix() || f.GetValue() != SdkDigitEmpty)
                continue;
            const SdkResultSet &set = f.GetResultSet();
            if (set.IsEmpty()) {
                row = r;
                col = c;
                error = true;
                return false;
            }
            if (set.Count() == 1) {
                row = r;
                col = c;
                return _SetValue(set.GetValue(0), r, c, true, notify);
            }
        }
    }
    return false;
}
