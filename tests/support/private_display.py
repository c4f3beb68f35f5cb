"""A virtual X display of the test's own, so that key presses and focus changes of tests
running side by side never reach each other's windows."""

import atexit
import os
import subprocess


def start_private_display():
    """Starts Xvfb on a display number it picks itself (-displayfd) and points DISPLAY at it
    for this process and its children. The server ends with the process."""
    read_end, write_end = os.pipe()
    # -noreset: otherwise the server resets whenever its last client leaves and refuses the
    # connections that arrive meanwhile.
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
         "-nolisten", "tcp", "-noreset"],
        pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as channel:
        number = channel.readline().strip()
    if not number:
        server.kill()
        raise RuntimeError("Xvfb did not start")

    def stop():
        server.terminate()
        server.wait()
    atexit.register(stop)
    os.environ["DISPLAY"] = ":" + number
    return os.environ["DISPLAY"]
