#pragma once
// The game: grid, rules, candidates, history, and the hooks for solving,
// creating and filing games. Operations report success by their result and
// leave the game unchanged on refusal. Every operation that reads or writes the
// grid holds the game's re-entrant engine lock unless its comment says otherwise.
#include "base/TDynamic.h"
#include "base/TMvc.h"
#include "base/TString.h"
#include "base/TThreadOrg.h"
#include "engine/SdkBlockRef.h"
#include "engine/SdkCreateParam.h"
#include "engine/SdkHistory.h"
#include "engine/SdkParam.h"
#include "engine/SdkSolver.h"
#include "engine/SdkTypes.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

class Sudoku : public TDynamic
{
    TDYN_DECLARE(Sudoku)

public:
    // --- Construction, copy, comparison -------------------------------------------------
    Sudoku();
    // A copy with its own blocks, run mode idle; with copyMvc the other's event
    // registrations come along, so a working copy's events reach the same listeners.
    Sudoku(const Sudoku &other, bool copyMvc = false);
    // Copies everything but the run mode and the event registrations.
    Sudoku &operator=(const Sudoku &other);
    ~Sudoku() override;

    // Same given digits and values, and the same history entries.
    bool operator==(const Sudoku &other) const;
    bool operator!=(const Sudoku &other) const { return !(*this == other); }
    bool EqualsValues(const Sudoku &other) const;
    bool EqualsFix(const Sudoku &other) const;

    // The board as text.
    TString ToString() const override;

    // --- Grid geometry -------------------------------------------------------------------
    static bool GetRowAndCol(unsigned quad, unsigned pos, unsigned &row, unsigned &col);
    static bool GetQuad(unsigned row, unsigned col, unsigned &quad);

    // --- Grid access (no lock: bracket series of reads with Lock/Release) ---------------
    // A copy of the field; an empty field for an out-of-range position.
    SdkField GetField(unsigned row, unsigned col) const;
    // Read-only view of a block, e.g. for its doubles; row 0 for an unknown type or index.
    const SdkBlockRef &GetBlock(SdkBlockType type, unsigned index) const;

    // --- Engine lock, worker state, events ----------------------------------------------
    void Lock() const { m_threadOrg.Lock(0); }
    void Release() const { m_threadOrg.Release(); }
    bool IsThreadRunning() const { return m_threadOrg.IsRunning(); }
    bool IsThreadCancelled() const { return m_threadOrg.IsCancelled(); }
    // Pause between shown solution steps.
    uint16_t GetDelayMs() const;
    void SetDelayMs(uint16_t delayMs);
    // The game's event hub, where listeners register.
    virtual TMvc &MVC() { return m_mvc; }

    // --- Rules ---------------------------------------------------------------------------
    // False off the grid and for digits > 9; true for 0; otherwise whether no
    // row, column or quad conflict exists (deep: empty fields whose only
    // candidate is d conflict too). The field's own content does not count.
    bool ValueAllowed(SdkDigit d, unsigned row, unsigned col, bool deep) const;

    // --- Played values -------------------------------------------------------------------
    // Recorded and reported; see _SetValue.
    [[nodiscard]] bool SetValue(SdkDigit d, unsigned row, unsigned col);
    [[nodiscard]] bool EmptyValue(unsigned row, unsigned col);

    // --- Given digits (refused while any played value exists) ---------------------------
    [[nodiscard]] bool Fix(SdkDigit d, unsigned row, unsigned col);
    [[nodiscard]] bool Unfix(unsigned row, unsigned col);

    // --- User candidates and excludes (no lock, no changed flags) -----------------------
    SdkResultSet GetUserCandidates(unsigned row, unsigned col) const;
    bool SetUserCandidates(const SdkResultSet &set, unsigned row, unsigned col);
    bool AddUserCandidate(SdkDigit d, unsigned row, unsigned col);
    bool RemoveUserCandidate(SdkDigit d, unsigned row, unsigned col);
    bool EmptyUserCandidates(unsigned row, unsigned col);
    void EmptyAllUserCandidates();
    SdkResultSet GetUserExcludes(unsigned row, unsigned col) const;
    bool SetUserExcludes(const SdkResultSet &set, unsigned row, unsigned col);
    bool AddUserExclude(SdkDigit d, unsigned row, unsigned col);
    bool RemoveUserExclude(SdkDigit d, unsigned row, unsigned col);
    bool EmptyUserExcludes(unsigned row, unsigned col);
    void EmptyAllUserExcludes();

