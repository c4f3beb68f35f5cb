"""Soak: the real game fed thousands of random key presses and mouse events, then Q.

Usage: soak_test.py RUN_DIR SOLVER EVENTS [--no-memory-check]

Every key of the engine's key table (except Q, which ends the game) and some keys it does not
map go into the window, with pointer moves and clicks. Along the way the game is helped through
the five levels with the solver's sequences, so every screen gets its share. The game must
stay up, every captured screen must be one the game has, and its resident memory must not grow
(mean VmRSS of the last quarter of the samples against the first quarter; not under
AddressSanitizer, whose quarantine holds freed memory back on purpose: --no-memory-check).
HALVREN_SOAK_SEED repeats a run.
"""

import os
import random
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))

from private_display import start_private_display  # noqa: E402
from halvren_e2e import HEIGHT, WIDTH, Game, exit_status, solver_sequences  # noqa: E402
from play_test import how_to_play_screen, story_screen  # noqa: E402

# X keysyms of every key the engine maps (engine/src/InputManager.cpp), Q left out.
MAPPED_KEYS = (["space", "Return", "Escape", "Tab", "Left", "Right", "Up", "Down", "Pause",
                "minus", "equal", "grave", "period", "comma", "slash", "Control_L",
                "Control_R", "Shift_L", "Shift_R"]
               + ["F%d" % n for n in range(1, 13)]
               + [chr(c) for c in range(ord("a"), ord("z") + 1) if chr(c) != "q"]
               + [str(n) for n in range(10)])
# Keys the engine has no name for: they must change nothing. (No lock keys: they would
# change what later letters mean.)
UNMAPPED_KEYS = ["BackSpace", "Delete", "Home", "End", "Insert", "Prior", "Next",
                 "bracketleft", "bracketright", "semicolon", "apostrophe", "backslash",
                 "KP_5", "KP_Enter", "Alt_L", "Menu"]
EVENTS_PER_BATCH = 50
BATCHES_PER_CHECK = 4
# Resident memory may wander this much between the first and the last quarter of the run.
RSS_SLACK_KB = 4096
RSS_SLACK_RATIO = 0.05


def resident_kb(pid):
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    raise AssertionError("no VmRSS for %d" % pid)


def is_play_screen(s):
    """Whether s is a play screen, at any level and step, pending or not."""
    if not (s.shows_centred("HALVREN", 1, "white")
            and s.shows_centred("RED WORLD", 3, "red", centre=13)
            and s.shows_centred("BLUE WORLD", 3, "blue", centre=66)
            and s.shows_centred("Move: WASD / Arrows   Restart: R   Quit: Q", 19, "white")):
        return False
    return (s.shows_centred("Guide both @ symbols to their O exits", 22, "yellow")
            or s.shows_centred("Level complete! Preparing results...", 22, "green"))


def art_colours(s):
    """Colours of the cells on every other row and column (enough to tell the arts apart)."""
    seen = {}
    for row in range(0, 24, 2):
        for column in range(0, 80, 2):
            colour = s.cell_colour(column, row)
            if colour:
                seen[colour] = seen.get(colour, 0) + 1
    return seen


def classify(s):
    """Which of the game's screens s is, or None."""
    if story_screen(s):
        return "story"
    if how_to_play_screen(s):
        return "how-to-play"
    if is_play_screen(s):
        return "play"
    if any(s.shows_centred("LEVEL %d COMPLETE" % n, 6, "green") for n in range(1, 6)) and \
            s.shows_centred("R: Replay level    Q: Quit", 17, "white"):
        return "level-complete"
    if s.shows_centred("YOU WIN!", 7, "green") and s.shows_centred("Press Q to quit", 16, "white"):
        return "final-results"
    colours = art_colours(s)
    if set(colours) == {"magenta"}:
        return "title"
    if set(colours) == {"red"}:
        return "game-over"
    return None


