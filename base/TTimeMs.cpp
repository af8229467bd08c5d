#include "base/TTimeMs.h"

#include <chrono>

void TTimeMs::InitCurrentTime()
{
    using namespace std::chrono;
    auto us = duration_cast<microseconds>(system_clock::now().time_since_epoch()).count();
    m_seconds = static_cast<int32_t>(us / 1000000);
    m_micros = static_cast<uint32_t>(us % 1000000);
}