    // --- Counts and checks ---------------------------------------------------------------
    unsigned GetFixCount() const;
    unsigned GetSolvedCount() const;
    unsigned GetUnsolvedCount() const;
    // No empty field; validity is Verify's business.
    bool IsCompleted() const;
    // Rows, then columns, then quads; stops at the first block holding a digit
    // twice and names the later field. completed: valid and no field empty.
    bool Verify(unsigned *row = nullptr, unsigned *col = nullptr, bool *completed = nullptr) const;
    // The first empty field without candidates, after a reduction when recalc.
    bool FindUnsolvableField(unsigned &row, unsigned &col, bool recalc);
    bool IsDefinitionChanged() const;
    bool IsStateChanged() const;

    // --- Marks ---------------------------------------------------------------------------
    // Clears every last-changed mark. No lock.
    void ResetLastChanges();
    // Marks the fields of every contradiction within a block; true when any was marked.
    bool MarkDoubleResults();

    // --- Candidate calculation options ---------------------------------------------------
    bool IsDeepCalcResultSets() const;
    void SetDeepCalcResultSets(bool deep);

    // --- History -------------------------------------------------------------------------
    [[nodiscard]] bool Undo();
    [[nodiscard]] bool Redo();
    // These take only the user stack's mutex: callable while a worker runs.
    bool CanUndo() const { return m_userStack.CanUndo(); }
    bool CanRedo() const { return m_userStack.CanRedo(); }
    unsigned GetUserStackPtr() const { return m_userStack.GetPtr(); }
    unsigned GetUserStackCount() const { return m_userStack.Count(); }
    // False (out untouched) for index >= count; else whether the entry is valid.
    bool GetUserStack(unsigned index, SdkSolvedField &out) const;
    unsigned GetSolutionStackCount() const;
    bool GetSolution(unsigned index, SdkSolvedField &out) const;

    // --- Game states (refused while the worker runs) ------------------------------------
    // Clears grid, history, file name and changed flags; the solution stays.
    [[nodiscard]] bool Reset();
    [[nodiscard]] bool StartGame(bool keepValues, bool keepHistory, bool newGame);

    // --- Solving -------------------------------------------------------------------------
    // Solves a working copy on the caller's thread; the game itself never changes.
    // The moves land in the solved stack, the outcome in the solve record.
    // solverName: "Class" or "Class@library"; empty for the built-in solver.
    bool Solve(int maxDepth, bool startFromRiddle, TString solverName);
    // The solve record; false (-1) while a worker runs that is not creating.
    bool WasSolveSuccessful() const;
    bool WasSolveCancelled() const;
    bool HasSolveError(unsigned &row, unsigned &col) const;
    int GetSolveBtStep() const;
    // One direct step on the game itself: true when a value was set. error: an
    // empty field without candidates was met at row/col.
    bool Step(bool &error, SdkDigit &digit, unsigned &row, unsigned &col, bool notify);

    // --- Game files ----------------------------------------------------------------------
    // The game text: compact (the file form) or formatted (9 lines, aligned).
    TString WriteStream(bool definitionOnly, bool formatted) const;
    // Reads a game text, compact or formatted; the history is not taken over.
    bool ReadStream(TString text, bool definitionOnly);
    // compact: true writes the file form. An empty path saves to the file name.
    bool SaveGame(TString path, bool definitionOnly, bool compact);
    bool LoadGame(TString path, bool definitionOnly, bool readHistory);
    // A game text is a few hundred bytes, plus four per history entry: a bigger file is not
    // a game file, and LoadGame refuses it without reading it.
    static constexpr int64_t MaxGameFileBytes = int64_t(16) << 20;
    // "$curr.sdk" in the user's game folder.
    bool SaveCurrentGame() const;
    bool LoadCurrentGame();
    TString GetFileName() const;
    // Seconds the game has been played; kept in the game text's "TIME:" section.
    unsigned GetPlayTime() const;
    // Setting it marks nothing as changed: the clock runs on its own.
    void SetPlayTime(unsigned seconds);
    // Where the riddle came from, for the statistics of finished games: kept in the game
    // text's "ORIGIN:" section. Kind 0 is unknown (or played with help), 1 a predefined
    // riddle, 2 a computed one; level is the level it was chosen at.
    struct Origin
    {
        int kind = 0;
        int level = 0;
    };
    Origin GetRiddleOrigin() const;
    void SetRiddleOrigin(Origin origin);
    // The user's game folder, created when missing; empty when that fails.
    static TString GetUserGamesPath();
    // Every field's computed candidates; or, per block of a type, with its doubles.
    TString ResultSetsToString() const;
    TString ResultSetsToString(SdkBlockType type) const;

