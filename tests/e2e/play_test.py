"""The real halvren program end to end: the whole game played through its window, a table of
runs with broken data or arguments, and the same under valgrind memcheck or in a long soak.

Usage: play_test.py [--wine] RUN_DIR SOLVER CHECK, where CHECK is one of
  full-game [SCREENSHOT_DIR] | runs | --valgrind self-check|session...
  | --soak EVENTS [--no-memory-check]
--wine WINDOWS_RUN_DIR: halvren.exe under Wine; no --valgrind, no runs as another user.
HALVREN_GLYPH_TOOL: the reference glyph tool (by default the one in the solver's build tree).
"""

import collections
import itertools
import math
import os
import pathlib
import random
import re
import subprocess
import sys
import tempfile
import time

from halvren_e2e import (FACTS, HEIGHT, ROWS, WIDTH, Game, art, centred, fact, read_sprite,
                         run_checks, solver_keys, use_wine)

WINE = sys.argv[1:2] == ["--wine"]
RUN, SOLVER, CHECK = sys.argv[1 + WINE:4 + WINE]
KEYS, LEVELS, PAUSE = solver_keys(SOLVER, RUN), fact("levels"), fact("completion_pause_frames")
SPRITES = {name[:-4]: read_sprite(os.path.join(RUN, "assets", name))
           for name in os.listdir(os.path.join(RUN, "assets")) if name.endswith(".txt")}
SUPPRESSIONS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "../support/valgrind.supp")
MOVES = {"w": (0, -1), "a": (-1, 0), "s": (0, 1), "d": (1, 0),
         "Up": (0, -1), "Left": (-1, 0), "Down": (0, 1), "Right": (1, 0)}
ARROW = {"w": "Up", "a": "Left", "s": "Down", "d": "Right"}
# The keys each screen takes; every other key the game maps must change nothing there.
GAME_KEYS = ["Return", "Escape", "i", "q", "r", *MOVES]
TAKES = {"title": "Return i q", "story": "Return Escape q", "how to play": "Escape q",
         "play": "r q " + " ".join(MOVES), "pause": "r q", "level complete": "Return r q",
         "results": "q"}
# The pause is short: each pause checks those of its keys that fit, Enter first.
PAUSE_KEYS = [key for key in GAME_KEYS if key not in TAKES["pause"].split()]


level_path = lambda level: "assets/levels/level-%02d.txt" % level
level_lines = lambda level: open(os.path.join(RUN, level_path(level))).read().split("\n")


def level_maps(level):  # the red and the blue map of a level file, as lists of rows
    lines = level_lines(level)
    return [list(itertools.takewhile(bool, lines[lines.index(h) + 1:]))
            for h in ("[RED]", "[BLUE]")]


def cells_of(level, letters):  # each map's (column, row) of the first of its letters
    return [next((x, y) for y, row in enumerate(rows) for x, ch in enumerate(row) if ch == c)
            for rows, c in zip(level_maps(level), letters)]


def moved(level, at, keys):  # the cells after the keys: each steps but into its map's wall
    for dx, dy in (MOVES[key] for key in keys):
        at = [(x, y) if rows[y + dy][x + dx] == "#" else (x + dx, y + dy)
              for rows, (x, y) in zip(level_maps(level), at)]
    return at


def board(level, at):  # both maps as the game draws them, the characters at their cells
    kinds = {"#": "wall", "E": "exit"}
    return [(5 + y, left + x, SPRITES[world + kind][1][0][0], SPRITES[world + kind][0])
            for rows, world, here, left in zip(level_maps(level), ("red-", "blue-"), at, (4, 57))
            for y, row in enumerate(rows) for x, ch in enumerate(row)
            for kind in ["player" if (x, y) == here else kinds.get(ch)] if kind]


def play_screen(level, steps, at, pending=False):
    status = "Steps: %d" % steps
    return [[centred(1, "HALVREN", "white"), (1, 2, "Level %d/%d" % (level, LEVELS), "white"),
             (1, 78 - len(status), status, "yellow"), centred(3, "RED WORLD", "red", 13),
             centred(3, "BLUE WORLD", "blue", 66),
             centred(19, "Move: WASD / Arrows   Restart: R   Quit: Q", "white"),
             centred(22, "Level complete! Preparing results...", "green") if pending else
             centred(22, "Guide both @ symbols to their O exits", "yellow"), *board(level, at)]]


