"""Plays the real halvren program in a window on an X display, as a player would.

The game is started in a temporary copy of the run directory; keys go in through xdotool
(XTest), and what the player sees is read back from the window with ImageMagick's
`import`: every check looks at the colours in the cells of the 80 x 24 grid.
"""

import os
import shutil
import subprocess
import tempfile
import time

COLUMNS = 80
ROWS = 24
WIDTH = 1024
HEIGHT = 768
CELL_W = WIDTH / COLUMNS
CELL_H = HEIGHT / ROWS

PALETTE = {
    "red": (255, 0, 0),
    "green": (0, 255, 0),
    "yellow": (255, 255, 0),
    "blue": (0, 0, 255),
    "magenta": (255, 0, 255),
    "cyan": (0, 255, 255),
    "white": (255, 255, 255),
}
COLOUR_OF_PATTERN = {tuple(1 if c else 0 for c in rgb): name for name, rgb in PALETTE.items()}

# A cell shows a glyph when at least this many pixels in its middle carry one colour.
MIN_GLYPH_PIXELS = 6
# Pixels at each side of a cell that belong as much to the neighbouring cells.
EDGE_MARGIN = 2


def _colour_name(r, g, b):
    brightest = max(r, g, b)
    if brightest < 96:
        return None
    pattern = []
    for channel in (r, g, b):
        if channel >= brightest * 0.7:
            pattern.append(1)
        elif channel <= brightest * 0.3:
            pattern.append(0)
        else:
            return None
    return COLOUR_OF_PATTERN.get(tuple(pattern))


class Screen:
    """One captured frame of the window."""

    def __init__(self, rgb_bytes):
        if len(rgb_bytes) != WIDTH * HEIGHT * 3:
            raise ValueError("capture has %d bytes" % len(rgb_bytes))
        self.data = rgb_bytes

    def pixel(self, x, y):
        i = (y * WIDTH + x) * 3
        return (self.data[i], self.data[i + 1], self.data[i + 2])

    def colour_counts(self, column, row):
        """Counts glyph pixels by colour inside a (possibly fractional) cell.

        Only the middle of the cell is looked at: bold glyphs are wider than a cell and reach
        a few pixels into their neighbours. A pixel counts for a colour when its channels
        follow that colour's pattern (anti-aliasing scales a colour; it does not change it)."""
        x0 = int(round(column * CELL_W)) + EDGE_MARGIN
        x1 = int(round((column + 1) * CELL_W)) - EDGE_MARGIN
        # Glyphs sit in the cell's box, which starts a fifth of a cell down.
        y0 = int(round(row * CELL_H + CELL_H / 5))
        y1 = int(round(row * CELL_H + CELL_H + CELL_H / 5 - 1))
        counts = {}
        data = self.data
        for y in range(max(0, y0), min(HEIGHT, y1)):
            base = y * WIDTH * 3
            for x in range(max(0, x0), min(WIDTH, x1)):
                i = base + x * 3
                name = _colour_name(data[i], data[i + 1], data[i + 2])
                if name is not None:
                    counts[name] = counts.get(name, 0) + 1
        return counts

    def cell_colour(self, column, row):
        """The colour of the glyph in a cell, or None for an empty cell."""
        counts = self.colour_counts(column, row)
        if not counts:
            return None
        name, count = max(counts.items(), key=lambda item: item[1])
        return name if count >= MIN_GLYPH_PIXELS else None

    def text_mismatches(self, text, first_column, row, colour):
        """Cells where `text` drawn from first_column on row does not show as expected:
        every visible character in `colour`, every blank empty."""
        wrong = []
        for i, ch in enumerate(text):
            seen = self.cell_colour(first_column + i, row)
            expected = None if ch == " " else colour
            if seen != expected:
                wrong.append((first_column + i, ch, expected, seen))
        return wrong

    def shows_text(self, text, first_column, row, colour):
        return not self.text_mismatches(text, first_column, row, colour)

    def shows_centred(self, text, row, colour, centre=40):
        return self.shows_text(text, centre - len(text) * 0.5, row, colour)

    def row_is_empty(self, row):
        return all(self.cell_colour(c, row) is None for c in range(COLUMNS))

    def coloured_cells(self, colour, columns=range(COLUMNS), rows=range(ROWS)):
        return [(c, r) for r in rows for c in columns if self.cell_colour(c, r) == colour]

    def save_png(self, path):
        subprocess.run(
            ["convert", "-size", "%dx%d" % (WIDTH, HEIGHT), "-depth", "8", "rgb:-", path],
            input=self.data, check=True)


