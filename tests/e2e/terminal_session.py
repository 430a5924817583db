# `veld shell` at a real pseudo-terminal: ESC and Ctrl-C cancel, dialog words are mistyped
# commands, leaving with unsaved changes asks first, the line editor's history, HELP.
import os
import shutil
import signal
import tempfile
import unittest

import pexpect

VELD = os.environ["VELD_EXE"]
TIMEOUT = 60  # generous: the machine may be busy; a passing run never waits it out
ESC = "\x1b"
UP = "\x1b[A"


class TerminalSession(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="veld-term-")
        self.shell = None

    def tearDown(self):
        if self.shell is not None and self.shell.isalive():
            self.shell.kill(signal.SIGKILL)
        shutil.rmtree(self.folder, ignore_errors=True)

    def start(self, *args):
        env = dict(os.environ, TERM="xterm", HOME=self.folder)
        env.pop("VELD_PROFILE", None)
        self.shell = pexpect.spawn(
            VELD, ["shell", *args, "--profile", os.path.join(self.folder, "profile")],
            cwd=self.folder, env=env, timeout=TIMEOUT, encoding="utf-8",
            dimensions=(40, 200))
        self.prompt()
        return self.shell

    def prompt(self):
        self.shell.expect_exact("Command: ")

    def type(self, line):
        self.shell.send(line + "\r")

    def finish(self):
        self.shell.expect(pexpect.EOF)
        self.shell.close()
        return self.shell.exitstatus

    def draw_line(self):
        self.type("LINE")
        self.shell.expect_exact("Specify first point: ")
        self.type("0,0")
        self.shell.expect_exact("Specify next point or [Undo]: ")
        self.type("5,5")
        self.shell.expect_exact("Specify next point or [Undo]: ")
        self.type("")
        self.prompt()

    def test_escape_cancels_the_prompt_and_drops_what_was_typed(self):
        shell = self.start()
        self.type("LINE")
        shell.expect_exact("Specify first point: ")
        shell.send("12,3")
        shell.send(ESC)
        shell.expect_exact("*Cancel*")
        self.assertNotIn("^[", shell.before)
        self.prompt()
        self.type("QUIT")  # nothing was drawn: no question about unsaved changes
        self.assertEqual(self.finish(), 0)
        self.assertNotIn("Save changes", shell.before)

    def test_ctrl_c_cancels_the_command_and_keeps_the_drawing(self):
        shell = self.start()
        self.draw_line()
        self.type("LINE")
        shell.expect_exact("Specify first point: ")
        shell.sendintr()
        shell.expect_exact("*Cancel*")
        self.prompt()
        self.assertTrue(shell.isalive())
        shell.sendintr()
        shell.expect_exact("*Cancel*")
        self.prompt()
        shell.sendintr()
        shell.expect_exact("Type QUIT or press Ctrl-D to leave veld.")
        self.prompt()
        saved = os.path.join(self.folder, "kept.dxf")
        self.type("SAVE")
        shell.expect_exact("Save drawing as")
        self.type(saved)
        self.prompt()
        self.type("QUIT")
        self.assertEqual(self.finish(), 0)
        with open(saved, encoding="utf-8") as drawing:
            self.assertIn("LINE", drawing.read())

    def test_a_dialog_word_at_the_command_prompt_is_an_unknown_command(self):
        shell = self.start()
        for word in ("ok", "cancel", "set 1057 1600"):
            self.type(word)
            shell.expect_exact('Unknown command "' + word.upper() + '"')
            self.prompt()
        self.type("LINE")
        shell.expect_exact("Specify first point: ")
        self.type("ok")
        shell.expect_exact("Invalid point.")
        shell.expect_exact("Specify first point: ")
        shell.send(ESC)
        self.prompt()
        self.type("QUIT")
        self.assertEqual(self.finish(), 0)

    def test_quit_with_unsaved_changes_asks_first(self):
        shell = self.start()
        self.draw_line()
        self.type("QUIT")
        shell.expect_exact("Save changes to Drawing1.dxf? [Yes/No/Cancel] <Yes>: ")
        self.type("Cancel")
        self.prompt()
        shell.sendeof()
        shell.expect_exact("Save changes to Drawing1.dxf? [Yes/No/Cancel] <Yes>: ")
        self.type("")
        shell.expect_exact("Save drawing as <Drawing1.dxf>: ")
        self.type("")
        self.assertEqual(self.finish(), 0)
        self.assertTrue(os.path.exists(os.path.join(self.folder, "Drawing1.dxf")))

    def test_leaving_without_changes_or_with_no_asks_nothing_more(self):
        shell = self.start()
        shell.sendeof()
        self.assertEqual(self.finish(), 0)
        shell = self.start()
        self.draw_line()
        self.type("QUIT")
        shell.expect_exact("[Yes/No/Cancel] <Yes>: ")
        self.type("n")
        self.assertEqual(self.finish(), 0)
        self.assertFalse(os.path.exists(os.path.join(self.folder, "Drawing1.dxf")))

    def test_a_dialog_names_its_picture_shows_changes_and_escape_cancels_it(self):
        shell = self.start()
        self.type("FNDD")
        shell.expect(r"picture: (\S+\.svg)")
        with open(shell.match.group(1), encoding="utf-8") as picture:
            self.assertIn("<svg", picture.read())
        shell.expect_exact("Dialog: ")
        self.type("set MARK F7")
        shell.expect_exact("Dialog: ")
        self.assertEqual(shell.before.count("\n  10"), 1, shell.before)
        self.type("ok")
        shell.expect_exact("closed with OK")
        shell.expect_exact("(RETURN=")
        self.type("")
        shell.expect_exact("type show to see them all")
        self.assertLess(shell.before.count("\n  10"), 3, shell.before)
        shell.expect_exact("Dialog: ")
        shell.send(ESC)
        shell.expect_exact("closed with Cancel")
        self.prompt()
        self.type("QUIT")
        self.assertEqual(self.finish(), 0)

    def test_the_up_arrow_recalls_the_last_line(self):
        shell = self.start()
        self.type("LINE")
        shell.expect_exact("Specify first point: ")
        self.type("1,1")
        shell.expect_exact("Specify next point or [Undo]: ")
        shell.send(ESC)
        self.prompt()
        shell.send(UP + UP + "\r")
        shell.expect_exact("Specify first point: ")
        shell.send(UP + UP + "\r")  # one history for every prompt: LINE, then 1,1
        shell.expect_exact("Specify next point or [Undo]: ")
        shell.send(ESC)
        self.prompt()
        self.type("HELP")
        shell.expect_exact("Commands:")
        shell.expect("LINE +draws line segments")
        shell.expect_exact("FNDD")
        self.prompt()
        self.type("QUIT")
        self.assertEqual(self.finish(), 0)


if __name__ == "__main__":
    unittest.main(verbosity=2)