    // --- Worker threads ------------------------------------------------------------------
    // At most one worker per game: a threaded solve, a threaded creation or the
    // playback of the solution. Starts are refused while one runs; the caller
    // polls IsThreadRunning and reads the results afterwards.
    enum RunMode : uint16_t {
        RunModeIdle = 0,
        RunModeSolving = 1,
        RunModeViewing = 2,
        RunModeCreating = 3
    };
    // Cancels and waits for the worker's end. Never call it holding the lock.
    void StopThread();
    // Only sets the flag; the worker notices it at its next check.
    void CancelThread();
    bool IsSolving() const;
    bool IsViewing() const;
    bool IsCreating() const;
    // Solve on the worker; results as for Solve.
    bool ThreadSolve(int maxDepth, bool startFromRiddle, TString solverName);
    // Plays the solved stack back from its first entry, one move per delay;
    // false without a non-empty solved stack.
    bool RunSolution();

    // --- Riddle creation -----------------------------------------------------------------
    // Places fixCount random given digits per attempt, at most attempts times, and
    // keeps the first riddle whose direct steps set at least minDirect values and
    // whose solution needs minDepth to maxDepth (-1: any) nested guesses. The
    // game ends as that riddle, started as a new game, or empty.
    bool CreateGame(unsigned fixCount, unsigned attempts, int minDepth, int maxDepth,
                    int minDirect);
    bool ThreadCreateGame(unsigned fixCount, unsigned attempts, int minDepth, int maxDepth,
                          int minDirect);
    bool WasCreateGameSuccessful() const;
    // Only once the creation has ended.
    bool WasCreateGameCancelled() const;
    // The accepted attempt (from 1) and its nested guesses; 0 and -1 without success.
    unsigned GetCreateGameSuccessAttempt() const;
    int GetCreateGameBtStep() const;
    // Nested guesses the riddle needs; -1 when unknown.
    int GetBtStepsOnCreation() const;
    // A seed for srand from two clock components.
    static unsigned GetRandomNumber();
    // Its arithmetic on given components (seconds, microseconds).
    static unsigned MixRandomSeed(int32_t seconds, uint32_t micros);
    // Loads a random "*.0<level>.spd" riddle of folder that is not among the three
    // most recently used; false (and an empty game) when none could be taken.
    bool CreateGamePredefined(TString folder, int level);
    // Index rule of the pick: r = rand() (1 when 0), k = r mod n (n when 0), name k-1.
    static TString PickRandomName(const std::vector<TString> &names, bool reseed);
    // The recently used predefined riddles, newest first, in the settings.
    static bool IsRecentPredef(const TString &name);
    static void AddRecentPredef(const TString &name);

private:
    friend class SdkSolverInterface;
    friend class SdkBlockRef;
    // Tests reach the calculation steps through it.
    friend class SudokuTestPeer;
    class EvTabRegistration;

    // --- Grid internals ------------------------------------------------------------------
    void InitBlocks();
    SdkField *GetFieldPtr(unsigned row, unsigned col);
    const SdkField *GetFieldPtr(unsigned row, unsigned col) const;
    SdkField &FieldAt(unsigned row, unsigned col) { return m_fields[row * 9 + col]; }
    const SdkField &FieldAt(unsigned row, unsigned col) const { return m_fields[row * 9 + col]; }
    SdkBlockRef &GetQuad(unsigned row, unsigned col);
    // The nine blocks of a type, or null for an unknown type.
    SdkBlockRef *GetBlocks(SdkBlockType type);
    void RecalcAllDoubles();
    void TakeDoublesOf(const Sudoku &other);
    // Takes over the other's fixpoint grid (after the fields and lists).
    void TakeFixpointOf(const Sudoku &other);
    // Whether some field is empty.
    bool AnyFieldEmpty() const;
    // A write that the calculation did not make, or that took a value away: the
    // next reduction cannot start from the fixpoint grid.
    void DropFixpoint()
    {
        m_fixpointValid = false;
        m_blockSetsValid = false;
    }
    void NoteMoved(unsigned at) { m_moved[at / 64] |= uint64_t(1) << (at % 64); }
    // Keeps the blocks' copies of field at's set (0 for a field with a value).
    void NoteBlockSets(unsigned at, uint16_t set);
    // Makes the blocks' copies of the sets anew after writes outside the calculation.
    void SyncBlockSets();
    // Once a field was handed out for writing, a write may come at any time:
    // nothing is taken as known any more, and marks are made when asked for.
    void DistrustIfExposed()
    {
        if (m_fieldsExposed)
            DropFixpoint();
    }
    // Settles the marks and drops the fixpoint before a field is handed out for writing.
    SdkField &FieldForWriting(unsigned row, unsigned col);
    void ClearLastChanges();
    // Sets the last-changed mark of field at, noted for ClearLastChanges.
    void MarkLastChanged(unsigned at)
    {
        m_fields[at].SetLastChanged(true);
        m_lastChanged[at / 64] |= uint64_t(1) << (at % 64);
    }

