#include "base/TThreadOrg.h"

#include <chrono>

bool TThreadOrg::Lock(unsigned timeoutMs) const
{
    if (timeoutMs == 0) {
        m_lock.lock();
        return true;
    }
    return m_lock.try_lock_for(std::chrono::milliseconds(timeoutMs));
}

void TThreadOrg::Release() const
{
    m_lock.unlock();
}

void TThreadOrg::PrepareStart()
{
    std::lock_guard<std::mutex> guard(m_stateMutex);
    m_cancelled.store(false, std::memory_order_release);
    m_running.store(true, std::memory_order_release);
}

void TThreadOrg::Reset()
{
    std::lock_guard<std::mutex> guard(m_stateMutex);
    m_running.store(false, std::memory_order_release);
    m_ended.notify_all();
}

void TThreadOrg::Stop()
{
    std::unique_lock<std::mutex> guard(m_stateMutex);
    if (!m_running.load(std::memory_order_acquire))
        return;
    m_cancelled.store(true, std::memory_order_release);
    m_ended.wait(guard, [this] { return !m_running.load(std::memory_order_acquire); });
}
