# `veld shell` at a real pseudo-terminal: what is typed becomes UTF-8 or is refused (Shift-JIS
# with --encoding cp932, UTF-8 otherwise), Ctrl-C cancels also when the transcript goes to a
# pipe, and a hang-up with unsaved changes leaves a recovery copy beside the drawing.
import json
import os
import shutil
import signal
import subprocess
import tempfile
import time
import unittest

import pexpect

VELD = os.environ["VELD_EXE"]
TIMEOUT = 60  # generous: the machine may be busy; a passing run never waits it out
HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.dirname(os.path.dirname(HERE))
GRID = os.path.join(SOURCE, "support", "sample", "grid.dxf")
LAYER = "基礎ﾃｽﾄ層"  # full-width kanji and half-width katakana


def read_drawing(path):
    """Layer names and LINE end points of a drawing as ezdxf reads it, after its audit."""
    audit = subprocess.run(["/usr/bin/python3", os.path.join(SOURCE, "tests", "support",
                                                             "ezdxf_check.py"), path],
                           capture_output=True, text=True, check=False)
    if audit.returncode != 0:
        raise AssertionError(f"ezdxf finds faults in {path}: {audit.stdout}")
    program = (
        "import ezdxf, json, sys, logging\n"
        "logging.getLogger('ezdxf').setLevel(logging.ERROR)\n"
        "doc = ezdxf.readfile(sys.argv[1])\n"
        "print(json.dumps({'layers': [l.dxf.name for l in doc.layers],\n"
        "  'lines': [[round(c, 6) for c in (e.dxf.start.x, e.dxf.start.y, e.dxf.end.x, e.dxf.end.y)]\n"
        "            for e in doc.modelspace().query('LINE')]}))\n")
    run = subprocess.run(["/usr/bin/python3", "-c", program, path],
                         capture_output=True, text=True, check=True)
    return json.loads(run.stdout)


