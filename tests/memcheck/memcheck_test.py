"""Runs the real halvren program under valgrind's memcheck and fails on any memory error.

Usage: memcheck_test.py RUN_DIR SUPPRESSIONS MODE
MODE is "self-check" (halvren --test) or "session" (title -> story -> level 1, a few moves,
Q -> exit, keys pressed into the window on the X display).

Memory errors (invalid reads or writes, uses of uninitialised values, bad frees) and blocks
definitely lost all count; what the suppression file lists lies inside system libraries.
"""

import os
import re
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))

from private_display import start_private_display  # noqa: E402
from halvren_e2e import Game, exit_status  # noqa: E402
from play_test import play_screen, story_screen, title_screen  # noqa: E402

# Everything is many times slower under valgrind: screens take seconds, not frames.
SLOW = 60.0
ERROR_EXIT = 99


def valgrind(log_path, suppressions):
    return ("valgrind", "--tool=memcheck", "--error-exitcode=%d" % ERROR_EXIT,
            "--leak-check=full", "--keep-debuginfo=yes", "--show-leak-kinds=definite",
            "--errors-for-leak-kinds=definite", "--num-callers=40",
            "--suppressions=%s" % suppressions, "--gen-suppressions=all",
            "--log-file=%s" % log_path)


def error_summary(log):
    found = re.findall(r"ERROR SUMMARY: (\d+) errors", log)
    return int(found[-1]) if found else None


def self_check(game):
    return exit_status(game.wait_exit(timeout=300))


def session(game):
    game.wait_for_window(timeout=SLOW)
    game.wait_for_screen(title_screen, timeout=SLOW, what="the title")
    game.key("Return", delay_ms=300)
    game.wait_for_screen(story_screen, timeout=SLOW, what="the story")
    game.key("Return", delay_ms=300)
    game.wait_for_screen(play_screen(1, 0), timeout=SLOW, what="level 1")
    moves = ["d", "s", "a", "w", "Right", "Down"]
    game.key(*moves, delay_ms=300)
    # Each move counts a step, or none when both prisoners are blocked: wait until the
    # counter has settled on one of the possible values.
    game.wait_for_screen(
        lambda s: any(play_screen(1, n)(s) for n in range(1, len(moves) + 1)),
        timeout=SLOW, what="level 1 after the moves")
    game.key("q")
    return exit_status(game.wait_exit(timeout=300))


def main():
    start_private_display()
    run_dir, suppressions, mode = sys.argv[1:4]
    suppressions = os.path.abspath(suppressions)
    handle, log_path = tempfile.mkstemp(prefix="halvren-memcheck-", suffix=".log")
    os.close(handle)
    arguments = ("--test",) if mode == "self-check" else ()
    game = Game(run_dir, arguments=arguments, wrapper=valgrind(log_path, suppressions))
    started = time.monotonic()
    try:
        status = (self_check if mode == "self-check" else session)(game)
    except AssertionError as failure:
        print("FAIL %s: %s" % (mode, failure))
        status = None
    finally:
        game.close()
    with open(log_path, errors="replace") as f:
        log = f.read()
    os.remove(log_path)
    errors = error_summary(log)
    print("%s: exit status %s, memcheck errors %s (%.1f s)"
          % (mode, status, errors, time.monotonic() - started))
    if status != 0 or errors != 0:
        print(log)
        print("0 passed, 1 failed")
        return 1
    print("1 passed, 0 failed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
