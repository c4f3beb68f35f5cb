"""Drives the real halvren program in a window on an X display (the test's own), as a player
would: keys sent as the keyboard's (XTest), and each cell of the window read back as the
printable character, drawn by SFML's own text at the size and in the cells the game must use
(HALVREN_GLYPH_TOOL), that differs from it in the fewest pixels, and its colour. The figures and texts come from
tests/support/facts.txt; the X damage extension numbers the frames the game presents, so each
read knows which one it shows. python3 halvren_e2e.py WINDOW SPRITE_FILE FONT waits until the
window shows a frame of the sprite (the package test reads the installed game's title so).
"""

import atexit
import collections
import ctypes
import ctypes.util
import functools
import math
import os
import select
import shutil
import subprocess
import sys
import tempfile
import time
import traceback

FACTS = collections.defaultdict(list)  # name: the values of each line of that name
with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "../support/facts.txt")) as f:
    for name, colon, value in (line.partition(":") for line in f if line[0] != "#"):
        FACTS[name] += [value.strip()] if colon else []


fact = lambda name, index=0, kind=int: kind(FACTS[name][0].split()[index])


(COLUMNS, ROWS), (WIDTH, HEIGHT) = ([fact(n, i) for i in (0, 1)] for n in ("grid", "window"))
CELL_W, CELL_H = WIDTH / COLUMNS, HEIGHT / ROWS
# A cell's picture: the rows of its background box, and the columns that no neighbour's glyph
# reaches into. Columns fall on fifths of a pixel, so a glyph has five pictures.
BOX_X, BOX_W, PHASES = 4, 9, 5
BOX_Y, BOX_H = (int(fact("cell_box", i, float)) for i in (1, 3))
COLOURS = {(1, 0, 0): "red", (0, 1, 0): "green", (1, 1, 0): "yellow", (0, 0, 1): "blue",
           (1, 0, 1): "magenta", (0, 1, 1): "cyan", (1, 1, 1): "white"}
LIT = bytes(1 if v >= 128 else 0 for v in range(256))  # anti-aliased edges below count as dark
UNREADABLE = "\ufffd"  # a cell far from every glyph
INT, ULONG, POINTER = ctypes.c_int, ctypes.c_ulong, ctypes.c_void_p


class XImage(ctypes.Structure):
    _fields_ = ([(n, INT) for n in ("width", "height", "xoffset", "format")] + [("data", POINTER)]
                + [(n, INT) for n in ("byte_order", "unit", "bit_order", "pad", "depth",
                                      "bytes_per_line", "bits_per_pixel")]
                + [(n, ULONG) for n in ("red_mask", "green_mask", "blue_mask")])


class DamageNotify(ctypes.Structure):
    """An XDamageNotifyEvent's start; serial: the last request of ours the server had taken."""
    _fields_ = ([("type", INT), ("serial", ULONG), ("send_event", INT), ("display", POINTER),
                 ("drawable", ULONG), ("damage", ULONG), ("level", INT), ("more", INT),
                 ("timestamp", ULONG)]
                + [(n, ctypes.c_short) for n in "xy"] + [(n, ctypes.c_ushort) for n in "wh"])


def bind(library, *functions):
    """The library, each (name, result, arguments) declared: a Display* unannounced crashes."""
    library = ctypes.CDLL(ctypes.util.find_library(library))
    for name, result, arguments in functions:
        function = getattr(library, name)
        function.restype, function.argtypes = result, arguments
    return library


xlib = bind("X11", ("XOpenDisplay", POINTER, [ctypes.c_char_p]),
            ("XGetImage", ctypes.POINTER(XImage), [POINTER, ULONG, INT, INT, ctypes.c_uint,
                                                   ctypes.c_uint, ULONG, INT]),
            ("XDestroyImage", INT, [ctypes.POINTER(XImage)]), ("XPending", INT, [POINTER]),
            ("XConnectionNumber", INT, [POINTER]), ("XNextEvent", INT, [POINTER, ctypes.c_char_p]),
            ("XSync", INT, [POINTER, INT]), ("XNextRequest", ULONG, [POINTER]),
            ("XStringToKeysym", ULONG, [ctypes.c_char_p]),
            ("XKeysymToKeycode", ctypes.c_ubyte, [POINTER, ULONG]))
