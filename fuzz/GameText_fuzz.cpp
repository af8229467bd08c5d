// Fuzz target for the readers of untrusted game text: the game-text reader
// (through ReadStream and through LoadGame, which also reads the history), the
// user-stack reader and the candidate-set reader. The first byte picks the
// reader; the rest is the text.
//
// Besides "no crash, no leak, no hang", each reader must be stable: what it
// made of any input, written out and read again, gives the same text.
#include "engine/SdkHistory.h"
#include "engine/Sudoku.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {
void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

// Written once and reused: LoadGame reads only from files.
const std::string &ScratchFile()
{
    static const std::string path = "/tmp/ninefold-fuzz-" + std::to_string(getpid()) + ".sdk";
    return path;
}

void ReadGameText(const std::string &text, bool definitionOnly)
{
    Sudoku game;
    (void)game.ReadStream(text, definitionOnly);
    const TString first = game.WriteStream(false, false);
    Sudoku again;
    Check(again.ReadStream(first, false));
    Check(again.WriteStream(false, false) == first);
    // The formatted layout carries the same game.
    Sudoku formatted;
    Check(formatted.ReadStream(game.WriteStream(false, true), false));
    Check(formatted.WriteStream(false, false) == first);
}

void LoadGameFile(const std::string &text)
{
    FILE *f = std::fopen(ScratchFile().c_str(), "wb");
    if (!f)
        return;
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
    Sudoku game;
    (void)game.LoadGame(ScratchFile(), false, true);
    // Whatever history was read, walking it never breaks the rules of the grid.
    for (int i = 0; i < 4 && game.Undo(); ++i)
        Check(game.Verify());
    for (int i = 0; i < 8 && game.Redo(); ++i)
        Check(game.Verify());
    // A history that contradicts the grid may change it on every load, so only
    // the grid of what was saved must read back.
    Check(game.SaveGame(ScratchFile(), false, true));
    Sudoku again;
    Check(again.LoadGame(ScratchFile(), true, false));
    Check(again.EqualsFix(game));
}

void ReadUserStack(const std::string &text)
{
    SdkUserStack stack;
    (void)stack.ReadStream(text);
    Check(stack.GetPtr() <= stack.Count());
    const TString first = stack.WriteStream();
    SdkUserStack again;
    Check(again.ReadStream(first));
    Check(again.WriteStream() == first);
}

void ReadResultSet(const std::string &text)
{
    SdkResultSet set;
    bool hasPosition = false;
    unsigned row = 0, col = 0;
    const bool ok = set.ReadStream(text, hasPosition, row, col);
    Check(row < 9 && col < 9 && (ok || !hasPosition));
    Check(set.Count() <= 9);
    SdkResultSet again;
    again.FromRsString(set.ToRsString());
    Check(again == set);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const std::string text(reinterpret_cast<const char *>(data + 1), size - 1);
    switch (data[0] % 5) {
    case 0:
        ReadGameText(text, false);
        break;
    case 1:
        ReadGameText(text, true);
        break;
    case 2:
        LoadGameFile(text);
        break;
    case 3:
        ReadUserStack(text);
        break;
    default:
        ReadResultSet(text);
        break;
    }
    return 0;
}
