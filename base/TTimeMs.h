#pragma once
#include <cstdint>

// The current time as two integers: whole seconds since the epoch and the
// microseconds within the second. Both change between two calls that are
// only moments apart, which the riddle generator's seeding relies on.
class TTimeMs
{
public:
    void InitCurrentTime();
    int32_t GetSeconds() const { return m_seconds; }
    uint32_t GetMicroseconds() const { return m_micros; }
    // Milliseconds since the epoch.
    int64_t GetMs() const { return int64_t(m_seconds) * 1000 + m_micros / 1000; }

private:
    int32_t m_seconds = 0;
    uint32_t m_micros = 0;
};
