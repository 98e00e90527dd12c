// What the Windows benchmarks share: a stopwatch, the median and fastest of
// samples, and handling messages for a while or until something holds.
#pragma once

#include "ui/Forms.h"

#include <windows.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace winbench {

class TStopwatch {
public:
    TStopwatch()
    {
        QueryPerformanceFrequency(&frequency_);
        QueryPerformanceCounter(&start_);
    }
    double Microseconds() const
    {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return static_cast<double>(now.QuadPart - start_.QuadPart) * 1e6 / static_cast<double>(frequency_.QuadPart);
    }

private:
    LARGE_INTEGER frequency_{};
    LARGE_INTEGER start_{};
};

inline double Fastest(const std::vector<double>& samples) { return *std::min_element(samples.begin(), samples.end()); }

inline double Median(std::vector<double> samples)
{
    const auto middle = samples.begin() + static_cast<std::ptrdiff_t>(samples.size() / 2);
    std::nth_element(samples.begin(), middle, samples.end());
    return *middle;
}

// Handles messages until done() holds or the time runs out; true when done.
inline bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds)
{
    const ULONGLONG end = GetTickCount64() + milliseconds;
    while (!done()) {
        if (GetTickCount64() > end)
            return false;
        Application->ProcessMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    Application->ProcessMessages();
    return true;
}

inline void Pump(DWORD milliseconds)
{
    PumpUntil([] { return false; }, milliseconds);
}

} // namespace winbench
