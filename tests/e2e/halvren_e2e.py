"""Drives the real halvren program in a window on an X display, as a player would.

Each game runs in a temporary copy of the run directory; keys go in through xdotool (XTest),
and the window is read back from the X server (Xlib's XGetImage) as the colour of each cell
of the 80 x 24 grid. The display is the test's own (scripts/with-display.sh): focus is ours.
"""

import atexit
import ctypes
import ctypes.util
import functools
import os
import shutil
import subprocess
import tempfile
import time
import traceback

COLUMNS, ROWS = 80, 24
WIDTH, HEIGHT = 1024, 768
CELL_W, CELL_H = WIDTH / COLUMNS, HEIGHT / ROWS
COLOURS = {"red": (1, 0, 0), "green": (0, 1, 0), "yellow": (1, 1, 0), "blue": (0, 0, 1),
           "magenta": (1, 0, 1), "cyan": (0, 1, 1), "white": (1, 1, 1)}
# A cell shows a glyph when this many pixels in its middle carry one colour. Glyphs start a
# pixel or two right of their cell and reach a few pixels into the next one: those pixels
# of a cell are left out.
MIN_GLYPH_PIXELS, LEFT_MARGIN, RIGHT_MARGIN = 6, 4, 1
# A channel is lit or dark; anti-aliased edges between the two count for no colour.
LIT = bytes(1 if v >= 128 else 0 for v in range(256))
DARK = bytes(1 if v < 48 else 0 for v in range(256))


class XImage(ctypes.Structure):
    _fields_ = ([(n, ctypes.c_int) for n in ("width", "height", "xoffset", "format")]
                + [("data", ctypes.c_void_p)]
                + [(n, ctypes.c_int) for n in ("byte_order", "unit", "bit_order", "pad", "depth",
                                               "bytes_per_line", "bits_per_pixel")]
                + [(n, ctypes.c_ulong) for n in ("red_mask", "green_mask", "blue_mask")])


xlib = ctypes.CDLL(ctypes.util.find_library("X11"))
xlib.XOpenDisplay.restype = ctypes.c_void_p
xlib.XGetImage.restype = ctypes.POINTER(XImage)
xlib.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong] + [ctypes.c_int] * 2 + [
    ctypes.c_uint] * 2 + [ctypes.c_ulong, ctypes.c_int]
xlib.XDestroyImage.argtypes = [ctypes.POINTER(XImage)]
# A window that is still being placed or already gone is an X error: no image, not an exit.
X_ERROR = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)(lambda *_: 0)
xlib.XSetErrorHandler(X_ERROR)


@functools.cache
def x_display():
    return xlib.XOpenDisplay(None)


