"""The Windows build under Wine, checked against the Linux build (see the README, "Building for
Windows"): `--test` and a broken level must give the same exit status, standard error and log
as on Linux, and a game played with real key presses (title, story, level 1 solved with the
solver's keys, level complete, Q) must show the screens the Linux end-to-end run checks.

Usage: wine_check.py WINDOWS_RUN_DIR LINUX_RUN_DIR SOLVER [SCREENSHOT_DIR] [--whole-game]
--whole-game also plays tests/e2e's whole-game and quit-from-every-screen scenarios. It needs
DISPLAY, WINEPREFIX (a prefix with a virtual desktop) and WINE64 (default
/usr/lib/wine/wine64) in the environment.
"""

import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import halvren_e2e  # noqa: E402
import play_test  # noqa: E402

WINE64 = os.environ.get("WINE64", "/usr/lib/wine/wine64")
DESKTOP = "Wine desktop$"


class WineGame(halvren_e2e.Game):
    """halvren.exe in a Wine virtual desktop: the desktop is the one X window, and the game's
    picture is the 1024 x 768 client area of the framed window Wine draws inside it."""

    def __init__(self, run_dir, prepare=None, **kwargs):
        def with_launcher(directory):
            # Game starts ./halvren; here that starts halvren.exe under Wine in the same process.
            launcher = os.path.join(directory, "halvren")
            with open(launcher, "w") as f:
                f.write('#!/bin/sh\nexec "%s" halvren.exe "$@"\n' % WINE64)
            os.chmod(launcher, 0o755)
            if prepare is not None:
                prepare(directory)
        super().__init__(run_dir, prepare=with_launcher, **kwargs)

    def wait_for_window(self, timeout=60.0):
        """Waits for the first frame: under Wine the window shows well before it (black) on a
        busy machine, where the Linux scenarios expect their first screen within seconds."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if self.process.poll() is not None:
                raise AssertionError("the game exited with %s before its first frame"
                                     % self.process.returncode)
            try:
                screen = self.capture()
                if any(screen.cell_colour(c, r) for r in range(24) for c in range(0, 80, 2)):
                    return self.window
            except ValueError:
                pass
            time.sleep(0.1)
        raise AssertionError("no frame of the game within %.0f s" % timeout)

    def find_desktop(self):
        # Looked up at every capture: Wine makes a new desktop window when it restarts one.
        found = subprocess.run(["xdotool", "search", "--name", DESKTOP], capture_output=True,
                               text=True).stdout.split()
        if not found:
            raise ValueError("no Wine desktop")
        self.window = found[0]
        geometry = subprocess.run(["xdotool", "getwindowgeometry", "--shell", self.window],
                                  capture_output=True, text=True).stdout
        return dict(line.split("=", 1) for line in geometry.split())

    def capture(self):
        width = int(self.find_desktop()["WIDTH"])
        try:
            raw = subprocess.run(["import", "-silent", "-window", self.window, "-depth", "8",
                                  "rgb:-"], capture_output=True, check=True, timeout=20).stdout
        except (subprocess.CalledProcessError, subprocess.TimeoutExpired) as failure:
            raise ValueError("no capture of the desktop: %s" % failure)
        client = find_client_area(raw, width)
        if client is None:
            raise ValueError("the game's window is not on the desktop yet")
        x0, y0 = client
        rows = [raw[((y0 + y) * width + x0) * 3:((y0 + y) * width + x0 + halvren_e2e.WIDTH) * 3]
                for y in range(halvren_e2e.HEIGHT)]
        return halvren_e2e.Screen(b"".join(rows))


    def close(self):
        super().close()
        # The next game must not meet this one's desktop, which Wine ends a little later.
        subprocess.run([os.path.join(os.path.dirname(WINE64), "wineserver"), "-w"],
                       timeout=60)


def find_client_area(raw, width):
    """The top-left pixel of the game's client area: the window frame is the only thing on
    the desktop that differs from the desktop's colour, with equal borders left, right and
    below and the title bar above."""
    height = len(raw) // (3 * width)
    background = raw[0:3]

    def differs(x, y):
        i = (y * width + x) * 3
        return raw[i:i + 3] != background
    middle_row, middle_column = height // 2, width // 2
    columns = [x for x in range(width) if differs(x, middle_row)]
    rows = [y for y in range(height) if differs(middle_column, y)]
    if not columns or not rows:
        return None
    border = (columns[-1] - columns[0] + 1 - halvren_e2e.WIDTH) // 2
    if border < 0:
        return None
    return columns[0] + border, rows[-1] - border - halvren_e2e.HEIGHT + 1


def outcome(game_class, run_dir, arguments, prepare=None):
    """Runs a game to its end in a temporary copy of a run directory: what it left behind."""
    game = game_class(run_dir, arguments=arguments, prepare=prepare)
    try:
        status = halvren_e2e.exit_status(game.wait_exit(timeout=120))
        log_path = os.path.join(game.dir, "corvane.log")
        log = game.read("corvane.log") if os.path.exists(log_path) else None
        return status, game.standard_error(), game.standard_output(), log
    finally:
        game.close()


def break_level_three(directory):
    """Cuts one cell off the fourth row of the first map of level 3."""
    path = os.path.join(directory, "assets/levels/level-03.txt")
    with open(path) as f:
        lines = f.read().split("\n")
    header = next(i for i, line in enumerate(lines) if line in ("[RED]", "[BLUE]"))
    lines[header + 4] = lines[header + 4][:-1]
    with open(path, "w") as f:
        f.write("\n".join(lines))


def same_as_linux(name, windows_dir, linux_dir, arguments, prepare=None):
    windows = outcome(WineGame, windows_dir, arguments, prepare)
    linux = outcome(halvren_e2e.Game, linux_dir, arguments, prepare)
    labels = ("exit status", "standard error", "standard output", "corvane.log")
    for label, seen, expected in zip(labels, windows, linux):
        assert seen == expected, "%s: %s %r under Wine, %r on Linux" % (
            name, label, seen, expected)
    print("ok %s: exit status %d, standard error %r, corvane.log of %d lines, as on Linux"
          % (name, windows[0], windows[1], windows[3].count("\n")))


def played_session(windows_dir, linux_dir, solver, shots):
    scenarios = play_test.Scenarios(linux_dir, solver, shots)
    game = WineGame(windows_dir)
    try:
        game.wait_for_window()
        scenarios.shot(game.wait_for_screen(play_test.title_screen, what="the title"),
                       "wine-title")
        scenarios.to_level_one(game)
        scenarios.play_level(game, 1)
        steps = len(scenarios.sequences[0])
        scenarios.shot(game.wait_for_screen(play_test.level_complete_screen(1, steps, True),
                                            what="level 1 complete"), "wine-level-complete")
        scenarios.quit_and_expect_clean_exit(game)
    finally:
        game.close()
    print("ok played session: title, story, level 1 in %d keys, level complete, Q: exit 0"
          % steps)


def whole_game(windows_dir, solver, shots):
    """tests/e2e's scenarios that play the whole game, on the Windows build."""
    play_test.Game = WineGame
    scenarios = play_test.Scenarios(windows_dir, solver, shots)
    for scenario in (scenarios.full_game, scenarios.quit_from_every_screen):
        scenario()
        print("ok %s" % scenario.__name__)


def main():
    options = [a for a in sys.argv[1:] if a.startswith("--")]
    arguments = [a for a in sys.argv[1:] if not a.startswith("--")]
    windows_dir, linux_dir, solver = (os.path.abspath(a) for a in arguments[:3])
    shots = arguments[3] if len(arguments) > 3 else None
    try:
        same_as_linux("--test", windows_dir, linux_dir, ("--test",))
        same_as_linux("broken level", windows_dir, linux_dir, (), break_level_three)
        played_session(windows_dir, linux_dir, solver, shots)
        if "--whole-game" in options:
            whole_game(windows_dir, solver, shots)
    except AssertionError as failure:
        print("FAIL %s" % failure)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
