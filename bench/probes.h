#pragma once
// Figures that only a fresh process gives: the time from starting the program to its
// window being shown, and the memory the program holds with a snapshot file shown in its
// grid. The bench runs itself again as a probe for each, with one of these options
// first (the memory probe's followed by the snapshot file).
#include <string>

namespace bench {

inline constexpr const char* kStartUpProbe = "--probe-start-up";
inline constexpr const char* kGridMemoryProbe = "--probe-grid-memory";

// In the probe process, before anything else: runs the probe named by argv[1] and
// returns its exit code, or nothing when argv[1] names no probe.
int RunProbe(int argc, char** argv, bool& wasProbe);

}  // namespace bench
