// Fuzz target for the readers of untrusted game text: the game-text reader (through ReadStream,
// and through LoadGame, which also reads the history and the file), the user-stack reader and
// the candidate-set reader. The first byte picks the reader; the rest is the text.
//
// Only the readers run here, each once per input, plus one read of what a successful read
// wrote: besides "no crash, no leak, no hang", what a reader made of any input must read back
// to the same text.
#include "engine/SdkHistory.h"
#include "engine/Sudoku.h"

#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace {
void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

// LoadGame reads only from files: one scratch file in memory-backed storage, rewritten per input.
const std::string &ScratchFile()
{
    struct Scratch
    {
        std::string path = (access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") +
                           ("/ninefold-fuzz-" + std::to_string(getpid()) + ".sdk");
        ~Scratch() { unlink(path.c_str()); }
    };
    static const Scratch scratch;
    return scratch.path;
}

// The games are reused: every read starts with a reset.
Sudoku &Game()
{
    static Sudoku game;
    return game;
}

Sudoku &Again()
{
    static Sudoku again;
    return again;
}

void ExpectStableText(const TString &written, bool formatted)
{
    Check(Again().ReadStream(written, false));
    Check(Again().WriteStream(false, formatted) == written);
}

void ReadGameText(const std::string &text, bool definitionOnly)
{
    Sudoku &game = Game();
    if (!game.ReadStream(text, definitionOnly))
        return;
    // A definition is written in the formatted layout: the reader takes that as well.
    ExpectStableText(game.WriteStream(false, definitionOnly), definitionOnly);
    if (definitionOnly)
        Check(game.GetSolvedCount() == 0);
}

void LoadGameFile(const std::string &text)
{
    const int fd = open(ScratchFile().c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0)
        return;
    const bool written = write(fd, text.data(), text.size()) == ssize_t(text.size());
    close(fd);
    if (!written)
        return;
    Sudoku &game = Game();
    if (!game.LoadGame(ScratchFile(), false, true))
        return;
    Check(game.GetUserStackPtr() <= game.GetUserStackCount());
    Check(game.GetFileName() == TString(ScratchFile()));
}

void ReadUserStack(const std::string &text)
{
    static SdkUserStack stack;
    static SdkUserStack again;
    if (!stack.ReadStream(text))
        return;
    Check(stack.GetPtr() <= stack.Count());
    const TString first = stack.WriteStream();
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
