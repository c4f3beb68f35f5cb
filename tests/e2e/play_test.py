"""End-to-end scenarios: the real game, played with real key presses on an X display.

Usage: play_test.py RUN_DIR SOLVER SCENARIO [SCREENSHOT_DIR]
"""

import os
import shutil
import sys
import time

from halvren_e2e import Game, exit_status, solver_sequences

KEYS = {"W": "w", "A": "a", "S": "s", "D": "d"}
HOW_TO_PLAY = ("HOW TO PLAY", 5, "white")
STORY_TOP = ("1944 - Somewhere in Berlin", 4, "white")


def play_screen(level, steps, pending=False):
    """A predicate for the play screen of a level after a number of steps."""
    def check(s):
        status = "Steps: %d" % steps
        bottom = (("Level complete! Preparing results...", "green") if pending
                  else ("Guide both @ symbols to their O exits", "yellow"))
        return (s.shows_centred("HALVREN", 1, "white")
                and s.shows_text("Level %d/5" % level, 2, 1, "white")
                and s.shows_text(status, 78 - len(status), 1, "yellow")
                and s.shows_centred("RED WORLD", 3, "red", centre=13)
                and s.shows_centred("BLUE WORLD", 3, "blue", centre=66)
                and s.shows_centred("Move: WASD / Arrows   Restart: R   Quit: Q", 19, "white")
                and s.shows_centred(bottom[0], 22, bottom[1]))
    return check


def maps_visible(s):
    red = s.coloured_cells("red", columns=range(4, 23), rows=range(5, 18))
    blue = s.coloured_cells("blue", columns=range(57, 76), rows=range(5, 18))
    return len(red) > 0 and len(blue) > 0


def level_complete_screen(level, steps, prompt_shown=None):
    def check(s):
        prompt = ("Press Enter to view final results" if level >= 5
                  else "Press Enter for the next level")
        ok = (s.shows_centred("LEVEL %d COMPLETE" % level, 6, "green")
              and s.shows_centred("Steps: %d" % steps, 10, "yellow")
              and s.shows_centred("R: Replay level    Q: Quit", 17, "white")
              and not maps_visible(s))
        if prompt_shown is True:
            ok = ok and s.shows_centred(prompt, 14, "white")
        elif prompt_shown is False:
            ok = ok and s.row_is_empty(14)
        return ok
    return check


def win_screen(total):
    def check(s):
        return (s.shows_centred("YOU WIN!", 7, "green")
                and s.shows_centred("All 5 levels completed", 10, "white")
                and s.shows_centred("Total steps: %d" % total, 12, "yellow")
                and s.shows_centred("Press Q to quit", 16, "white"))
    return check


def title_screen(s):
    # The title draws only its art: nothing of the text screens, and something on screen.
    return (not s.shows_centred(*STORY_TOP) and not s.shows_centred(*HOW_TO_PLAY)
            and any(s.cell_colour(c, r) for r in range(24) for c in range(0, 80, 2)))


def story_screen(s):
    return (s.shows_centred(*STORY_TOP)
            and s.shows_centred("Two British prisoners of war have been separated", 7, "white")
            and s.shows_centred("inside a German prison.", 9, "white")
            and s.shows_centred("Unable to see each other, they move together,", 12, "white")
            and s.shows_centred("one step at a time.", 14, "white")
            and s.shows_centred("Their paths are different, but they must escape together.",
                                17, "white")
            and s.shows_centred("Reach both exits. Get them home.", 20, "yellow")
            and s.shows_centred("Enter: Begin   Esc: Back   Q: Quit", 22, "white"))


def how_to_play_screen(s):
    return (s.shows_centred(*HOW_TO_PLAY)
            and s.shows_centred("Control both characters at the same time", 9, "white")
            and s.shows_centred("Move: WASD / Arrow Keys", 11, "white")
            and s.shows_centred("Guide both characters to their exits", 13, "white")
            and s.shows_centred("Esc: Back to title", 17, "yellow"))


def game_over_showing(s):
    return not s.shows_centred("YOU WIN!", 7, "green") and any(
        s.cell_colour(c, r) for r in range(24) for c in range(0, 80, 2))


