// Riddle creation: computed riddles by trial (random given digits measured with
// the direct steps and the backtracking solver) and predefined riddles picked
// from the installation's stock, avoiding the three most recently used.
#include "base/TMutex.h"
#include "base/TOpSystem.h"
#include "base/TTimeMs.h"
#include "engine/SdkCreateParam.h"
#include "engine/SdkSolver.h"
#include "engine/Sudoku.h"

#include <bit>
#include <cstdlib>
#include <vector>

namespace {
const char *const RecentPredefsKey = "Software\\Orbel\\Ninefold Sudoku\\RecentPredefs";
constexpr int RecentPredefsKept = 3;
// Each digit drawn for a field gets this many tries before a new field is drawn.
constexpr int DigitTriesPerField = 5;
} // namespace

// --- Creation record ------------------------------------------------------------------------

bool Sudoku::CreateGame(unsigned fixCount, unsigned attempts, int minDepth, int maxDepth,
                        int minDirect)
{
    TLocker<Sudoku> lock(*this);
    if (IsThreadRunning())
        return false;
    m_createParam.Reset();
    m_createParam.fixCount = fixCount;
    m_createParam.attempts = attempts;
    m_createParam.minDepth = minDepth;
    m_createParam.maxDepth = maxDepth;
    m_createParam.minDirect = minDirect;
    return _CreateGame();
}

bool Sudoku::WasCreateGameSuccessful() const
{
    TLocker<Sudoku> lock(*this);
    return m_createParam.success;
}

bool Sudoku::WasCreateGameCancelled() const
{
    TLocker<Sudoku> lock(*this);
    if (m_runMode != RunModeIdle || IsThreadRunning())
        return false;
    return m_createParam.cancelled;
}

unsigned Sudoku::GetCreateGameSuccessAttempt() const
{
    TLocker<Sudoku> lock(*this);
    return m_createParam.success ? m_createParam.successAttempt : 0;
}

int Sudoku::GetCreateGameBtStep() const
{
    TLocker<Sudoku> lock(*this);
    return m_createParam.success ? m_createParam.btSteps : -1;
}

int Sudoku::GetBtStepsOnCreation() const
{
    TLocker<Sudoku> lock(*this);
    return m_btStepsOnCreation;
}

void Sudoku::SetBtStepsOnCreation(int steps)
{
    if (steps < -1)
        steps = -1;
    TLocker<Sudoku> lock(*this);
    if (steps != m_btStepsOnCreation) {
        m_btStepsOnCreation = steps;
        m_definitionChanged = false;
    }
}

// --- Random numbers -------------------------------------------------------------------------

// Mixes two clock components into a seed for srand; consecutive calls a
// millisecond apart give unrelated values.
unsigned Sudoku::GetRandomNumber()
{
    TTimeMs now;
    now.InitCurrentTime();
    return MixRandomSeed(now.GetSeconds(), now.GetMicroseconds());
}

unsigned Sudoku::MixRandomSeed(int32_t seconds, uint32_t micros)
{
    uint32_t x = uint32_t(seconds % 21 + 1) * micros;
    uint32_t m = x % 9 + 1;
    if (m < 3)
        m += 10;
    uint32_t y = (x / m) * m - 1;
    uint32_t s = x % 31 + 1;
    uint32_t z = std::rotl(y, int(s));
    if (int32_t(z) < 0)
        z = 0u - z;
    return z;
}

// --- Computed riddles -----------------------------------------------------------------------

bool Sudoku::_CreateGame()
{
    Lock();
    m_runMode = RunModeCreating;
    bool go = m_createParam.fixCount > 0 && m_createParam.attempts > 0;
    if (go && !IsThreadRunning())
        _Reset();
    Release();

    bool result = go && TryCreate(m_createParam);

    Lock();
    if (result)
        m_btStepsOnCreation = m_createParam.btSteps;
    m_runMode = RunModeIdle;
    Release();
    return result;
}

// True when some empty field can still take some digit.
bool Sudoku::HasPlaceableField() const
{
    for (unsigned row = 0; row < 9; ++row)
        for (unsigned col = 0; col < 9; ++col) {
            if (FieldAt(row, col).IsFix() || FieldAt(row, col).GetValue() != SdkDigitEmpty)
                continue;
            for (unsigned d = 1; d <= 9; ++d)
                if (ValueAllowed(SdkDigit(d), row, col, false))
                    return true;
        }
    return false;
}