def texts(name, **numbers):  # a screen's texts from the facts, the game's numbers filled in
    return [centred(int(row), text.format(**numbers), colour)
            for row, colour, text in (line.split(" ", 2) for line in FACTS[name])]


def level_complete(level, steps):  # the screen with its prompt, then without it
    rows = texts("level_complete", level=level, steps=steps)
    return [rows + texts("last_prompt" if level == LEVELS else "prompt"), rows]


won = lambda total: [texts("results", levels=LEVELS, total=total)]
story, how_to_play = [texts("story")], [texts("how_to_play")]
title, game_over = art(*SPRITES["halvren-title"]), art(*SPRITES["gameover"])


class Attempt:
    """A level played key by key against the driver's own tally of steps and cells."""

    def __init__(self, game, level):
        self.game, self.level, self.steps, self.at = game, level, 0, cells_of(level, "RB")

    def screen(self):
        return play_screen(self.level, self.steps, self.at, self.at == cells_of(self.level, "EE"))

    def press(self, *keys, meanwhile=(), shot=None):  # each key, then its screen (before it,
        # only meanwhile's); the last one's is the screenshot
        for i, key in enumerate(keys, 1 - len(keys)):
            self.game.key(key, delay_ms=5)
            self.steps, self.at = ((0, cells_of(self.level, "RB")) if key == "r" else
                                   (self.steps + 1, moved(self.level, self.at, [key])))
            self.game.wait_for(self.screen(), "level %d after %s, %d steps" % (
                self.level, key, self.steps), meanwhile=meanwhile, shot=not i and shot)


def level_one_aside(game, attempt):  # ignored keys, a held key, moves walls hold back, R
    ignores(game, "play", attempt.screen())
    game.key("d", hold=1.5)  # long enough for ten repeats, were keys repeated
    attempt.steps, attempt.at = 1, moved(1, attempt.at, ["d"])
    game.wait_for(attempt.screen(), "one step for a held key")
    while attempt.at != moved(1, attempt.at, ["a"]):
        attempt.press("a")
    attempt.press("a", "r")


def ignores(game, name, screens, keys=None, until=math.inf):
    """Each key a screen does not take leaves it as it was, read once the key's frame is shown;
    a screen that lasts until a present checks those that fit, taking them off its list."""
    keys = [key for key in GAME_KEYS if key not in TAKES[name].split()] if keys is None else keys
    while keys and game.presented() + 8 <= until:  # room for the key and its poll
        game.key(keys[0])
        game.frames(2)
        present, screen = game.capture()
        if present > until:  # read too late to tell: the key waits for the next time
            return
        key = keys.pop(0)
        assert screen.which(screens) is not None, (name, key, list(screen.differences(screens[0])))


def in_turn(game, states, what, changes_needed=1, timeout=30.0):
    """The window shows the states, (screen, presents) each, in turn, round and round: present
    P shows the state at P + phase, for one phase that fits every read. Each state is read whole
    once, then only the rows telling them apart, until one phase fits and changes_needed
    different changes were read at neighbouring presents."""
    cycle = [i for i, (_, presents) in enumerate(states) for _ in range(presents)]
    screens = [screen for screen, _ in states]
    rows = next(range(top, top + size) for size in range(1, ROWS + 1)
                for top in range(ROWS - size + 1) if len(screens) == len(
                    {tuple(sorted(t for t in s if top <= t[0] < top + size)) for s in screens}))
    phases, whole, reads, changes = set(range(len(cycle))), set(), {}, set()
    deadline, present = time.monotonic() + timeout * game.slow, -1
    while len(phases) > 1 or len(whole) < len(states) or len(changes) < changes_needed:
        assert time.monotonic() < deadline, "%s: reads %s" % (what, sorted(reads.items()))
        game.await_present(present + 1)
        full = len(whole) < len(states)
        present, screen = game.capture(range(ROWS) if full else rows)
        reads[present] = index = screen.which(screens, range(ROWS) if full else rows)
        phases = {p for p in phases if cycle[(present + p) % len(cycle)] == index}
        assert phases, "%s out of turn: (present, state) %s" % (what, sorted(reads.items()))
        whole.update([index] if full else [])
        if reads.get(present - 1, index) != index:
            changes.add((reads[present - 1], index))


