// Construction, copy, assignment, comparison, the event table and the event record.
#include "SdkTestUtil.h"

#include <gtest/gtest.h>

#include <memory>

using Peer = SudokuTestPeer;

TEST(Construction, FreshGameIsEmptyAndIdle)
{
    Sudoku g;
    EXPECT_EQ(g.GetUnsolvedCount(), 81u);
    EXPECT_EQ(g.GetFixCount(), 0u);
    EXPECT_EQ(Peer::RunMode(g), 0);
    EXPECT_EQ(g.GetDelayMs(), 0);
    EXPECT_FALSE(g.IsDefinitionChanged());
    EXPECT_FALSE(g.IsStateChanged());
    EXPECT_FALSE(g.IsDeepCalcResultSets());
    EXPECT_EQ(Peer::BtSteps(g), -1);
    EXPECT_TRUE(Peer::FileName(g).IsEmpty());
    EXPECT_FALSE(g.IsThreadRunning());
    EXPECT_FALSE(g.IsThreadCancelled());
    EXPECT_EQ(g.MVC().GetTableName(), "Sudoku");
    EXPECT_EQ(g.GetField(9, 0).GetValue(), SdkDigitEmpty);
    EXPECT_FALSE(g.GetField(0, 9).IsFix());
}

TEST(Construction, CreatedByClassName)
{
    std::unique_ptr<TDynamic> obj(TDynamic::DynCreate("Sudoku"));
    ASSERT_NE(obj, nullptr);
    EXPECT_STREQ(obj->GetRTTI()->GetClassName(), "Sudoku");
    EXPECT_TRUE(obj->IsClassFamily("TDynamic"));
    EXPECT_NE(dynamic_cast<Sudoku *>(obj.get()), nullptr);
    EXPECT_TRUE(TDynamic::IsClassFamily("SdkParam", "TMvcParam"));
    // The record has no default construction: not creatable by name.
    EXPECT_EQ(TDynamic::DynCreate("SdkParam"), nullptr);
}

TEST(EventTable, SevenEventsInOrderRegisteredAtLoad)
{
    const TMvcEventTable *table = TMvc::FindEventTable("Sudoku");
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table, &Peer::EventTable());
    const std::vector<TString> expected = {
        "SDK_START_LOADING", "SDK_END_LOADING",  "SDK_START_SOLVING",   "SDK_END_SOLVING",
        "SDK_TEST_VALUE",    "SDK_VALUE_SOLVED", "SDK_TRY_CREATED_GAME"};
    EXPECT_EQ(table->GetEventTypes(), expected);
    Sudoku g;
    int calls = 0;
    EXPECT_FALSE(g.MVC().AddNotification("SDK_NO_SUCH_EVENT", &calls,
                                         [&calls](TMvcParam &) { return ++calls > 0; }));
}

class Copies : public ::testing::Test
{
protected:
    void SetUp() override
    {
        StartRiddle(g);
        ASSERT_TRUE(g.SetValue(SdkDigit4, 0, 2));
        ASSERT_TRUE(g.SetValue(SdkDigit5, 4, 4));
        ASSERT_TRUE(g.Undo());
        g.SetUserCandidates(SetOf({1, 2}), 0, 3);
        g.SetDeepCalcResultSets(true);
        g.SetDelayMs(25);
        Peer::SetFileName(g, "/tmp/game.sdk");
        Peer::SetBtSteps(g, 2);
        Peer::CreateSolvedStack(g, Peer::UserStack(g));
    }

    void ExpectSameGame(const Sudoku &copy)
    {
        for (unsigned i = 0; i < 81; ++i) {
            const SdkField a = g.GetField(i / 9, i % 9);
            const SdkField b = copy.GetField(i / 9, i % 9);
            EXPECT_EQ(a.GetValue(), b.GetValue());
            EXPECT_EQ(a.IsFix(), b.IsFix());
            EXPECT_EQ(a.GetResultSet(), b.GetResultSet());
            EXPECT_EQ(a.GetCustomInc(), b.GetCustomInc());
            EXPECT_EQ(a.IsLastChanged(), b.IsLastChanged());
            EXPECT_EQ(a.IsDoubleResult(), b.IsDoubleResult());
        }
        EXPECT_EQ(copy.GetUserStackCount(), 2u);
        EXPECT_EQ(copy.GetUserStackPtr(), 1u);
        EXPECT_EQ(copy.GetSolutionStackCount(), 2u);
        EXPECT_EQ(copy.GetDelayMs(), 25);
        EXPECT_TRUE(copy.IsDeepCalcResultSets());
        EXPECT_EQ(Peer::FileName(copy), "/tmp/game.sdk");
        EXPECT_EQ(Peer::BtSteps(copy), 2);
        EXPECT_EQ(copy.IsStateChanged(), g.IsStateChanged());
        EXPECT_EQ(copy.IsDefinitionChanged(), g.IsDefinitionChanged());
        EXPECT_TRUE(copy == g);
        // The doubles are recomputed, not left empty.
        for (SdkBlockType type : SdkBlockTypes)
            for (unsigned b = 0; b < 9; ++b)
                EXPECT_EQ(copy.GetBlock(type, b).GetDoubleList().Count(),
                          g.GetBlock(type, b).GetDoubleList().Count());
    }