// Places count random given digits on an empty grid. A field that is taken, or
// that refuses five random digits, is left and a new field drawn. When no empty
// field can take any digit any more, the filling cannot go on: the result is
// then false and the attempt is to be rejected. Cancelling (threaded only)
// ends the filling early with the digits placed so far.
bool Sudoku::FillRandomFixes(unsigned count, bool threaded)
{
    srand(GetRandomNumber());
    Lock();
    _Reset();
    Release();
    unsigned placed = 0;
    bool cancelled = false;
    while (placed < count && !cancelled) {
        unsigned p = unsigned(rand()) % 81;
        unsigned row = p / 9, col = p % 9;
        Lock();
        bool done = false;
        const SdkField &field = FieldAt(row, col);
        if (!field.IsFix() && field.GetValue() == SdkDigitEmpty) {
            for (int tries = 0; tries < DigitTriesPerField && !done; ++tries) {
                SdkDigit d = SdkDigit(unsigned(rand()) % 9 + 1);
                if (ValueAllowed(d, row, col, false) && Fix(d, row, col)) {
                    ++placed;
                    done = true;
                }
            }
        }
        bool dead = !done && !HasPlaceableField();
        Release();
        if (dead)
            return false;
        if (threaded)
            cancelled = IsThreadCancelled();
    }
    return true;
}

bool Sudoku::TryCreate(SdkCreateParam &record)
{
    Lock();
    bool threaded = record.threaded;
    unsigned fixCount = record.fixCount;
    unsigned attempts = record.attempts;
    int minDepth = record.minDepth;
    int maxDepth = record.maxDepth;
    int minDirect = record.minDirect;
    bool cancelled = threaded && IsThreadCancelled();
    Release();

    bool success = false;
    for (unsigned n = 1; n <= attempts && !success && !cancelled; ++n) {
        if (n > 1)
            CurrentOS->Sleep(1);
        bool filled = FillRandomFixes(fixCount, threaded);
        SdkParam param(*this, true, n, SdkDigitEmpty, 0, 0);
        MVC().Call(SDK_TRY_CREATED_GAME, param);
        if (filled)
            success = TryAttempt(record, n, threaded, minDepth, maxDepth, minDirect, cancelled);
        if (!success && threaded)
            cancelled = IsThreadCancelled();
    }

    Lock();
    record.success = success;
    record.cancelled = cancelled;
    if (success)
        StartNewRiddle();
    else
        _Reset();
    // A solution recorded for an earlier game must not be played onto this one.
    _DestroySolvedStack();
    CalcResultSets(true, false);
    RecalcResultSets();
    Release();
    return success;
}

// Measures one attempt; on acceptance the game becomes the riddle as placed.
bool Sudoku::TryAttempt(SdkCreateParam &record, unsigned n, bool threaded, int minDepth,
                        int maxDepth, int minDirect, bool &cancelled)
{
    Sudoku riddle(*this, false);
    Sudoku measure(*this, true);
    if (!measure.StartGame(false, false, true))
        return false;
    measure.CalcResultSets(true, false);
    measure.RecalcResultSets();

    int direct = 0;
    for (;;) {
        bool error = false;
        SdkDigit digit = SdkDigitEmpty;
        unsigned row = 0, col = 0;
        if (!measure.Step(error, digit, row, col, false)) {
            if (error)
                return false;
            break;
        }
        ++direct;
    }
    if (direct < minDirect)
        return false;

    bool accept = false;
    int btSteps = 0;
    if (minDepth <= 0 && measure.IsCompleted()) {
        accept = true;
    } else {
        if (int(measure.GetSolvedCount()) < minDirect)
            return false;
        if (!threaded) {
            // The caller holds this game's lock for the whole creation; a listener
            // that takes it from the measuring worker would wait forever, so the
            // measurement runs right here instead.
            accept = measure._Solve(minDepth, maxDepth, true, TString());
            btSteps = measure.GetSolveBtStep();
            return accept && AcceptRiddle(record, n, riddle, btSteps);
        }
        if (!measure._ThreadSolve(minDepth, maxDepth, true, TString()))
            return false;
        while (measure.IsThreadRunning()) {
            CurrentOS->Sleep(5);
            if (threaded && !cancelled) {
                cancelled = IsThreadCancelled();
                if (cancelled)
                    measure.CancelThread();
            }
        }
        if (cancelled)
            return false;
        accept = measure.WasSolveSuccessful();
        btSteps = measure.GetSolveBtStep();
    }
    return accept && AcceptRiddle(record, n, riddle, btSteps);
}