def window_hints(window):
    """One fixed-size window with a title bar, but no close button and no resize border."""
    if WINE:  # Wine's desktop is the X window there, the frame Wine's own
        return
    tool = lambda *a: subprocess.run(a, capture_output=True, text=True, check=True).stdout
    info, hints = tool("xwininfo", "-id", window), tool("xprop", "-id", window, "WM_NORMAL_HINTS")
    assert ("Width: %d" % WIDTH) in info and ("Height: %d" % HEIGHT) in info, info
    assert all("%s size: %d by %d" % (size, WIDTH, HEIGHT) in hints
               for size in ("minimum", "maximum")), hints
    # Motif hints: flags, functions (all 0x1, resize 0x2, close 0x20), decorations (all 0x1,
    # resize handles 0x4, title 0x8).
    _, functions, decorations = [int(v, 16) for v in re.findall(
        r"0x[0-9a-f]+", tool("xprop", "-id", window, "_MOTIF_WM_HINTS"))][:3]
    assert functions & 0x23 == 0 and decorations & 0x5 == 0 and decorations & 0x8, hex(functions)


def full_game(shots=None):
    with Game(RUN) as game:
        game.shots = shots
        window_hints(game.wait_for_window())
        game.wait_for(title, "the title")
        # The title's frames, each for its slowdown, as the sprite file the game read has them.
        _, frames, slowdown = SPRITES["halvren-title"]
        assert len(title) == len(frames), "a blank title frame"
        in_turn(game, [(frame, slowdown) for frame in title], "the title's frames")
        ignores(game, "title", title)
        game.key("i")
        game.wait_for(how_to_play, "how to play", shot="how-to-play")
        ignores(game, "how to play", how_to_play)
        game.key("Escape")
        game.wait_for(title, "the title again", shot="title")
        game.key("Return")
        game.wait_for(story, "the story", shot="story")
        ignores(game, "story", story)
        game.key("Return")
        total = 0
        for level in range(1, LEVELS + 1):
            attempt, first = Attempt(game, level), level == 1
            game.wait_for(attempt.screen(), "level %d" % level, shot=first and "level-1")
            keys = [ARROW[k] for k in KEYS[level - 1]] if level == 2 else KEYS[level - 1]
            if first:
                level_one_aside(game, attempt)
            if level == 4:  # a restart keeps the earlier levels' total
                attempt.press(keys[0], "r")
            attempt.press(*keys, shot=first and "level-complete-pending")
            pending = attempt.screen()
            if level == 3:  # R in the pause takes the attempt back
                attempt.press("r", meanwhile=pending)
                attempt.press(*keys)
            ignores(game, "pause", pending, PAUSE_KEYS, until=game.since + PAUSE)
            complete = level_complete(level, attempt.steps)
            game.wait_for(complete, "level %d complete" % level, meanwhile=pending,
                          shot=first and "level-complete")
            # A replay takes the attempt back; the last level's give the pause's keys more room.
            replays = 1 if level == 2 else 9 if level == LEVELS else 0
            while replays and (level == 2 or PAUSE_KEYS):
                replays -= 1
                attempt.press("r", *keys)
                ignores(game, "pause", attempt.screen(), PAUSE_KEYS, until=game.since + PAUSE)
                game.wait_for(level_complete(level, attempt.steps), "level %d again" % level)
            if first:
                ignores(game, "level complete", complete)
                in_turn(game, list(zip(complete, (fact("prompt_frames", i) for i in (0, 1)))),
                        "the Enter prompt's blink", changes_needed=2)
            total += attempt.steps
            game.key("Return")
        assert not PAUSE_KEYS, "keys no pause had room for: %s" % PAUSE_KEYS
        game.wait_for(won(total), "the final results", shot="final-results")
        ignores(game, "results", won(total))
        game.key("q")
        game.wait_for(game_over, "the game-over art", shot="game-over")
        assert game.wait_exit() == 0
        outputs = game.stdout(), game.stderr(), game.log()
        assert outputs == ("", "", ""), outputs


# --- runs of the program: what to break, and what the program must then say ------------------

Run = collections.namedtuple(
    "Run", "name setup argv env status stderr log play timeout wrapper",
    defaults=(None, (), None, -1, "", "", None, 30, ()))
SPRITE_LINE = "ResourceManager::loadSprite(): %s\n"
NO_MUSIC = "ResourceManager::loadMusic(): Unable to load from file 'sound/BGM/BGM.ogg'.\n"


