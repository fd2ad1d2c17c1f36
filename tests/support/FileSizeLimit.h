#pragma once

#include <csignal>
#include <sys/resource.h>

// A disk that fills up, for the life of the guard: no file of the process grows past `bytes`,
// and a write past it fails with EFBIG instead of ending the process (the trace's too).
class CFileSizeLimit
{
public:
    explicit CFileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_Old);
        const rlimit limit{bytes, m_Old.rlim_max};
        m_Handler = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~CFileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_Old);
        std::signal(SIGXFSZ, m_Handler);
    }
    CFileSizeLimit(const CFileSizeLimit &) = delete;
    CFileSizeLimit &operator=(const CFileSizeLimit &) = delete;

private:
    rlimit m_Old{};
    void (*m_Handler)(int) = nullptr;
};