# Keys go in from this process, as the keyboard's: no program to start between a read and a key.
xtst = bind("Xtst", ("XTestFakeKeyEvent", INT, [POINTER, ctypes.c_uint, INT, ULONG]))
# The damage extension reports each drawing request into a window: a present is one, over the
# whole picture.
xdamage = bind("Xdamage", ("XDamageCreate", ULONG, [POINTER, ULONG, INT]),
               ("XDamageQueryExtension", INT, [POINTER] + [ctypes.POINTER(INT)] * 2))
DAMAGE_RAW_RECTANGLES = 0
# A window that is still being placed or already gone is an X error: no image, not an exit.
X_ERROR = ctypes.CFUNCTYPE(INT, POINTER, POINTER)(lambda *_: 0)
xlib.XSetErrorHandler(X_ERROR)


X = xlib.XOpenDisplay(None)  # the driver's own connection to the test's display
DAMAGE_NOTIFY, _ = INT(), INT()  # the damage extension's event number
assert xdamage.XDamageQueryExtension(X, ctypes.byref(DAMAGE_NOTIFY), ctypes.byref(_))


def pixels(window, x, y, width, height):
    """A rectangle of the window, four bytes a pixel, and the byte of red, green and blue."""
    image = xlib.XGetImage(X, int(window), x, y, width, height, 0xFFFFFFFF, 2)
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


def cell_bits(block, offsets):  # the lit pixels of a cell's picture in red, green and blue
    return [int.from_bytes(block.translate(LIT)[o::4], "big") for o in offsets]


@functools.cache
def reference_glyphs():
    """For each phase, (lit pixels, character) of every printable character, cells apart."""
    text = "".join(" ".join(chr(c) * PHASES) + " " for c in range(33, 127))
    figures = (fact("character_size"), CELL_W, CELL_H, WIDTH, HEIGHT)
    picture = Screen(subprocess.run(
        [os.environ["HALVREN_GLYPH_TOOL"], Game.font, *map(str, figures)], input="\n".join(
            text[i:i + COLUMNS] for i in range(0, len(text), COLUMNS)).encode(),
        capture_output=True, check=True).stdout, (0, 1, 2))
    references = [[(0, " ")] for _ in range(PHASES)]
    for row, column, ch in ((*divmod(i, COLUMNS), ch) for i, ch in enumerate(text) if ch != " "):
        block, phase = picture.block(column, row)
        references[phase].append((functools.reduce(int.__or__, cell_bits(block, (0, 1, 2))), ch))
    return references


@functools.cache
def classify(block, phase, offsets):
    """(character, colour name) of a cell's picture; a blank has no colour."""
    channels = cell_bits(block, offsets)
    lit = functools.reduce(int.__or__, channels)
    if not lit:
        return " ", None
    distance, reference, ch = min(((lit ^ ref).bit_count(), ref, ch)
                                  for ref, ch in reference_glyphs()[phase])
    if 4 * distance > (lit | reference).bit_count() + 16:
        ch = UNREADABLE
    counts = [c.bit_count() for c in channels]
    return ch, COLOURS.get(tuple(int(2 * c >= max(counts)) for c in counts))