remove = lambda *paths: lambda d: [os.remove(os.path.join(d, p)) for p in paths]
write = lambda path, text: lambda d: pathlib.Path(d, path).write_text(text)


def short_row(level, row):
    """Cuts the last cell off a row of a level's red map: (setup, the loader's line)."""
    lines, path = level_lines(level), level_path(level)
    at, line = lines.index("[RED]") + row, "Level data error in %s: red map row %d has %d cells; "
    lines[at] = lines[at][:-1]
    return write(path, "\n".join(lines)), line % (path, row, len(lines[at])) + "expected 19.\n"


report = lambda loaded: "".join(l + "\n" for l in FACTS["report" if loaded else "report_unloaded"])


SELF_CHECK = Run("self-check", argv=["--test"], status=0, log=report(True))


def quit_after(*steps):
    """Plays to a screen ((keys, screen) after each other), then Q, Q (the second on the art)."""
    def play(game):
        game.wait_for_window()
        for keys, screen in ((), title), *steps:
            game.key(*keys)
            game.wait_for(screen, "the screen before Q")
        game.key("q", "q")
        game.wait_for(game_over, "the game-over art")
    return play


def afterwards(holds, what):
    def play(game):
        game.process.wait(30)
        assert holds(game.dir), what
    return play


def terminated(signal_number):
    def play(game):
        game.wait_for_window()
        game.process.send_signal(signal_number)
        game.process.wait(10)
        assert not subprocess.run(["xdotool", "search", "--pid", str(game.process.pid)],
                                  capture_output=True).stdout, "the window is still there"
    return play


def hostile_runs():
    """Hostile files and environments: each refused at once, nothing followed."""
    at = os.path.join
    fifo = lambda p: lambda d: [os.path.isfile(at(d, p)) and os.remove(at(d, p)),
                                os.mkfifo(at(d, p))]
    logs = [("a FIFO", fifo("corvane.log"), lambda d: not os.path.isfile(at(d, "corvane.log"))),
            ("a link", lambda d: [write("victim.txt", "precious\n")(d),
                                  os.symlink("victim.txt", at(d, "corvane.log"))],
             lambda d: open(at(d, "victim.txt")).read() == "precious\n"),
            ("a dangling link", lambda d: os.symlink("made.txt", at(d, "corvane.log")),
             lambda d: not os.path.lexists(at(d, "made.txt")))]
    level3 = "Level data error in %s: could not open the file.\n" % level_path(3)
    no_room = ("bash", "-c", "trap '' XFSZ; ulimit -f 0; exec \"$@\"", "bash")
    ogg = "sound/BGM/BGM.ogg"
    return [
        *[Run("display %r %s" % (v, a), argv=a, env={"DISPLAY": v},
              log="DisplayManager::initialize(): unable to open the display.\n")
          for v in (None, ":987") for a in ([], ["--test"])],
        *[Run("log is %s %s" % (what, a), setup, a, log=None, play=afterwards(holds, what))
          for what, setup, holds in logs for a in ([], ["--test"])],
        Run("level is a FIFO", fifo(level_path(3)), stderr=level3),
        Run("self-check, level is a FIFO", fifo(level_path(3)), ["--test"], stderr=level3,
            log=report(False)),
        Run("sprite is a FIFO", fifo("assets/blue-wall.txt"),
            log=SPRITE_LINE % "unable to open file 'assets/blue-wall.txt'."),
        Run("music is a FIFO", fifo(ogg), log=NO_MUSIC),
        Run("music is a directory", lambda d: [os.remove(at(d, ogg)), os.mkdir(at(d, ogg))],
            log=NO_MUSIC),
        Run("font is a FIFO", fifo("cor-font.ttf")),
        Run("self-check without room", argv=["--test"], wrapper=no_room, log=""),
        Run("long sprite line", write("assets/red-player.txt", "x" * 10**5 + "\n1\n1\n1\nred\n@\n"),
            log=SPRITE_LINE % ("error line 1. Invalid frame count '%s[... cut, 100000 bytes]'."
                               % ("x" * 80))),
        *[Run("signal %d in play" % n, status=-n, play=terminated(n)) for n in (2, 15)],
        # Build machines have no sound card: the audio libraries' complaints stay off the console.
        Run("no quiet-audio settings", env={"ALSOFT_DRIVERS": None, "ALSA_CONFIG_PATH": None},
            status=0, play=quit_after()),
    ]