    // --- Editing twins -------------------------------------------------------------------
    // The work of SetValue/EmptyValue without recording or reporting, as asked.
    bool _SetValue(SdkDigit d, unsigned row, unsigned col, bool record, bool notify);
    bool _EmptyField(SdkDigit old, unsigned row, unsigned col, bool record, bool notify);
    bool _Fix(SdkDigit d, unsigned row, unsigned col, bool record);
    bool _Unfix(unsigned row, unsigned col, bool record);
    void UnmarkDoubleResults();
    void NotifyValueSolved(bool success, SdkDigit d, unsigned row, unsigned col);

    // --- Lock-free twins --------------------------------------------------------------------
    // The work of the public operations of the same name for callers that hold
    // the engine lock already: the solver runs them for every step, and taking
    // the re-entrant lock once more costs more than some of them.
    unsigned _UnsolvedCount() const;
    bool _ValueAllowed(SdkDigit d, unsigned row, unsigned col, bool deep) const;
    bool _MarkDoubleResults();
    // The calculation asks for the marks after every change, but mostly nobody
    // looks at them before the next change (the solver's steps): they are made
    // when read. Until then the grid stays as it was when they were asked for:
    // every change that is not followed by a request settles them first.
    void RequestMarks()
    {
        if (m_fieldsExposed)
            _MarkDoubleResults();
        else
            m_marksPending.store(true, std::memory_order_relaxed);
    }
    // Makes the marks asked for; the caller holds the engine lock.
    void SettleMarks();
    // The same for readers that may not hold it.
    void SettleMarksLocked() const;

    // --- Candidate calculation -----------------------------------------------------------
    // One elimination pass; a full rebuild (then reduced to the fixed point) when full.
    bool CalcResultSets(bool full, bool deep);
    // The same without taking the lock; fields whose sets lose digits are added
    // to reduced (81 bits) when given.
    bool _CalcResultSets(bool full, bool deep, uint64_t *reduced = nullptr,
                         const uint64_t *only = nullptr);
    // Passes and double cleaning to the fixed point, then conflict marking.
    bool RecalcResultSets();
    // The reduction loop of RecalcResultSets without the marking. The callers
    // hold the engine lock.
    bool ReduceResultSets(bool deep);
    unsigned CleanBlockResultSets(SdkBlockType type);
    // The same; the lists of blocks without a field in touched (81 bits; null:
    // none trusted) are known to be made from their current sets, which they
    // cannot reduce: those blocks are passed by. Fields whose sets lose digits
    // are added to changed.
    unsigned CleanBlocks(SdkBlockType type, const uint64_t *touched, uint64_t (&changed)[2]);
    bool CleanAllBlockResultSets();
    void EmptyAllDoubleLists();

    // --- History twins -------------------------------------------------------------------
    bool _Undo(bool notify);
    bool _Redo(bool notify);
    void _Reset();
    void _CreateSolvedStack(const SdkUserStack &stack);
    void _DestroySolvedStack();

    // --- Solving twins -------------------------------------------------------------------
    bool _Solve(int minDepth, int maxDepth, bool startFromRiddle, TString solverName);
    // The body of every solve, threaded or not.
    bool _Solve();
    // On the working copy: create the solver, run it, take its record over.
    bool _SolveDirect(Sudoku &main);
    SdkSolverInterface *_CreateSolver(TString name, long &library) const;
    void _DestroySolver(SdkSolverInterface *solver, long library) const;
    bool TakeSingleResultStep(bool &error, unsigned &row, unsigned &col, bool notify);
    // Step under the lock held. settled: the grid is as the reduction and the
    // marking after the value set left it, so that RecalcResultSets would change
    // nothing (no listener can have run since, no deep option). Without mark the
    // caller runs RecalcResultSets unless settled, whose marking replaces Step's.
    bool _Step(bool &error, SdkDigit &digit, unsigned &row, unsigned &col, bool notify, bool mark,
               bool &settled);