class Scenarios:
    def __init__(self, run_dir, solver, shots):
        self.run_dir = run_dir
        self.solver = solver
        self.shots = shots
        self.sequences = solver_sequences(solver, run_dir)
        assert len(self.sequences) == 5, "the solver gave %d sequences" % len(self.sequences)

    def shot(self, screen, name):
        if self.shots:
            os.makedirs(self.shots, exist_ok=True)
            screen.save_png(os.path.join(self.shots, name + ".png"))

    def start(self, **kwargs):
        game = Game(self.run_dir, **kwargs)
        game.wait_for_window()
        return game

    def to_level_one(self, game):
        game.wait_for_screen(title_screen, what="the title")
        game.key("Return")
        game.wait_for_screen(story_screen, what="the story")
        game.key("Return")
        return game.wait_for_screen(play_screen(1, 0), what="level 1")

    def play_level(self, game, level):
        keys = [KEYS[k] for k in self.sequences[level - 1]]
        game.key(*keys)
        return game.wait_for_screen(play_screen(level, len(keys), pending=True),
                                    what="level %d completed" % level)

    def quit_and_expect_clean_exit(self, game):
        game.key("q")
        status = exit_status(game.wait_exit())
        assert status == 0, "exit status %d" % status
        assert game.standard_error() == "", "stderr: %r" % game.standard_error()
        assert game.standard_output() == "", "stdout: %r" % game.standard_output()

    # --- scenarios ------------------------------------------------------------------

    def full_game(self):
        game = self.start()
        try:
            self.shot(game.wait_for_screen(title_screen, what="the title"), "title")
            game.key("i")
            self.shot(game.wait_for_screen(how_to_play_screen, what="how to play"), "how-to-play")
            game.key("Escape")
            game.wait_for_screen(title_screen, what="the title again")
            game.key("Return")
            self.shot(game.wait_for_screen(story_screen, what="the story"), "story")
            game.key("Return")
            screen = game.wait_for_screen(play_screen(1, 0), what="level 1")
            assert maps_visible(screen)
            self.shot(screen, "level-1")

            total = 0
            for level in range(1, 6):
                steps = len(self.sequences[level - 1])
                pending = self.play_level(game, level)
                if level == 5:
                    self.shot(pending, "level-complete-pending")
                done = game.wait_for_screen(level_complete_screen(level, steps, True),
                                            what="level %d complete" % level)
                if level == 2:
                    self.shot(done, "level-complete")
                    # A replay takes this attempt out of the total and starts again at 0.
                    game.key("r")
                    game.wait_for_screen(lambda s: play_screen(2, 0)(s) and maps_visible(s),
                                         what="level 2 replayed")
                    self.play_level(game, level)
                    game.wait_for_screen(level_complete_screen(level, steps),
                                         what="level 2 complete again")
                total += steps
                game.key("Return")
                if level < 5:
                    game.wait_for_screen(play_screen(level + 1, 0), what="level %d" % (level + 1))

            won = game.wait_for_screen(win_screen(total), what="the final results")
            self.shot(won, "final-results")
            # Keys that mean nothing here change nothing.
            game.key("Return", "Escape", "i", "Left", "w")
            game.wait_for_screen(win_screen(total), what="the final results, unchanged")
            game.key("q")
            over = game.wait_for_screen(game_over_showing, what="the game-over art")
            # The art plays once: keep the fullest frame seen before the program ends.
            fullest, fullest_cells = over, len(over.coloured_cells("red"))
            while game.is_running():
                try:
                    frame = game.capture()
                except Exception:
                    break
                cells = len(frame.coloured_cells("red"))
                if cells > fullest_cells:
                    fullest, fullest_cells = frame, cells
            self.shot(fullest, "game-over")
            status = exit_status(game.wait_exit())
            assert status == 0, "exit status %d" % status
            assert game.standard_error() == "", game.standard_error()
        finally:
            game.close()

    def quit_from_every_screen(self):
        def on_title(game):
            game.wait_for_screen(title_screen, what="the title")

        def on_story(game):
            on_title(game)
            game.key("Return")
            game.wait_for_screen(story_screen, what="the story")
            # A key release alone does nothing.
            game.key_up("Return")
            game.key_up("Escape")
            game.wait_for_screen(story_screen, what="the story, unchanged")

        def on_how_to_play(game):
            on_title(game)
            game.key("i")
            game.wait_for_screen(how_to_play_screen, what="how to play")

        def playing(game):
            self.to_level_one(game)

        def pending(game):
            self.to_level_one(game)
            self.play_level(game, 1)

        def level_complete(game):
            pending(game)
            game.wait_for_screen(level_complete_screen(1, len(self.sequences[0])),
                                 what="level 1 complete")

        for name, reach in [("title", on_title), ("story", on_story),
                            ("how-to-play", on_how_to_play), ("playing", playing),
                            ("pending", pending), ("level-complete", level_complete)]:
            game = self.start()
            try:
                reach(game)
                # The second Q lands while the game-over art plays and must change nothing.
                game.key("q", "q")
                status = exit_status(game.wait_exit())
                assert status == 0, "%s: exit status %d" % (name, status)
                assert game.standard_error() == "", "%s: %r" % (name, game.standard_error())
            finally:
                game.close()

    def failures(self):
        def broken_level(d):
            path = os.path.join(d, "assets/levels/level-03.txt")
            with open(path) as f:
                lines = f.read().split("\n")
            # Cut one cell off the fourth row of the first section's map.
            header = next(i for i, line in enumerate(lines) if line in ("[RED]", "[BLUE]"))
            lines[header + 4] = lines[header + 4][:-1]
            with open(path, "w") as f:
                f.write("\n".join(lines))
            return header

        def expect_failure(prepare, stderr=None, log=None, wrapper=()):
            game = Game(self.run_dir, prepare=prepare, wrapper=wrapper)
            try:
                status = exit_status(game.wait_exit())
                assert status == -1, "exit status %d" % status
                if stderr is not None:
                    assert game.standard_error() == stderr, repr(game.standard_error())
                else:
                    assert game.standard_error() == "", repr(game.standard_error())
                if log is not None:
                    assert game.read("corvane.log") == log, repr(game.read("corvane.log"))
            finally:
                game.close()

        holder = {}

        def prepare_level(d):
            holder["header"] = broken_level(d)
            holder["section"] = "red" if open(
                os.path.join(d, "assets/levels/level-03.txt")).read().split("\n")[
                holder["header"]] == "[RED]" else "blue"

        game = Game(self.run_dir, prepare=prepare_level)
        try:
            status = exit_status(game.wait_exit())
            assert status == -1, "broken level: exit status %d" % status
            expected = ("Level data error in assets/levels/level-03.txt: %s map row 4 has 18 "
                        "cells; expected 19.\n" % holder["section"])
            assert game.standard_error() == expected, repr(game.standard_error())
        finally:
            game.close()

        expect_failure(lambda d: os.remove(os.path.join(d, "assets/blue-wall.txt")),
                       log="ResourceManager::loadSprite(): unable to open file "
                           "'assets/blue-wall.txt'.\n")
        expect_failure(lambda d: os.remove(os.path.join(d, "sound/BGM/BGM.ogg")),
                       log="ResourceManager::loadMusic(): Unable to load from file "
                           "'sound/BGM/BGM.ogg'.\n")
        expect_failure(lambda d: os.remove(os.path.join(d, "cor-font.ttf")), log="")

        # A working directory the game cannot write: the log cannot be created.
        def log_is_a_directory(d):
            os.makedirs(os.path.join(d, "corvane.log"))
        expect_failure(log_is_a_directory)

        def read_only(d):
            for root, dirs, files in os.walk(d):
                for name in dirs:
                    os.chmod(os.path.join(root, name), 0o755)
                for name in files:
                    os.chmod(os.path.join(root, name), 0o644)
            os.chmod(os.path.join(d, "halvren"), 0o755)
            os.chmod(d, 0o555)
        # Root may write anywhere, so the game runs as an unprivileged user for this one.
        wrapper = (("setpriv", "--reuid=65534", "--regid=65534", "--clear-groups")
                   if os.geteuid() == 0 else ())
        expect_failure(read_only, wrapper=wrapper)


def main():
    run_dir, solver, scenario = sys.argv[1:4]
    shots = sys.argv[4] if len(sys.argv) > 4 else os.environ.get("HALVREN_SCREENSHOT_DIR")
    scenarios = Scenarios(run_dir, solver, shots)
    started = time.monotonic()
    try:
        getattr(scenarios, scenario.replace("-", "_"))()
    except AssertionError as failure:
        print("FAIL %s: %s" % (scenario, failure))
        print("0 passed, 1 failed")
        return 1
    print("ok %s (%.1f s)" % (scenario, time.monotonic() - started))
    print("1 passed, 0 failed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