def runs_table():
    broken, broken_line = short_row(2, 4)
    missing = "Level data error in %s: could not open the file.\n" % level_path(1)
    # The sprites in load order from the blue wall on.
    later = ["assets/%s.txt" % n for n in ("blue-wall", "red-exit", "blue-exit",
                                           "halvren-title", "gameover")]
    to_play = [(["Return"], story), (["Return"], play_screen(1, 0, cells_of(1, "RB")))]
    nobody = ("setpriv", "--reuid=65534", "--regid=65534", "--clear-groups")
    return [
        SELF_CHECK,
        Run("later arguments", argv=["--test", "--TEST", "level-09.txt"], status=0,
            log=report(True)),
        *[Run("self-check, " + what, setup, ["--test"], stderr=line, log=report(False))
          for what, setup, line in (("broken level", broken, broken_line),
                                    ("no level 1", remove(level_path(1)), missing))],
        *[Run("%r is no self-check" % a, remove(level_path(1)), [a, "--test"], stderr=missing)
          for a in ("-test", "--TEST", "--testx", "--tes", " --test", "")],
        # Were the sprites tried after the level fault, the log would say so.
        Run("broken level", lambda d: [broken(d), remove(*later)(d)], stderr=broken_line),
        Run("missing sprite", remove(*later),
            log=SPRITE_LINE % "unable to open file 'assets/blue-wall.txt'."),
        Run("missing music", remove("sound/BGM/BGM.ogg"), log=NO_MUSIC),
        Run("missing font", remove("cor-font.ttf")),
        Run("log is a directory", lambda d: os.mkdir(os.path.join(d, "corvane.log")), log=None),
        Run("read-only directory", lambda d: os.chmod(d, 0o555), log=None,
            wrapper=nobody if os.geteuid() == 0 else ()),
        # Links, FIFOs, signals and X displays are the POSIX side's: not rows under Wine.
        *([] if WINE else hostile_runs()),
        *[Run("Q " + where, argv=a, status=0, play=quit_after(*steps)) for where, a, steps in (
            ("on the title", [], ()), ("on the story", ["-test"], to_play[:1]),
            ("on how to play", ["--TEST"], [(["i"], how_to_play)]),
            ("in play", ["--test ", "--test"], to_play),
            ("in the pause", [], [*to_play, (KEYS[0], play_screen(1, len(KEYS[0]),
                                                                  cells_of(1, "EE"), True))]),
            ("on level complete", [], [*to_play, (KEYS[0], level_complete(1, len(KEYS[0])))]))],
    ]


def check_run(row, slow=1.0):
    with Game(RUN, row.argv, row.setup, row.env, row.wrapper) as game:
        game.slow *= slow
        if row.play:
            row.play(game)
        assert game.wait_exit(row.timeout) == row.status, game.stderr()
        assert (game.stdout(), game.stderr()) == ("", row.stderr), (game.stdout(), game.stderr())
        assert row.log is None or game.log() == row.log, game.log()


def valgrind_check(row):
    """The row under memcheck; errors or blocks definitely lost fail it, with valgrind's report."""
    log = tempfile.NamedTemporaryFile(prefix="halvren-memcheck-", suffix=".log")
    wrapper = ["valgrind", "--error-exitcode=99", "--leak-check=full", "--keep-debuginfo=yes",
               "--show-leak-kinds=definite", "--errors-for-leak-kinds=definite", "--num-callers=40",
               "--gen-suppressions=all", "--log-file=" + log.name, "--suppressions=" + SUPPRESSIONS]
    failure = None
    try:
        check_run(row._replace(wrapper=wrapper), slow=20.0)
    except AssertionError as run_failure:
        failure = run_failure
    text = open(log.name, errors="replace").read()
    assert not failure and re.findall(r"ERROR SUMMARY: (\d+) errors", text)[-1:] == ["0"], (
        "%s\nvalgrind's report:\n%s" % (failure or "", text))


# --- soak: random keys and mouse events for a long while --------------------------------

# The screens a soak can reach, and a text that tells each of the others.
KNOWN_SCREENS = [*title, *story, *how_to_play, *game_over]
KNOWN_TEXTS = [play_screen(1, 0, [])[0][5], level_complete(1, 0)[1][-1], won(0)[0][-1]]
known_screen = lambda screen: screen.which(KNOWN_SCREENS) is not None or any(
    screen.which([[text]], [text[0]]) is not None for text in KNOWN_TEXTS) or None
