#include "bench/scan_benchmark/peak_memory.h"

#include <windows.h>
#include <psapi.h>

double peakMemoryMiB() {
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}
