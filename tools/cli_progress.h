#pragma once
// The progress bar the batch commands draw on a terminal.
#include <ostream>
#include <string>

namespace SdkCli {

class ProgressBar
{
public:
    // Only batches of more than this many riddles show a bar.
    static constexpr size_t Threshold = 100;

    ProgressBar(std::ostream &err, size_t total, bool enabled)
        : m_err(err), m_total(total), m_enabled(enabled && total > Threshold)
    {}
    ~ProgressBar()
    {
        if (m_enabled && m_drawn)
            m_err << "\r" << std::string(Width + 24, ' ') << "\r" << std::flush;
    }
    void Step(size_t done)
    {
        if (!m_enabled)
            return;
        size_t filled = done * Width / m_total;
        if (m_drawn && filled == m_lastFilled && done != m_total && done % 50 != 0)
            return;
        m_lastFilled = filled;
        m_drawn = true;
        m_err << "\r[" << std::string(filled, '#') << std::string(Width - filled, ' ') << "] "
              << done << "/" << m_total << std::flush;
    }

private:
    static constexpr size_t Width = 40;
    std::ostream &m_err;
    size_t m_total;
    bool m_enabled;
    bool m_drawn = false;
    size_t m_lastFilled = 0;
};

} // namespace SdkCli