# Every key the engine maps but Q, and keys it does not map (no lock keys: they would change
# what later letters mean).
SOAK_KEYS = ("space Return Escape Tab Left Right Up Down Pause minus equal grave period comma slash"
             " Control_L Shift_R BackSpace Delete Home bracketleft KP_5 Alt_L Menu semicolon Insert"
             " 0 1 2 3 4 5 6 7 8 9").split()
SOAK_KEYS += ["F%d" % n for n in range(1, 13)] + list("abcdefghijklmnoprstuvwxyz")


def soak(events, check_memory=True):
    seed = int(os.environ.get("HALVREN_SOAK_SEED", time.time()))
    rng, rss = random.Random(seed), []
    with Game(RUN) as game:
        game.wait_for_window()
        for batch in range(events // 50):
            command = ["xdotool"]
            for _ in range(50):
                roll = rng.random()
                command += (["key", "--delay", "2", rng.choice(SOAK_KEYS)] if roll < 0.8 else
                            ["mousemove", "--window", game.window, str(rng.randrange(WIDTH)),
                             str(rng.randrange(HEIGHT))] if roll < 0.92 else
                            ["click", str(rng.choice([1, 1, 1, 2, 3, 4, 5]))])
            subprocess.run(command, check=True, timeout=120)
            with open("/proc/%d/status" % game.process.pid) as f:
                rss.append(int(re.search(r"VmRSS:\s*(\d+)", f.read()).group(1)))
            if batch % 4 == 3:  # every screen a known one; now and then a level solved
                game.wait_for(known_screen,
                              "a known screen after %d events (seed %d)" % (batch * 50, seed))
                game.key("Escape", "Return", "Return", "r", *rng.choice(KEYS), delay_ms=10)
        quarter = max(1, len(rss) // 4)
        first, last = sum(rss[:quarter]) / quarter, sum(rss[-quarter:]) / quarter
        print("seed %d, VmRSS first quarter %.0f kB, last %.0f kB, max %d kB"
              % (seed, first, last, max(rss)))
        assert not check_memory or last <= first * 1.05 + 4096, "resident memory grew"
        game.key("q")
        assert game.wait_exit(60) == 0 and (game.stdout(), game.stderr()) == ("", "")


def main():
    args = sys.argv[4 + WINE:]
    Game.font = os.path.join(RUN, "cor-font.ttf")
    os.environ.setdefault("HALVREN_GLYPH_TOOL", os.path.join(
        os.path.dirname(os.path.abspath(SOLVER)), "../../tests/halvren-reference-glyphs"))
    if WINE and CHECK != "--valgrind":
        use_wine()
    # Another SFML draws the glyphs a pixel apart, so only a build against the one the README's
    # pictures were taken with (scripts/screenshots.sh notes it) reads them back.
    pictures = os.path.join(os.path.dirname(__file__), "../../docs/screenshots")
    drawn_by = open(os.path.join(pictures, "drawn-by.txt"), "rb").read().strip()
    if drawn_by + b"\0" in open(os.path.join(RUN, Game.program[-1]), "rb").read():
        Game.pictures = pictures
    if CHECK == "full-game":
        checks = [("full game", lambda: full_game(args[0] if args else None))]
    elif CHECK == "runs":
        checks = [(row.name, lambda row=row: check_run(row)) for row in runs_table()
                  if not (WINE and row.wrapper)]
    elif CHECK == "--valgrind" and not WINE:
        keys, start = ["d", "s", "a", "w", "Right", "Down"], cells_of(1, "RB")
        rows = {"self-check": SELF_CHECK, "session": Run("session", status=0, play=quit_after(
            (["Return"], story), (["Return"], play_screen(1, 0, start)),
            (keys, play_screen(1, len(keys), moved(1, start, keys)))))}
        checks = [(name, lambda row=rows[name]: valgrind_check(row)) for name in args]
    elif CHECK == "--soak":
        checks = [("soak", lambda: soak(int(args[0]), "--no-memory-check" not in args))]
    else:
        sys.exit(__doc__)
    return run_checks(checks)


if __name__ == "__main__":
    sys.exit(main())
