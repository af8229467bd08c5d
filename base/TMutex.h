#pragma once
#include <mutex>

// Re-entrant mutex: the holding thread may lock it again; every Lock is matched by one Release.
class TMutex
{
public:
    TMutex() = default;
    TMutex(const TMutex &) = delete;
    TMutex &operator=(const TMutex &) = delete;

    void Lock() const { m_mutex.lock(); }
    void Release() const { m_mutex.unlock(); }
    bool TryLock() const { return m_mutex.try_lock(); }

private:
    mutable std::recursive_mutex m_mutex;
};

// Holds any object with Lock()/Release() for a scope.
template<class L>
class TLocker
{
public:
    explicit TLocker(const L &lock) : m_lock(lock) { m_lock.Lock(); }
    ~TLocker() { m_lock.Release(); }
    TLocker(const TLocker &) = delete;
    TLocker &operator=(const TLocker &) = delete;

private:
    const L &m_lock;
};
