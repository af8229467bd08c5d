// The grid numbering, blocks, double lists and the game object.
#include "SdkTestUtil.h"

#include <random>

TEST(Types, GridNumberingAndBlocks)
{
    // quad, position; whether valid, row, column
    const unsigned cases[][5] = {
        {4, 0, 1, 3, 3}, {8, 8, 1, 8, 8}, {2, 5, 1, 1, 8}, {9, 0, 0, 0, 0}};
    for (auto c : cases) {
        unsigned row = 77, col = 77, quad = 77;
        EXPECT_EQ(Sudoku::GetRowAndCol(c[0], c[1], row, col), c[2] == 1);
        EXPECT_EQ(row * 10 + col, c[3] * 10 + c[4]) << c[0] << c[1];
        EXPECT_EQ(Sudoku::GetQuad(c[3], c[4], quad) && quad == c[0], c[2] == 1);
    }
    unsigned quad = 5;
    EXPECT_FALSE(Sudoku::GetQuad(9, 0, quad) || Sudoku::GetQuad(0, 9, quad) || quad != 5);
    // Beyond position 8 a block hands out an empty field of its own, also when
    // the block holds doubles (here 8 and 9 at positions 0 and 1).
    Sudoku g;
    StartRiddle(g, "..1234567" + std::string(72, '.'));
    SdkBlockRef &row = const_cast<SdkBlockRef &>(g.GetBlock(SdkBlockRow, 0));
    ASSERT_EQ(row.GetDoubleList().Count(), 1);
    row.EmptyDoubleList(); // made again from the fields' sets alone
    row.CalcDoubles();
    ASSERT_EQ(row.GetDoubleList().Count(), 1);
    row[9].SetValue(SdkDigit3);
    EXPECT_EQ(g.GetBlock(SdkBlockRow, 0)[9].GetValue() + g.GetUnsolvedCount(), 74u);
    // Digits and repeats in a block: the first repeat in scan order is named.
    unsigned pos = 99;
    EXPECT_TRUE(row.HasDigit(SdkDigit5, &pos) && pos == 6 && row.GetIndex(SdkDigit1) == 2);
    EXPECT_FALSE(row.HasDigit(SdkDigit9, &pos) || pos != 0 || row.GetIndex(SdkDigit9) != -1);
    EXPECT_TRUE(row.Verify(&pos) && pos == 0);
    Peer::Put(g, 0, 0, 6);
    EXPECT_FALSE(row.Verify(&pos) || pos != 7);
    Peer::Put(g, 0, 1, 1);
    EXPECT_FALSE(row.Verify(&pos) || pos != 2);
}

namespace {
// "2,8@17": each double's digits and positions, in list order.
std::string Dump(const SdkDoubleList &list)
{
    std::string text;
    for (int k = 0; list.GetDouble(k); ++k) {
        text += list.GetDouble(k)->GetResultSet().ToRsString().Str() + "@";
        for (int i = 0; i < list.GetDouble(k)->IndexCount(); ++i)
            text += std::to_string(list.GetDouble(k)->GetIndex(i));
        text += " ";
    }
    return text;
}
} // namespace

TEST(Types, DoubleLists)
{
    // Ordered by size, then by the lowest differing digit; cleaning drops sets
    // of one field, then sets in fewer fields than digits.
    SdkDoubleList list;
    const std::pair<SdkResultSet, unsigned> adds[] = {
        {SetOf({3, 5, 7}), 0}, {SetOf({2, 8}), 1}, {SetOf({2, 8}), 7},   {SetOf({3, 5}), 2},
        {SetOf({3, 5}), 4},    {SetOf({1, 9}), 3}, {SetOf({3, 5, 7}), 5}};
    for (auto [set, pos] : adds)
        EXPECT_TRUE(list.Add(set, pos));
    EXPECT_FALSE(list.Add(SetOf({2, 8}), 7) || list.Add(SetOf({5}), 6));
    EXPECT_EQ(Dump(list), "1,9@3 2,8@17 3,5@24 3,5,7@05 ");
    list.Clean();
    EXPECT_EQ(Dump(list), "2,8@17 3,5@24 ");
    EXPECT_EQ(list.FindDouble(SetOf({3, 5}))->GetIndex(1) * 10 + list.Count(), 42);
    EXPECT_TRUE(list.FindDouble(SetOf({1, 9})) == nullptr && list.GetDouble(-1) == nullptr);
}

// The scans that make double lists agree with their plain versions, which serve machines
// without SSE2, and read no set beyond the ninth (here 0x3FE, all digits).
TEST(Types, SetScansAgreeWithThePlainOnes)
{
    const uint16_t some[] = {0, 0x6, 0x6, 0xC, 0x200, 0x1A0, 0x1A0, 0x3FC};
    std::mt19937 random(3);
    uint16_t row[10] = {};
    row[9] = 0x3FE;
    const auto &sets = *reinterpret_cast<const uint16_t(*)[9]>(row);
    for (int n = 0; n < 2000; ++n) {
        for (unsigned pos = 0; pos < 9; ++pos)
            row[pos] = some[random() % std::size(some)];
        const unsigned multi = SdkSetScan::MultiPositions(sets);
        ASSERT_EQ(multi, SdkSetScan::Plain::MultiPositions(sets));
        ASSERT_EQ(SdkSetScan::HasEqualSets(sets, multi),
                  SdkSetScan::Plain::HasEqualSets(sets, multi));
        for (uint16_t set : row)
            ASSERT_EQ(SdkSetScan::PositionsOf(sets, set),
                      SdkSetScan::Plain::PositionsOf(sets, set));
    }
}

TEST(Types, GameObjectCopiesAndComparisons)
{
    const std::unique_ptr<TDynamic> made(TDynamic::DynCreate("Sudoku"));
    EXPECT_NE(dynamic_cast<Sudoku *>(made.get()), nullptr);
    EXPECT_EQ(TMvc::FindEventTable("Sudoku"), &Peer::EventTable());
    // Copies take everything but the run mode (and, assigned, the listeners).
    Sudoku g;
    StartRiddle(g);
    ASSERT_TRUE(g.SetValue(SdkDigit4, 0, 2));
    g.SetDelayMs(30), g.SetDeepCalcResultSets(true);
    Peer::SetRunMode(g, Sudoku::RunModeSolving);
    Sudoku copy(g), assigned;
    assigned = g;
    for (const Sudoku *c : {&copy, &assigned}) {
        EXPECT_TRUE(*c == g && c->EqualsValues(g) && c->EqualsFix(g));
        EXPECT_EQ(c->GetDelayMs() * 10 + c->IsDeepCalcResultSets() + Peer::RunMode(*c), 301);
    }
    // Equality looks at the grid and the history.
    EXPECT_TRUE(copy.SetValue(SdkDigit6, 0, 3) && copy != g && copy.EqualsFix(g));
    EXPECT_FALSE(copy.EqualsValues(g));
    ASSERT_TRUE(copy.EmptyValue(0, 3));
    EXPECT_TRUE(copy.EqualsValues(g) && copy != g);
    Sudoku other;
    StartRiddle(other, kOneGuess);
    EXPECT_FALSE(other.EqualsFix(g) || other.EqualsValues(g));
}
