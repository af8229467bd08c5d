#pragma once
// Shared helpers of the worker-thread tests: riddles, an event recorder whose
// listener runs on whichever thread sends, and waiting for a worker's end.
#include "base/TOpSystem.h"
#include "engine/Sudoku.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace ThreadsTest {

// Direct steps alone solve it.
inline const char *const EasyRiddle =
    "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79";
// Needs several nested guesses.
inline const char *const HardRiddle =
    "8..........36......7..9.2...5...7.......457.....1...3...1....68..85...1..9....4..";

inline void LoadRiddle(Sudoku &game, const std::string &line)
{
    ASSERT_EQ(line.size(), 81u);
    ASSERT_TRUE(game.Reset());
    for (unsigned i = 0; i < 81; ++i)
        if (line[i] >= '1' && line[i] <= '9') {
            ASSERT_TRUE(game.Fix(SdkDigit(line[i] - '0'), i / 9, i % 9));
        }
    ASSERT_TRUE(game.StartGame(false, false, true));
}

inline std::string Values(const Sudoku &game)
{
    std::string line(81, '.');
    game.Lock();
    for (unsigned i = 0; i < 81; ++i)
        if (SdkDigit d = game.GetField(i / 9, i % 9).GetValue())
            line[i] = char('0' + d);
    game.Release();
    return line;
}

// Polls like the program's timer does; a worker that never ends is caught by
// the test runner's time limit.
inline void WaitForWorker(const Sudoku &game)
{
    while (game.IsThreadRunning())
        CurrentOS->Sleep(1);
}

struct Event
{
    std::string name;
    int level = 0;
    bool success = false;
    unsigned changes = 0;
    SdkDigit digit = SdkDigitEmpty;
    unsigned row = 0;
    unsigned col = 0;
};

class Recorder
{
public:
    // Called on the sending thread after the event is stored, outside the recorder's mutex.
    std::function<void(const Event &, SdkParam &)> onEvent;

    void Attach(Sudoku &game)
    {
        for (const char *name :
             {SDK_START_LOADING, SDK_END_LOADING, SDK_START_SOLVING, SDK_END_SOLVING,
              SDK_TEST_VALUE, SDK_VALUE_SOLVED, SDK_TRY_CREATED_GAME}) {
            std::string eventName = name;
            game.MVC().AddNotification(name, this, [this, eventName](TMvcParam &p) {
                auto &param = static_cast<SdkParam &>(p);
                Event e{eventName,        param.GetLevel(), param.GetSuccess(), param.GetChanges(),
                        param.GetDigit(), param.GetRow(),   param.GetColumn()};
                {
                    std::lock_guard<std::mutex> guard(m_mutex);
                    m_events.push_back(e);
                }
                m_changed.notify_all();
                if (onEvent)
                    onEvent(e, param);
                return true;
            });
        }
    }

    std::vector<Event> Events() const
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        return m_events;
    }

    size_t Count(const std::string &name) const
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        size_t n = 0;
        for (const Event &e : m_events)
            n += e.name == name;
        return n;
    }

    // Waits until count events of that name arrived, or the game's worker ended
    // without them; true in the first case.
    bool WaitFor(const Sudoku &game, const std::string &name, size_t count)
    {
        for (;;) {
            bool running = game.IsThreadRunning();
            if (Count(name) >= count)
                return true;
            if (!running)
                return false;
            std::unique_lock<std::mutex> guard(m_mutex);
            m_changed.wait_for(guard, std::chrono::milliseconds(1));
        }
    }

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Event> m_events;
};

} // namespace ThreadsTest