class Game:
    """The real halvren program running in a temporary copy of the run directory."""

    def __init__(self, run_dir, arguments=(), prepare=None, keep_dir=False, wrapper=()):
        self.dir = tempfile.mkdtemp(prefix="halvren-e2e-")
        # A log left in the run directory by an earlier run by hand is not part of the game.
        shutil.copytree(run_dir, self.dir, dirs_exist_ok=True,
                        ignore=shutil.ignore_patterns("corvane.log"))
        if prepare is not None:
            prepare(self.dir)
        self.keep_dir = keep_dir
        env = dict(os.environ, ALSOFT_DRIVERS="null")
        # Kept outside the game's directory, which a test may make read-only.
        self.stdout = tempfile.TemporaryFile()
        self.stderr = tempfile.TemporaryFile()
        self.process = subprocess.Popen(
            [*wrapper, "./halvren", *arguments], cwd=self.dir, env=env,
            stdin=subprocess.DEVNULL, stdout=self.stdout, stderr=self.stderr)
        self.window = None

    # --- the window ---------------------------------------------------------------

    def wait_for_window(self, timeout=20.0):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if self.process.poll() is not None:
                raise AssertionError("the game exited with %s before its window showed; "
                                     "stderr: %r" % (self.process.returncode,
                                                     self.standard_error()))
            found = subprocess.run(
                ["xdotool", "search", "--onlyvisible", "--pid", str(self.process.pid),
                 "--name", "^Corvane$"], capture_output=True, text=True)
            ids = found.stdout.split()
            if ids:
                self.window = ids[0]
                subprocess.run(["xdotool", "windowfocus", "--sync", self.window],
                               capture_output=True, timeout=10)
                return self.window
            time.sleep(0.05)
        raise AssertionError("no Corvane window within %.0f s" % timeout)

    def capture(self):
        raw = subprocess.run(["import", "-silent", "-window", self.window, "-depth", "8", "rgb:-"],
                             capture_output=True, check=True, timeout=20).stdout
        return Screen(raw)

    def wait_for_screen(self, predicate, timeout=10.0, what="the expected screen"):
        """Captures until predicate(screen) holds; returns that screen."""
        deadline = time.monotonic() + timeout
        last = None
        while time.monotonic() < deadline:
            if self.process.poll() is not None:
                raise AssertionError("the game exited (%s) while waiting for %s"
                                     % (self.process.returncode, what))
            try:
                screen = self.capture()
            except ValueError:
                # The window is still being placed and reaches past the screen's edge.
                time.sleep(0.03)
                continue
            last = screen
            if predicate(last):
                return last
            time.sleep(0.03)
        if last is not None:
            path = os.path.join(tempfile.gettempdir(), "halvren-e2e-failure.png")
            last.save_png(path)
            raise AssertionError("timed out waiting for %s (last capture: %s)" % (what, path))
        raise AssertionError("timed out waiting for %s" % what)

    # --- input ----------------------------------------------------------------------

    def key(self, *names, delay_ms=40):
        """Presses and releases keys one after another (X keysym names)."""
        subprocess.run(["xdotool", "windowfocus", "--sync", self.window], capture_output=True,
                       timeout=10)
        subprocess.run(["xdotool", "key", "--delay", str(delay_ms), *names], check=True,
                       timeout=60)

    def key_down(self, name):
        subprocess.run(["xdotool", "keydown", name], check=True, timeout=10)

    def key_up(self, name):
        subprocess.run(["xdotool", "keyup", name], check=True, timeout=10)

    # --- the end --------------------------------------------------------------------

    def wait_exit(self, timeout=20.0):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
            raise AssertionError("the game did not exit within %.0f s" % timeout)

    def is_running(self):
        return self.process.poll() is None

    def read(self, name):
        with open(os.path.join(self.dir, name), "rb") as f:
            return f.read().decode("utf-8", "replace")

    def standard_error(self):
        self.stderr.flush()
        self.stderr.seek(0)
        return self.stderr.read().decode("utf-8", "replace")

    def standard_output(self):
        self.stdout.flush()
        self.stdout.seek(0)
        return self.stdout.read().decode("utf-8", "replace")

    def close(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        self.stdout.close()
        self.stderr.close()
        if not self.keep_dir:
            os.chmod(self.dir, 0o755)
            shutil.rmtree(self.dir, ignore_errors=True)


def exit_status(code):
    """The program's status as the C++ code returned it (-1 arrives as 255)."""
    return code - 256 if code > 127 else code


KEY_NAMES = {"W": "w", "A": "a", "S": "s", "D": "d"}


def solver_sequences(solver, run_dir):
    """Shortest key sequences per level, from the project's solver."""
    out = subprocess.run([os.path.abspath(solver)], cwd=run_dir, capture_output=True, text=True, check=True).stdout
    sequences = []
    for line in out.splitlines():
        fields = dict(part.split("=", 1) for part in line.split() if "=" in part)
        if "keys" in fields:
            sequences.append(fields["keys"])
    return sequences
