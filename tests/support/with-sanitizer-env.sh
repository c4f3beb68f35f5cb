#!/usr/bin/env bash
# Runs a command (the sanitize build's tests) with the sanitizers' settings:
#   tests/support/with-sanitizer-env.sh ctest --test-dir build/sanitize ...
#
# Mesa's software renderer (swrast_dri.so, llvmpipe) keeps a few small blocks of its draw state
# reachable only from its own globals. libGL unloads the driver at exit, before LeakSanitizer
# looks, so those blocks show as leaks with no module in their stacks. Loading the driver up
# front keeps it mapped to the end: its globals are scanned like everyone else's, and nothing
# has to be suppressed. (A preloaded library comes before the sanitizer runtime in the load
# order, which ASan checks for by default; the driver replaces no allocator, so the check is
# turned off.)
for driver in /usr/lib/*/dri/swrast_dri.so; do
    if [ -e "$driver" ]; then
        export LD_PRELOAD="${LD_PRELOAD:+$LD_PRELOAD:}$driver"
        export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"
        break
    fi
done
# Stop at the first fault, with full reports.
export UBSAN_OPTIONS="${UBSAN_OPTIONS:+$UBSAN_OPTIONS:}print_stacktrace=1:halt_on_error=1"
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1"
exec "$@"
