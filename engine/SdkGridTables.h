#pragma once
// Constant tables of the grid's geometry shared by the candidate calculation
// and the conflict marking.
#include <array>
#include <cstdint>

namespace SdkGrid {

// Grid index of position p of block b, for rows, columns and quads.
inline constexpr auto BlockFieldIndex = [] {
    std::array<std::array<std::array<uint8_t, 9>, 9>, 3> index{};
    for (unsigned b = 0; b < 9; ++b)
        for (unsigned p = 0; p < 9; ++p) {
            index[0][b][p] = static_cast<uint8_t>(b * 9 + p);
            index[1][b][p] = static_cast<uint8_t>(p * 9 + b);
            index[2][b][p] = static_cast<uint8_t>((b / 3 * 3 + p / 3) * 9 + b % 3 * 3 + p % 3);
        }
    return index;
}();

// The same as 81-bit masks of the fields of each block.
inline constexpr auto BlockFieldMasks = [] {
    std::array<std::array<std::array<uint64_t, 2>, 9>, 3> masks{};
    for (unsigned t = 0; t < 3; ++t)
        for (unsigned b = 0; b < 9; ++b)
            for (unsigned p = 0; p < 9; ++p) {
                const unsigned at = BlockFieldIndex[t][b][p];
                masks[t][b][at / 64] |= uint64_t(1) << (at % 64);
            }
    return masks;
}();

// The row, column and quad of each field, numbered 0..26 in that order.
inline constexpr auto FieldBlocks = [] {
    std::array<std::array<uint8_t, 3>, 81> blocks{};
    for (unsigned i = 0; i < 81; ++i)
        blocks[i] = {static_cast<uint8_t>(i / 9), static_cast<uint8_t>(9 + i % 9),
                     static_cast<uint8_t>(18 + i / 27 * 3 + i % 9 / 3)};
    return blocks;
}();

// Every field sharing a block with field i, i included, as 81 bits.
inline constexpr auto PeerMasks = [] {
    std::array<std::array<uint64_t, 2>, 81> masks{};
    for (unsigned i = 0; i < 81; ++i)
        for (unsigned k : FieldBlocks[i]) {
            const auto &m = BlockFieldMasks[k / 9][k % 9];
            masks[i][0] |= m[0];
            masks[i][1] |= m[1];
        }
    return masks;
}();

} // namespace SdkGrid