    // --- Game file internals -------------------------------------------------------------
    bool ReadGameText(const TString &text, bool definitionOnly, bool readHistory);
    bool WriteGameFile(const TString &path, bool definitionOnly, bool compact) const;
    bool ReadGameFile(const TString &path, bool definitionOnly, bool readHistory);

    // --- Worker thread internals ---------------------------------------------------------
    bool _ThreadSolve(int minDepth, int maxDepth, bool startFromRiddle, TString solverName);
    // PrepareStart and the thread; the organiser is reset again when it cannot start.
    bool StartWorker(void (*entry)(void *), size_t stackSize);
    static void _SolverThread(void *game);
    static void _CreateGameThread(void *game);
    static void _SolutionThread(void *game);
    void SolverThread();
    void CreateGameThread();
    void SolutionThread();

    // --- Riddle creation internals -------------------------------------------------------
    // Values below -1 become -1; a change clears definition changed.
    void SetBtStepsOnCreation(int steps);
    bool _CreateGame();
    bool TryCreate(SdkCreateParam &record);
    bool TryAttempt(SdkCreateParam &record, unsigned n, bool threaded, int minDepth, int maxDepth,
                    int minDirect, bool &cancelled);
    bool AcceptRiddle(SdkCreateParam &record, unsigned n, const Sudoku &riddle, int btSteps);
    bool FillRandomFixes(unsigned count, bool threaded);
    bool HasPlaceableField() const;
    void StartNewRiddle();

    // --- Events --------------------------------------------------------------------------
    static void TMvcEventsRegister();
    static TMvcEventTable m_stcoEvTab;
    static EvTabRegistration m_stcoEvTabRegistration;

    // --- Data ----------------------------------------------------------------------------
    TThreadOrg m_threadOrg;
    // 0 idle, 1 solving, 2 viewing a solution, 3 creating.
    uint16_t m_runMode = 0;
    uint16_t m_delayMs = 0;
    bool m_definitionChanged = false;
    bool m_stateChanged = false;
    // The grid row by row; the blocks point into it and are set up by each constructor.
    SdkField m_fields[81];
    SdkBlockRef m_rows[9];
    SdkBlockRef m_cols[9];
    SdkBlockRef m_quads[9];
    int m_btStepsOnCreation = -1;
    unsigned m_playSeconds = 0;
    Origin m_origin;
    bool m_deepCalc = false;
    SdkUserStack m_userStack;
    std::unique_ptr<SdkSolvedStack> m_solvedStack;
    TString m_fileName;
    TMvc m_mvc;
    // The outcome of the last solve.
    SdkSolveParam m_solveParam;
    // Marks were asked for and not yet made (atomic: readers test it before
    // they take the lock).
    std::atomic<bool> m_marksPending{false};
    // Whether the reduction's last fixed point is still known: the fields whose
    // value or candidates may have changed since are in m_moved (81 bits). Every
    // write of the calculation notes its field there; any other write drops it.
    bool m_fixpointValid = false;
    uint64_t m_moved[2] = {};
    // The sets of every block's fields by position (0 for a field with a value),
    // blocks numbered as below, kept by every write of the calculation.
    uint16_t m_blockSets[27][9] = {};
    bool m_blockSetsValid = false;
    bool m_fieldsExposed = false;
    // The fields that may carry the last-changed mark (81 bits): only those are cleared.
    uint64_t m_lastChanged[2] = {~uint64_t(0), (uint64_t(1) << 17) - 1};
    // The value bits of every block (rows, columns, quads: 0..26) of that grid.
    uint16_t m_fixpointValues[27] = {};
    // The same as the last elimination pass saw them.
    uint16_t m_passValues[27] = {};
    // Every block's double list was made from the sets of that grid and has not
    // changed since: the blocks' summaries describe it.
    bool m_doublesAtFixpoint = false;
    // A copy took over lists made from its fixpoint grid, which its fields are.
    bool m_fixpointDoublesTaken = false;
    // The request and outcome of the last riddle creation.
    SdkCreateParam m_createParam;
};
