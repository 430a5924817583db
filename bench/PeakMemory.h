// Peak resident memory of this process, and a way to start measuring it afresh so that one
// benchmark's figure is not the largest of all the benchmarks run before it.
#pragma once
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

namespace veld::bench {

// Resets the peak to the current resident size (Linux: 5 into clear_refs).
inline void resetPeakMemory() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

// The peak resident size since the last reset, in bytes (0 when unknown).
inline double peakMemoryBytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::stod(line.substr(6)) * 1024.0;
        }
    }
    return 0.0;
}

} // namespace veld::bench