def pixels(window, x, y, width, height):
    """A rectangle of the window, four bytes a pixel, and the byte of red, green and blue."""
    image = xlib.XGetImage(x_display(), int(window), x, y, width, height, 0xFFFFFFFF, 2)
    if not image:
        raise ValueError("no image of window %s" % window)
    try:
        im = image.contents
        if im.bits_per_pixel != 32:
            raise ValueError("%d bits a pixel" % im.bits_per_pixel)
        # The byte of each channel within a pixel, from its mask and the byte order.
        offsets = [(m.bit_length() - 1) // 8 for m in (im.red_mask, im.green_mask, im.blue_mask)]
        return (ctypes.string_at(im.data, im.bytes_per_line * height),
                [3 - o for o in offsets] if im.byte_order else offsets)
    finally:
        xlib.XDestroyImage(image)


class Screen:
    """Pixel rows top..top+height of the game's picture, which starts at origin in window."""

    def __init__(self, window, top=0, height=HEIGHT, origin=(0, 0)):
        self.data, self.offsets = pixels(window, origin[0], origin[1] + top, WIDTH, height)
        self.top, self.bottom, self.cache = top, top + height, {}

    def cell(self, column, row):
        """The colour of the glyph in a (possibly fractional) cell, or None."""
        if (column, row) not in self.cache:
            x0 = int(round(column * CELL_W)) + LEFT_MARGIN
            x1 = int(round((column + 1) * CELL_W)) - RIGHT_MARGIN
            y0 = int(round(row * CELL_H + CELL_H / 5))  # glyphs sit a fifth of a cell down
            rows = range(max(self.top, y0), min(self.bottom, y0 + int(CELL_H) - 1))
            block = b"".join(self.data[4 * ((y - self.top) * WIDTH + max(0, x0)):
                                       4 * ((y - self.top) * WIDTH + x1)] for y in rows)
            lit, dark = block.translate(LIT), block.translate(DARK)
            channels = [(int.from_bytes(dark[o::4], "big"), int.from_bytes(lit[o::4], "big"))
                        for o in self.offsets]
            red, green, blue = channels
            counts = {name: bin(red[r] & green[g] & blue[b]).count("1")
                      for name, (r, g, b) in COLOURS.items()}
            best = max(counts, key=counts.get)
            self.cache[column, row] = best if counts[best] >= MIN_GLYPH_PIXELS else None
        return self.cache[column, row]

    def shows(self, text, column, row, colour):
        """text from column on: every visible character in colour, every blank empty."""
        return all(self.cell(column + i, row) == (None if ch == " " else colour)
                   for i, ch in enumerate(text))

    def centred(self, text, row, colour, centre=40):
        return self.shows(text, centre - len(text) * 0.5, row, colour)

    def matches(self, expected):
        """expected: {(column, row): colour} for every lit cell; all others must be dark."""
        return all(self.cell(c, r) == expected.get((c, r))
                   for r in range(ROWS) for c in range(COLUMNS))

    def lit(self, columns=range(COLUMNS), rows=range(ROWS)):
        return any(self.cell(c, r) for r in rows for c in columns)

    def save_png(self, path):
        rgb = bytearray(WIDTH * HEIGHT * 3)
        for i, offset in enumerate(self.offsets):
            rgb[i::3] = self.data[offset:4 * WIDTH * HEIGHT:4]
        subprocess.run(["convert", "-size", "%dx%d" % (WIDTH, HEIGHT), "-depth", "8", "rgb:-",
                        path], input=bytes(rgb), check=True)


def read_sprite(path):
    """(colour, frames) of a sprite file; a frame is its list of rows."""
    with open(path) as f:
        lines = f.read().split("\n")
    count, width, height = (int(v) for v in lines[:3])
    rows = [row.ljust(width) for row in lines[5:5 + count * height]]
    return lines[4], [rows[i * height:(i + 1) * height] for i in range(count)]


def art_cells(colour, frame):
    """The cells of a sprite frame drawn centred on the grid, as {(column, row): colour}."""
    left, top = COLUMNS // 2 - len(frame[0]) // 2, ROWS // 2 - len(frame) // 2
    return {(left + x, top + y): colour for y, row in enumerate(frame)
            for x, ch in enumerate(row) if ch != " "}


WINE, WINE_DESKTOP = "/usr/lib/wine/", (1280, 1024)  # Debian's, and the desktop's size


def use_wine():
    """Later games run halvren.exe under Wine, in the virtual desktop of a prefix for this run."""
    os.environ.update(WINEPREFIX=tempfile.mkdtemp(prefix="halvren-wine-"), WINEDEBUG="-all",
                      WINEDLLOVERRIDES="mscoree,mshtml=")  # no Mono and Gecko installers
    key = r"HKCU\Software\Wine\Explorer"  # without a window manager, closes wait 2 s
    for command in (["wineboot", "-i"], ["reg", "add", key, "/v", "Desktop", "/d", "Default"],
                    ["reg", "add", key + r"\Desktops", "/v", "Default", "/d",
                     "%dx%d" % WINE_DESKTOP]):
        subprocess.run([WINE + "wine64", *command], check=True, capture_output=True, timeout=300)
    atexit.register(shutil.rmtree, os.environ["WINEPREFIX"], ignore_errors=True)
    Game.program, Game.wine, Game.slow = [WINE + "wine64", "halvren.exe"], True, 3.0


def wine_client_area(desktop):
    """The top-left of the game's picture on Wine's desktop, or None: the window's frame is all
    there that differs from the desktop's colour, with equal borders left, right and below."""
    width, height = WINE_DESKTOP
    try:  # one 32-bit number a pixel
        data = memoryview(pixels(desktop, 0, 0, width, height)[0]).cast("I")
    except ValueError:  # the desktop is still being made
        return None
    xs = [x for x in range(width) if data[height // 2 * width + x] != data[0]]
    ys = [y for y in range(height) if data[y * width + width // 2] != data[0]]
    border = (xs[-1] + 1 - xs[0] - WIDTH) // 2 if xs and ys else -1
    return (xs[0] + border, ys[-1] + 1 - border - HEIGHT) if border >= 0 else None


def exit_status(code):
    """The status as the program returned it (-1 arrives as 255)."""
    return code - 256 if code > 127 else code


class Game:
    """The real program in a temporary copy of the run directory."""
    program, wine, slow = ["./halvren"], False, 1.0  # how it starts; use_wine() changes them

    def __init__(self, run_dir, argv=(), setup=None, env=None, wrapper=()):
        self.dir = tempfile.mkdtemp(prefix="halvren-e2e-")
        # A log left by an earlier run by hand is not part of the game.
        shutil.copytree(run_dir, self.dir, dirs_exist_ok=True,
                        ignore=shutil.ignore_patterns("corvane.log"))
        if setup:
            setup(self.dir)
        # Kept outside the game's directory, which a row may make read-only.
        self.out, self.err = tempfile.TemporaryFile(), tempfile.TemporaryFile()
        # env: variables to set, or to leave out where the value is None.
        environment = {name: value for name, value in {**os.environ, "ALSOFT_DRIVERS": "null",
                                                       **(env or {})}.items() if value is not None}
        self.process = subprocess.Popen([*wrapper, *self.program, *argv], cwd=self.dir,
                                        env=environment, stdin=subprocess.DEVNULL,
                                        stdout=self.out, stderr=self.err)
        self.window, self.origin, self.shots = None, (0, 0), None

    def __enter__(self):
        return self

    def __exit__(self, *_):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        for option in ("-k", "-w") if self.wine else ():  # Wine's desktop goes with the game
            subprocess.run([WINE + "wineserver", option], timeout=60)
        os.chmod(self.dir, 0o755)
        shutil.rmtree(self.dir, ignore_errors=True)

    def wait_for_window(self, timeout=20.0):
        deadline = time.monotonic() + timeout * self.slow
        while time.monotonic() < deadline:
            assert self.process.poll() is None, "exited (%d) before its window showed: %r" % (
                exit_status(self.process.returncode), self.stderr())
            search = (["--name", "Wine desktop$"] if self.wine else
                      ["--onlyvisible", "--pid", str(self.process.pid), "--name", "^Corvane$"])
            ids = subprocess.run(["xdotool", "search", *search], capture_output=True,
                                 text=True).stdout.split()
            origin = ids and (wine_client_area(ids[0]) if self.wine else (0, 0))
            if origin:
                self.window, self.origin = ids[0], origin
                subprocess.run(["xdotool", "windowfocus", "--sync", self.window], timeout=10)
                return self.window
            time.sleep(0.05)
        raise AssertionError("no Corvane window within %.0f s" % timeout)

    def capture(self, rows=range(ROWS)):
        return Screen(self.window, int(rows[0] * CELL_H), int(len(rows) * CELL_H), self.origin)

    def wait_for(self, predicate, what, timeout=10.0, shot=None):
        """Captures until predicate(screen) holds; saves it as shot.png into self.shots."""
        deadline, last = time.monotonic() + timeout * self.slow, None
        while time.monotonic() < deadline:
            assert self.process.poll() is None, "exited (%d) waiting for %s" % (
                exit_status(self.process.returncode), what)
            try:
                last = self.capture()
                if predicate(last):
                    if self.shots and shot:
                        os.makedirs(self.shots, exist_ok=True)
                        last.save_png(os.path.join(self.shots, shot + ".png"))
                    return last
            except ValueError:  # the window is still being placed
                pass
            time.sleep(0.02)  # leaves the game its share of the processors
        if last:
            last.save_png(os.path.join(tempfile.gettempdir(), "halvren-e2e-failure.png"))
        raise AssertionError("no %s within %.0f s (last capture: %s/halvren-e2e-failure.png)"
                             % (what, timeout, tempfile.gettempdir()))

    def key(self, *names, delay_ms=40):
        if names:
            subprocess.run(["xdotool", "key", "--delay", str(delay_ms), *names], check=True,
                           timeout=60)

    def hold(self, name, seconds):
        subprocess.run(["xdotool", "keydown", name, "sleep", str(seconds), "keyup", name],
                       check=True, timeout=seconds + 10)

    def wait_exit(self, timeout=20.0):
        timeout *= self.slow
        try:
            return exit_status(self.process.wait(timeout=timeout))
        except subprocess.TimeoutExpired:
            raise AssertionError("still running after %.0f s" % timeout)

    def stdout(self):
        return os.pread(self.out.fileno(), 1 << 20, 0).decode("utf-8", "replace")

    def stderr(self):
        return os.pread(self.err.fileno(), 1 << 20, 0).decode("utf-8", "replace")

    def log(self):
        with open(os.path.join(self.dir, "corvane.log"), "rb") as f:
            return f.read().decode("utf-8", "replace")


def solver_keys(solver, run_dir):
    """The shortest key sequence of each level, in xdotool's key names, from the solver."""
    out = subprocess.run([os.path.abspath(solver)], cwd=run_dir, capture_output=True,
                         text=True, check=True).stdout
    return [list(field[5:].lower()) for line in out.splitlines()
            for field in line.split() if field.startswith("keys=")]


def run_checks(checks):
    """Runs each (name, function); one line per check and one summary. Returns the exit code."""
    failed = 0
    for name, check in checks:
        started = time.monotonic()
        try:
            check()
            print("ok %s (%.1f s)" % (name, time.monotonic() - started), flush=True)
        except Exception:
            failed += 1
            print("FAIL %s:\n%s" % (name, traceback.format_exc()), flush=True)
    print("%d passed, %d failed" % (len(checks) - failed, failed))
    return 1 if failed else 0
