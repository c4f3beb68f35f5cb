#ifndef HALVREN_BENCH_START_UP_PROBE_H
#define HALVREN_BENCH_START_UP_PROBE_H

namespace bench
{

// Given as the only argument, the program runs the start-up probe instead of the benchmarks.
inline constexpr const char* START_UP_PROBE_FLAG = "--start-up-probe";

// Starts the game in the working directory, presents one frame and prints the monotonic
// clock (nanoseconds) at that moment; 0 when it did.
int runStartUpProbe();

} // namespace bench

#endif