    Sudoku g;
};

TEST_F(Copies, CopyTakesTheWholeGameButNotTheListeners)
{
    EventRecorder events(g);
    Sudoku copy(g);
    ExpectSameGame(copy);
    ASSERT_TRUE(copy.SetValue(SdkDigit5, 4, 4));
    EXPECT_TRUE(events.Events().empty());
    // Independent from the original.
    EXPECT_EQ(g.GetField(4, 4).GetValue(), SdkDigitEmpty);
    EXPECT_EQ(g.GetUserStackPtr(), 1u);
}

TEST_F(Copies, CopyWithListenersReportsToThem)
{
    EventRecorder events(g);
    Sudoku copy(g, true);
    ASSERT_TRUE(copy.SetValue(SdkDigit5, 4, 4));
    ASSERT_EQ(events.Lines(), std::vector<std::string>{ValueSolved(true, 5, 4, 4)});
    EXPECT_EQ(events.Events()[0].game, &copy);
}

TEST_F(Copies, CopyStartsIdle)
{
    Peer::SetRunMode(g, 2);
    Sudoku copy(g);
    EXPECT_EQ(Peer::RunMode(copy), 0);
}

TEST_F(Copies, AssignmentTakesEverythingButRunModeAndListeners)
{
    Sudoku target;
    EventRecorder targetEvents(target);
    Peer::SetRunMode(target, 1);
    target = g;
    ExpectSameGame(target);
    EXPECT_EQ(Peer::RunMode(target), 1);
    ASSERT_TRUE(target.SetValue(SdkDigit5, 4, 4));
    EXPECT_EQ(targetEvents.Events().size(), 1u);

    // A game without a solution drops the target's.
    Sudoku plain;
    target = plain;
    EXPECT_EQ(target.GetSolutionStackCount(), 0u);
    EXPECT_EQ(target.GetUnsolvedCount(), 81u);
    EXPECT_EQ(target.GetUserStackCount(), 0u);

    Sudoku &self = target;
    target = self;
    EXPECT_EQ(target.GetUnsolvedCount(), 81u);
}

TEST(Comparison, EqualityLooksAtGridAndHistory)
{
    Sudoku a, b;
    StartRiddle(a);
    StartRiddle(b);
    EXPECT_TRUE(a == b);
    ASSERT_TRUE(a.SetValue(SdkDigit4, 0, 2));
    EXPECT_FALSE(a == b);
    ASSERT_TRUE(b.SetValue(SdkDigit4, 0, 2));
    EXPECT_TRUE(a == b);
    // Candidates and marks do not count.
    a.SetUserCandidates(SetOf({9}), 8, 8);
    a.ResetLastChanges();
    EXPECT_TRUE(a == b);
    // The same values reached another way.
    ASSERT_TRUE(b.EmptyValue(0, 2));
    ASSERT_TRUE(b.SetValue(SdkDigit4, 0, 2));
    EXPECT_TRUE(a.EqualsValues(b));
    EXPECT_FALSE(a == b);
    EXPECT_TRUE(a != b);
}

TEST(Comparison, DefinitionAndValues)
{
    Sudoku riddle, played;
    StartRiddle(riddle);
    StartRiddle(played);
    ASSERT_TRUE(played.SetValue(SdkDigit4, 0, 2));
    EXPECT_TRUE(riddle.EqualsFix(played));
    EXPECT_FALSE(riddle.EqualsValues(played));

    // The same digit given in one and played in the other differs as definition.
    Sudoku other;
    LoadGrid(other, kRiddle);
    ASSERT_TRUE(other.Fix(SdkDigit4, 0, 2));
    EXPECT_FALSE(other.EqualsFix(played));
    EXPECT_TRUE(other.EqualsValues(played));
    Sudoku changed;
    LoadGrid(changed, std::string("1") + (kRiddle + 1));
    EXPECT_FALSE(changed.EqualsFix(riddle));
}

TEST(Text, BoardWithBandsAndStacks)
{
    Sudoku g;
    StartRiddle(g);
    const std::string text = g.ToString().Str();
    EXPECT_EQ(text.substr(0, 27), "5 3 -    - 7 -    - - - \n6 ");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 10);
    EXPECT_NE(text.find("\n\n8 -"), std::string::npos);
    EXPECT_EQ(text.back(), ' ');
}