class Soak:
    def __init__(self, game, sequences, events, rng):
        self.game = game
        self.sequences = sequences
        self.events = events
        self.rng = rng
        self.sent = 0
        self.rss = []
        self.screens = {}
        self.levels_helped = 0
        # The level the game should be on; random keys may have solved one meanwhile.
        self.level = 1

    def random_event(self):
        roll = self.rng.random()
        if roll < 0.70:
            return ["key", self.rng.choice(MAPPED_KEYS)]
        if roll < 0.80:
            return ["key", self.rng.choice(UNMAPPED_KEYS)]
        x, y = self.rng.randrange(WIDTH), self.rng.randrange(HEIGHT)
        if roll < 0.92:
            return ["mousemove", "--window", self.game.window, str(x), str(y)]
        return ["click", str(self.rng.choice([1, 1, 1, 2, 3, 4, 5]))]

    def send_batch(self, count):
        command = ["xdotool"]
        for _ in range(count):
            event = self.random_event()
            if event[0] == "key":
                command += ["key", "--delay", "2", event[1]]
            else:
                command += event
        subprocess.run(command, check=True, timeout=120)
        self.sent += count

    def check_alive(self):
        if not self.game.is_running():
            raise AssertionError("the game ended (status %s) after %d events; stderr: %r"
                                 % (exit_status(self.game.process.returncode), self.sent,
                                    self.game.standard_error()))

    def current_screen(self):
        """Captures until a known screen shows; a capture between two frames may show none."""
        for _ in range(5):
            self.check_alive()
            screen = self.game.capture()
            name = classify(screen)
            if name is not None:
                self.screens[name] = self.screens.get(name, 0) + 1
                return name, screen
            time.sleep(0.1)
        path = os.path.join(os.environ.get("TMPDIR", "/tmp"), "halvren-soak-unknown.png")
        screen.save_png(path)
        raise AssertionError("after %d events the window shows none of the game's screens "
                             "(capture: %s)" % (self.sent, path))

    def help_forward(self):
        """Takes the game one level further with the solver's keys, wherever it stands."""
        for _ in range(6):
            name, screen = self.current_screen()
            if name in ("title", "how-to-play"):
                self.game.key("Escape", "Return")
            elif name == "story":
                self.game.key("Return")
            elif name == "level-complete":
                self.game.key("Return")
                return
            elif name == "play":
                self.solve_current_level()
            else:
                return
            time.sleep(0.2)

    def solve_current_level(self):
        """Restarts the level on screen and plays the solver's keys for it. The screen shows
        the level's number only in shapes, so the expected level goes first, then the rest."""
        candidates = [self.level] + [n for n in range(1, 6) if n != self.level]
        for level in candidates:
            keys = [k.lower() for k in self.sequences[level - 1]]
            self.game.key("r", *keys, delay_ms=10)
            try:
                self.game.wait_for_screen(lambda s: classify(s) == "level-complete",
                                          timeout=3.0, what="level %d solved" % level)
            except AssertionError:
                continue
            self.levels_helped += 1
            self.level = level + 1
            return
        raise AssertionError("no solver sequence completes the level on screen")

    def run(self):
        help_points = [self.events * k // 7 for k in range(1, 6)]
        batch = 0
        self.game.wait_for_screen(lambda s: classify(s) == "title", what="the title")
        self.screens["title"] = 1
        while self.sent < self.events:
            self.send_batch(min(EVENTS_PER_BATCH, self.events - self.sent))
            self.check_alive()
            self.rss.append(resident_kb(self.game.process.pid))
            batch += 1
            if help_points and self.sent >= help_points[0]:
                help_points.pop(0)
                self.help_forward()
            elif batch % BATCHES_PER_CHECK == 0:
                self.current_screen()
        self.current_screen()

    def memory_verdict(self):
        quarter = max(1, len(self.rss) // 4)
        first = sum(self.rss[:quarter]) / quarter
        last = sum(self.rss[-quarter:]) / quarter
        allowed = first * (1 + RSS_SLACK_RATIO) + RSS_SLACK_KB
        return first, last, last <= allowed


def main():
    start_private_display()
    run_dir, solver, events = sys.argv[1], sys.argv[2], int(sys.argv[3])
    check_memory = "--no-memory-check" not in sys.argv[4:]
    seed = int(os.environ.get("HALVREN_SOAK_SEED", str(int(time.time()))))
    sequences = solver_sequences(solver, run_dir)
    assert len(sequences) == 5, "the solver gave %d sequences" % len(sequences)
    game = Game(run_dir)
    started = time.monotonic()
    try:
        game.wait_for_window()
        soak = Soak(game, sequences, events, random.Random(seed))
        soak.run()
        first, last, memory_ok = soak.memory_verdict()
        game.key("q")
        status = exit_status(game.wait_exit(timeout=60))
        elapsed = time.monotonic() - started
        print("seed %d: %d events in %.1f s, %d levels solved on the way, screens seen %s"
              % (seed, soak.sent, elapsed, soak.levels_helped, soak.screens))
        print("VmRSS: first quarter %.0f kB, last quarter %.0f kB (%+.1f%%), min %d, max %d, "
              "%d samples" % (first, last, 100.0 * (last - first) / first, min(soak.rss),
                              max(soak.rss), len(soak.rss)))
        assert memory_ok or not check_memory, "resident memory grew"
        assert status == 0, "exit status %d after Q" % status
        assert game.standard_error() == "", "stderr: %r" % game.standard_error()
    except AssertionError as failure:
        print("FAIL soak (seed %d): %s" % (seed, failure))
        print("0 passed, 1 failed")
        return 1
    finally:
        game.close()
    print("1 passed, 0 failed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
