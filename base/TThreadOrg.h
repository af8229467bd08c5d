#pragma once
// A game's engine lock and its single worker slot with a cooperative cancel flag.
#include <atomic>
#include <condition_variable>
#include <mutex>

class TThreadOrg
{
public:
    TThreadOrg() = default;
    TThreadOrg(const TThreadOrg &) = delete;
    TThreadOrg &operator=(const TThreadOrg &) = delete;

    // Re-entrant engine lock. A timeout of 0 waits until the lock is had; otherwise
    // the result says whether it was had within timeoutMs.
    bool Lock(unsigned timeoutMs = 0) const;
    void Release() const;

    // Marks the slot running (cancel flag cleared) before the thread exists, so
    // IsRunning() is true as soon as the starter returns.
    void PrepareStart();
    // Marks it not running: the worker's very last call on the game.
    void Reset();
    bool IsRunning() const { return m_running.load(std::memory_order_acquire); }
    void Cancel() { m_cancelled.store(true, std::memory_order_release); }
    bool IsCancelled() const { return m_cancelled.load(std::memory_order_acquire); }
    // Cancels and returns only when the worker has called Reset(). The caller must
    // not hold the engine lock, or a worker that needs it could never finish.
    void Stop();

private:
    mutable std::recursive_timed_mutex m_lock;
    std::atomic<bool> m_running{false};
    std::atomic<bool> m_cancelled{false};
    std::mutex m_stateMutex;
    std::condition_variable m_ended;
};