bool Sudoku::AcceptRiddle(SdkCreateParam &record, unsigned n, const Sudoku &riddle, int btSteps)
{
    TLocker<Sudoku> lock(*this);
    record.btSteps = btSteps;
    record.successAttempt = n;
    *this = riddle;
    StartNewRiddle();
    CalcResultSets(true, false);
    RecalcResultSets();
    return true;
}

// StartGame (false, false, true) as the creating worker needs it: StartGame
// itself refuses while a worker runs, and here the worker is the caller.
void Sudoku::StartNewRiddle()
{
    TLocker<Sudoku> lock(*this);
    if (StartGame(false, false, true))
        return;
    SettleMarks();
    DropFixpoint();
    for (SdkField &field : m_fields)
        if (!field.IsFix())
            field.Empty();
    m_userStack.Empty(false);
    _DestroySolvedStack();
    m_fileName.Empty();
    m_definitionChanged = GetFixCount() > 0;
    m_stateChanged = false;
}

// --- Predefined riddles ---------------------------------------------------------------------

bool Sudoku::CreateGamePredefined(TString folder, int level)
{
    if (IsThreadRunning())
        return false;
    if (level < 1)
        level = 1;
    if (level > 3)
        level = 3;
    folder.ReplaceAll("\\", "/");

    bool success = false;
    std::vector<TOpSystem::DirEntry> entries;
    if (CurrentOS->ExistsPath(folder) &&
        CurrentOS->ListDirectory(folder, TString::Format("*.%02d.spd", level), entries)) {
        std::vector<TString> names;
        for (const TOpSystem::DirEntry &entry : entries)
            if (!entry.isDirectory)
                names.push_back(entry.name);
        for (int pick = 0; pick < 3 && !success && !names.empty(); ++pick) {
            TString name = PickRandomName(names, pick == 0);
            if (name.IsEmpty())
                break;
            if (IsRecentPredef(name))
                continue;
            TLocker<Sudoku> lock(*this);
            if (LoadGame(folder + "/" + name, true, false) && GetFixCount() >= 10) {
                success = StartGame(false, false, true);
                AddRecentPredef(name);
            }
        }
    }
    if (!success) {
        TLocker<Sudoku> lock(*this);
        if (Reset())
            (void)StartGame(false, false, true);
    }
    return success;
}

TString Sudoku::PickRandomName(const std::vector<TString> &names, bool reseed)
{
    if (names.empty())
        return TString();
    if (reseed)
        srand(GetRandomNumber());
    unsigned n = unsigned(names.size());
    unsigned r = unsigned(rand());
    if (r == 0)
        r = 1;
    unsigned k = r % n;
    if (k == 0)
        k = n;
    return names[k - 1];
}

bool Sudoku::IsRecentPredef(const TString &name)
{
    if (name.IsEmpty())
        return false;
    for (const TString &valueName :
         CurrentOS->ListRegistryValues(TOpSystem::RootCurrentUser, RecentPredefsKey)) {
        TString value =
            CurrentOS->ReadRegistryValue(TOpSystem::RootCurrentUser, RecentPredefsKey, valueName);
        if (!value.IsEmpty() && value.Stricmp(name) == 0)
            return true;
    }
    return false;
}

void Sudoku::AddRecentPredef(const TString &name)
{
    if (name.IsEmpty())
        return;
    std::vector<TString> kept;
    for (const TString &valueName :
         CurrentOS->ListRegistryValues(TOpSystem::RootCurrentUser, RecentPredefsKey)) {
        TString value =
            CurrentOS->ReadRegistryValue(TOpSystem::RootCurrentUser, RecentPredefsKey, valueName);
        if (!value.IsEmpty())
            kept.push_back(value);
    }
    while (kept.size() >= size_t(RecentPredefsKept))
        kept.pop_back();
    kept.insert(kept.begin(), name);
    for (size_t i = 0; i < kept.size(); ++i)
        (void)CurrentOS->WriteRegistryValue(TOpSystem::RootCurrentUser, RecentPredefsKey,
                                            TString::Format("%04ld", long(i + 1)), kept[i]);
}