class Screen:
    """The game's picture, read cell by cell."""

    def __init__(self, data, offsets, top=0):  # lines from top on; the others read black
        self.data, self.offsets, self.cache = data, tuple(offsets), {}
        self.lines = range(top, top + len(data) // (4 * WIDTH))

    def block(self, column, row):
        """The picture of a cell at a (possibly half) column, and its phase."""
        x, phase = divmod(round(column * CELL_W * PHASES), PHASES)
        x += BOX_X
        y = int(row * CELL_H) + BOX_Y
        at = lambda line: 4 * ((line - self.lines.start) * WIDTH + x)
        return b"".join(self.data[at(line):at(line) + 4 * BOX_W] if line in self.lines
                        else bytes(4 * BOX_W)  # the last row's box runs over
                        for line in range(y, y + BOX_H)), phase

    def cell(self, column, row):  # (character, colour)
        if (column, row) not in self.cache:
            self.cache[column, row] = classify(*self.block(column, row), self.offsets)
        return self.cache[column, row]

    def differences(self, expected, rows=range(ROWS)):
        """What differs, in the rows, from a screen of expected texts, (row, column, text,
        colour) each, every other cell blank: a generator, read as far as a test needs."""
        covered = set()
        for row, column, text, colour in (item for item in expected if item[0] in rows):
            read = [self.cell(column + i, row) for i in range(len(text))]
            if read != [(ch, None if ch == " " else colour) for ch in text]:
                yield "row %d column %g: %r in %s, read %r in %s" % (
                    row, column, text, colour, "".join(ch for ch, _ in read),
                    sorted({c for _, c in read if c}))
            covered.update((row, c) for c in range(int(column), math.ceil(column + len(text))))
        for row in rows:
            stray = [(c, self.cell(c, row)) for c in range(COLUMNS)
                     if (row, c) not in covered and self.cell(c, row)[0] != " "]
            if stray:
                yield "row %d: stray %r" % (row, stray)

    def which(self, screens, rows=range(ROWS)):
        """The index of the first of the screens that this one shows exactly in the rows."""
        return next((i for i, screen in enumerate(screens)
                     if next(self.differences(screen, rows), None) is None), None)

    def save_png(self, path):
        rgb = bytearray(WIDTH * HEIGHT * 3)
        for i, offset in enumerate(self.offsets):
            rgb[i::3] = self.data[offset::4]
        subprocess.run(["convert", "-size", "%dx%d" % (WIDTH, HEIGHT),
                        "-depth", "8", "rgb:-", path], input=bytes(rgb), check=True)


def centred(row, text, colour, centre=40):  # as the game centres its texts
    return row, centre - len(text) / 2, text, colour


def read_sprite(path):
    """(colour, frames, slowdown) of a sprite file; a frame is its list of rows."""
    lines = open(path).read().split("\n")
    count, width, height, slowdown = (int(v) for v in lines[:4])
    rows = [row.ljust(width) for row in lines[5:5 + count * height]]
    return lines[4], [rows[i * height:(i + 1) * height] for i in range(count)], slowdown


def art(colour, frames, *_):
    """The screens of a sprite's frames drawn centred on the grid, blank frames left out."""
    return [[(ROWS // 2 - len(frame) // 2 + y, COLUMNS // 2 - len(frame[0]) // 2, row, colour)
             for y, row in enumerate(frame)] for frame in frames if "".join(frame).strip()]


WINE = "/usr/lib/wine/"  # Debian's


def use_wine():
    """Later games run halvren.exe under Wine, in the virtual desktop of a prefix for this run."""
    os.environ.update(WINEPREFIX=tempfile.mkdtemp(prefix="halvren-wine-"), WINEDEBUG="-all",
                      WINEDLLOVERRIDES="mscoree,mshtml=")  # no Mono and Gecko installers
    key = r"HKCU\Software\Wine\Explorer"  # without a window manager, closes wait 2 s
    for command in (["wineboot", "-i"], ["reg", "add", key, "/v", "Desktop", "/d", "Default"],
                    ["reg", "add", key + r"\Desktops", "/v", "Default", "/d", "1280x1024"]):
        subprocess.run([WINE + "wine64", *command], check=True, capture_output=True, timeout=300)
    atexit.register(shutil.rmtree, os.environ["WINEPREFIX"], ignore_errors=True)
    Game.program, Game.wine, Game.slow = [WINE + "wine64", "halvren.exe"], True, 3.0


exit_status = lambda code: code - 256 if code > 127 else code  # -1 arrives as 255


class Window:
    """A game's window as the player sees it: each read is of a numbered present."""
    slow = 1.0  # how much longer than here things may take (under Wine, valgrind)
    shots = None  # where wait_for() saves its screenshots
    pictures = None  # the README's, which wait_for() compares where they were taken

    def __init__(self, window, timeout=10.0):
        """Waits for the first present: where the picture lies (under Wine, on its desktop)."""
        self.window, self.origin, self.presents, self.unread = window, None, 0, []
        self.damage = xdamage.XDamageCreate(X, int(window), DAMAGE_RAW_RECTANGLES)
        self.read_at = self.since = -1  # the last read's present; see wait_for()
        self.await_present(1, timeout)

    alive = lambda self: None

    def presented(self, sync=True):
        """How many presents the server has taken: those not read past are in self.unread."""
        if sync:
            xlib.XSync(X, 0)
        event = ctypes.create_string_buffer(192)
        while xlib.XPending(X):
            xlib.XNextEvent(X, event)
            n = DamageNotify.from_buffer(event)
            if (n.type, n.damage, n.w, n.h) == (DAMAGE_NOTIFY.value, self.damage, WIDTH, HEIGHT):
                self.unread.append(n.serial)
                self.origin = self.origin or (n.x, n.y)
        return self.presents + len(self.unread)

    def capture(self, rows=range(ROWS)):
        """(P, the picture of the rows), which shows present P exactly: the image's request and
        each present's are whole, and the notices of those before it have lower serials."""
        top, bottom = int(rows[0] * CELL_H), min(HEIGHT, int(rows[-1] * CELL_H) + BOX_Y + BOX_H)
        serial = xlib.XNextRequest(X)
        screen = Screen(*pixels(self.window, self.origin[0], self.origin[1] + top, WIDTH,
                                bottom - top), top)
        self.presented(sync=False)
        self.presents += sum(s < serial for s in self.unread)
        self.unread = [s for s in self.unread if s >= serial]
        self.read_at = self.presents
        return self.presents, screen

    def frames(self, count, timeout=10.0):
        """Waits for count more presents; the second is of a frame that polled the keys sent."""
        self.await_present(self.presented() + count, timeout)

    def await_present(self, number, timeout=10.0):
        deadline = time.monotonic() + timeout * self.slow
        while self.presented(sync=False) < number:
            self.alive()
            assert time.monotonic() < deadline, "no frame presented within %.0f s" % timeout
            select.select([xlib.XConnectionNumber(X)], [], [], 0.5)

    def wait_for(self, screens, what, timeout=10.0, shot=None, meanwhile=()):
        """Reads each frame until it shows one of the screens (lists of expected texts, or a
        test giving an index or None): its index; the frames before show one of meanwhile, if
        given, and present self.since, the read before, did not. Saves shot.png in self.shots."""
        deadline, last = time.monotonic() + timeout * self.slow, None
        while time.monotonic() < deadline:
            try:
                self.since, (_, last) = self.read_at, self.capture()
            except ValueError:  # the window is still being placed
                self.frames(1)
                continue
            index = screens(last) if callable(screens) else last.which(screens)
            if index is not None:
                if self.shots and shot:
                    os.makedirs(self.shots, exist_ok=True)
                    last.save_png(os.path.join(self.shots, shot + ".png"))
                elif shot and self.pictures:  # the picture shows what the game shows now
                    path = os.path.join(self.pictures, shot)
                    assert Screen(subprocess.run(["convert", path + ".png", "-depth", "8", "rgba:-"],
                                                 capture_output=True, check=True).stdout,
                                  (0, 1, 2)).which(screens) is not None, (
                        "docs/screenshots/%s.png is not what the game shows there now: take "
                        "the pictures again with scripts/screenshots.sh" % shot)
                return index
            assert not meanwhile or last.which(meanwhile) is not None, (
                "waiting for %s: %s" % (what, list(last.differences(meanwhile[0]))))
            self.frames(1)
        raise AssertionError("no %s within %.0f s: %s" % (
            what, timeout, last and not callable(screens) and list(last.differences(screens[0]))))


class Game(Window):
    """The real program in a temporary copy of the run directory."""
    program, wine = ["./halvren"], False  # how it starts; use_wine() changes them
    font = None  # the font the reader learns its glyphs from

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

    __enter__ = lambda self: self

    def __exit__(self, *_):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        for option in ("-k", "-w") if self.wine else ():  # Wine's desktop goes with the game
            subprocess.run([WINE + "wineserver", option], timeout=60)
        os.chmod(self.dir, 0o755)
        shutil.rmtree(self.dir, ignore_errors=True)

    def alive(self):
        assert self.process.poll() is None, "exited (%d) meanwhile: %r" % (
            exit_status(self.process.returncode), self.stderr())

    def wait_for_window(self, timeout=20.0):
        deadline = time.monotonic() + timeout * self.slow
        search = (["--name", "Wine desktop$"] if self.wine else
                  ["--onlyvisible", "--pid", str(self.process.pid), "--name", "^Corvane$"])
        while time.monotonic() < deadline:
            self.alive()
            ids = subprocess.run(["xdotool", "search", *search], capture_output=True,
                                 text=True).stdout.split()
            if ids:
                Window.__init__(self, ids[0], timeout)
                subprocess.run(["xdotool", "windowfocus", "--sync", self.window], timeout=10)
                return self.window
            time.sleep(0.05)
        raise AssertionError("no Corvane window within %.0f s" % timeout)

    def key(self, *names, delay_ms=40, hold=0):
        """Presses the keys one after another, each held for hold seconds; the server has them
        on return."""
        for i, name in enumerate(names):
            code = xlib.XKeysymToKeycode(X, xlib.XStringToKeysym(name.encode()))
            assert code, "no key %r on the keyboard" % name
            time.sleep(delay_ms / 1000 if i else 0)
            for down in True, False:
                xtst.XTestFakeKeyEvent(X, code, down, 0)
                xlib.XSync(X, 0)
                time.sleep(hold if down else 0)

    def wait_exit(self, timeout=20.0):
        try:
            return exit_status(self.process.wait(timeout=timeout * self.slow))
        except subprocess.TimeoutExpired:
            raise AssertionError("still running after %.0f s" % (timeout * self.slow))

    def text(self, data):
        """Windows ends a text file's lines in CR LF: under Wine lines are compared, not bytes."""
        text = data.decode("utf-8", "replace")
        return text.replace("\r\n", "\n") if self.wine else text

    stdout = lambda self: self.text(os.pread(self.out.fileno(), 1 << 20, 0))
    stderr = lambda self: self.text(os.pread(self.err.fileno(), 1 << 20, 0))
    log = lambda self: self.text(open(os.path.join(self.dir, "corvane.log"), "rb").read())


def solver_keys(solver, run_dir):
    """The shortest key sequence of each level, in X's key names, from the solver."""
    out = subprocess.run([os.path.abspath(solver)], cwd=run_dir, capture_output=True,
                         text=True, check=True).stdout
    return [list(field[5:].lower()) for line in out.splitlines()
            for field in line.split() if field.startswith("keys=")]


def run_checks(checks):  # a line each and a summary; fails when none was selected
    failed = 0
    for name, check in checks:
        started = time.monotonic()
        try:
            check()
            print("ok %s (%.1f s)" % (name, time.monotonic() - started), flush=True)
        except Exception:
            failed += 1
            print("FAIL %s:\n%s" % (name, traceback.format_exc()), flush=True)
    print("%d passed, %d failed" % (len(checks) - failed, failed) if checks else "none selected")
    return 1 if failed or not checks else 0


if __name__ == "__main__":
    window, sprite, Game.font = sys.argv[1:4]
    Window(window).wait_for(art(*read_sprite(sprite)), "the art of " + sprite, timeout=30)