class TerminalInput(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="veld-term-input-")
        self.drawing = os.path.join(self.folder, "plan.dxf")
        shutil.copyfile(GRID, self.drawing)
        self.shell = None

    def tearDown(self):
        if self.shell is not None and self.shell.isalive():
            self.shell.kill(signal.SIGKILL)
        shutil.rmtree(self.folder, ignore_errors=True)

    def start(self, *args, encoding="utf-8", pipe=None):
        env = dict(os.environ, TERM="xterm", HOME=self.folder)
        env.pop("VELD_PROFILE", None)
        argv = [VELD, "shell", self.drawing, *args, "--profile", os.path.join(self.folder, "profile")]
        if pipe:  # the transcript through a pipe (`tee -i`, `tee`): stdout is no terminal
            command = " ".join(f"'{a}'" for a in argv) + f" | {pipe} transcript.log"
            self.shell = pexpect.spawn("/bin/bash", ["-c", command], cwd=self.folder, env=env,
                                       timeout=TIMEOUT, encoding=encoding, codec_errors="replace",
                                       dimensions=(40, 200))
        else:
            self.shell = pexpect.spawn(argv[0], argv[1:], cwd=self.folder, env=env,
                                       timeout=TIMEOUT, encoding=encoding, codec_errors="replace",
                                       dimensions=(40, 200))
        self.prompt()
        return self.shell

    def prompt(self):
        self.shell.expect_exact("Command: ")

    def type(self, line):
        self.shell.send(line + "\r")

    def type_bytes(self, raw):
        os.write(self.shell.child_fd, raw + b"\r")

    def finish(self):
        self.shell.expect(pexpect.EOF)
        self.shell.close()
        return self.shell.exitstatus

    def make_layer(self, name=None, raw=None):
        self.type("-LAYER")
        self.shell.expect_exact("Enter an option [?/Make/Set/New/ON/OFF/Color/Freeze/Thaw]: ")
        self.type("Make")
        self.shell.expect_exact("Enter name for new layer")
        self.shell.expect_exact(": ")
        if raw is not None:
            self.type_bytes(raw)
        else:
            self.type(name)

    def save_and_quit(self):
        self.type("SAVE")
        self.shell.expect_exact("Save drawing as")
        self.type("")
        self.prompt()
        self.type("QUIT")
        self.assertEqual(self.finish(), 0)

    def draw_line(self):
        self.type("LINE")
        self.shell.expect_exact("Specify first point: ")
        self.type("0,0")
        self.shell.expect_exact("Specify next point or [Undo]: ")
        self.type("5,5")
        self.shell.expect_exact("Specify next point or [Undo]: ")
        self.type("")
        self.prompt()

    # --- text typed at the terminal

    def test_shift_jis_typed_with_cp932_is_stored_as_the_same_characters(self):
        shell = self.start("--encoding", "cp932", encoding="cp932")
        self.make_layer(raw=LAYER.encode("cp932"))
        shell.expect_exact("Enter an option")
        self.type("")
        self.prompt()
        self.save_and_quit()
        self.assertIn(LAYER, read_drawing(self.drawing)["layers"])

    def test_text_that_is_not_in_the_terminals_encoding_is_refused_and_nothing_written(self):
        broken_sjis = b"\x8a\xee\x81"  # a lead byte whose second byte (space) cannot follow it
        for args, encoding, raw, message in (
                (("--encoding", "cp932"), "cp932", broken_sjis + b" X", "Not Shift-JIS text"),
                ((), "utf-8", LAYER.encode("cp932"), "Not UTF-8 text")):
            with self.subTest(encoding=encoding):
                shutil.copyfile(GRID, self.drawing)
                shell = self.start(*args, encoding=encoding)
                before = read_drawing(self.drawing)["layers"]
                self.make_layer(raw=raw)
                shell.expect_exact(message)
                self.type("X1")  # typed again, as valid text
                shell.expect_exact("Enter an option")
                self.type("")
                self.prompt()
                self.save_and_quit()
                layers = read_drawing(self.drawing)["layers"]
                self.assertEqual(sorted(layers), sorted(before + ["X1"]))

    def test_such_text_from_a_pipe_ends_the_run_as_in_a_script(self):
        with open(self.drawing, "rb") as original:
            untouched = original.read()
        typed = b"-LAYER\nMake\n" + LAYER.encode("cp932") + b"\n\nSAVE\n\n"
        run = subprocess.run([VELD, "shell", self.drawing, "--profile",
                              os.path.join(self.folder, "profile")],
                             input=typed, capture_output=True, timeout=TIMEOUT, check=False)
        self.assertEqual(run.returncode, 3, run.stderr)
        self.assertIn(b"standard input line 3: not UTF-8 text", run.stderr)
        with open(self.drawing, "rb") as drawing:
            self.assertEqual(drawing.read(), untouched)

    # --- signals

    def test_ctrl_c_cancels_the_command_when_the_transcript_goes_to_a_pipe(self):
        shell = self.start(pipe="tee -i")
        self.type("LINE")
        shell.expect_exact("Specify first point: ")
        shell.sendintr()
        shell.expect_exact("*Cancel*")
        self.prompt()
        self.draw_line()  # the session goes on, the drawing with it
        self.save_and_quit()
        self.assertIn([0, 0, 5, 5], read_drawing(self.drawing)["lines"])
        with open(os.path.join(self.folder, "transcript.log"), encoding="utf-8") as log:
            self.assertIn("*Cancel*", log.read())

    def test_when_ctrl_c_also_ends_the_pipes_reader_the_work_is_saved_aside(self):
        shell = self.start(pipe="tee")  # plain tee ends on Ctrl-C: no one reads the transcript
        self.draw_line()
        self.type("LINE")
        shell.expect_exact("Specify first point: ")
        shell.sendintr()
        recovered = os.path.join(self.folder, "plan.recovered.dxf")
        shell.expect_exact("unsaved changes saved to " + recovered)
        shell.expect(pexpect.EOF)
        self.assertIn([0, 0, 5, 5], read_drawing(recovered)["lines"])

    def test_a_hang_up_with_unsaved_changes_saves_a_recovery_copy_beside_the_drawing(self):
        with open(self.drawing, "rb") as original:
            untouched = original.read()
        recovered = os.path.join(self.folder, "plan.recovered.dxf")
        shell = self.start()
        self.draw_line()
        shell.kill(signal.SIGHUP)
        shell.expect_exact("unsaved changes saved to " + recovered)
        self.assertEqual(self.finish(), 0)
        self.assertIn([0, 0, 5, 5], read_drawing(recovered)["lines"])
        with open(self.drawing, "rb") as drawing:
            self.assertEqual(drawing.read(), untouched)

    def test_closing_the_terminal_saves_the_copy_and_without_changes_nothing(self):
        recovered = os.path.join(self.folder, "plan.recovered.dxf")
        for changed in (False, True):
            with self.subTest(changed=changed):
                shell = self.start()
                if changed:
                    self.draw_line()
                shell.ptyproc.fileobj.close()  # the terminal window goes away
                shell.closed = shell.ptyproc.closed = True  # pexpect must not close it again
                deadline = time.monotonic() + TIMEOUT
                while shell.ptyproc.isalive() and time.monotonic() < deadline:
                    time.sleep(0.05)
                self.assertFalse(shell.ptyproc.isalive())
                self.assertEqual(os.path.exists(recovered), changed)
        self.assertIn([0, 0, 5, 5], read_drawing(recovered)["lines"])


if __name__ == "__main__":
    unittest.main(verbosity=2)
