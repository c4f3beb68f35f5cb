#!/usr/bin/env bash
# Runs a command (the sanitize build's tests) with the sanitizers' settings:
#   tests/support/with-sanitizer-env.sh ctest --test-dir build/sanitize ...
#
# Mesa's software renderer keeps a few blocks reachable only from its own globals, and libGL
# unloads it at exit before LeakSanitizer looks. Loaded up front, it stays mapped and its globals
# are scanned: nothing needs suppressing. (It replaces no allocator: the link-order check is off.)
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
