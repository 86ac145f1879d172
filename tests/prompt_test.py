#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The rollwright tool at a person's terminal, driven through a
pseudo-terminal: the prompt's keys and words, and when replies are coloured.
Usage: prompt_test.py PATH_TO_ROLLWRIGHT LINE_EDITING (ON or OFF)"""
import fcntl
import os
import pty
import select
import struct
import subprocess
import sys
import tempfile
import termios
import time

TOOL = sys.argv[1]
EDITING = sys.argv[2] == "ON"
PROMPT = b"roll> "
ERROR = "Dice Error: Illegal characters in input!"
UP = b"\x1b[A"

# Keys typed at "roll> " from seed 1, and the first line printed in answer
# (None: nothing but a new prompt). The seed rolls d500 as 347, 131, 483.
SESSION = [
    (b"d500\r", "rolls a d500 and gets 347"),
    (b"2d6+\x03", None),  # Ctrl-C drops the line, rolls nothing
    (UP + b"\r" if EDITING else b"d500\r", "rolls a d500 and gets 131"),
    (b"\r", None),
    (b"   \r", None),
    (b"help\r", "A request: [SETS#] EXPRESSION [skill LEVEL] [COMMENT]"),
    (b"?\r", "A request: [SETS#] EXPRESSION [skill LEVEL] [COMMENT]"),
    (b"d500\r", "rolls a d500 and gets 483"),
]
if not EDITING:  # an arrow key's escape sequence is never rolled
    SESSION.append((b"3d6" + UP + b"\r",
                    "Line editing is off in this build of rollwright, so arrow "
                    "keys and other"))

# Keys that end a session, and all that is printed after the prompt.
ENDINGS = [(b"exit\r", "exit\r\n"), (b" quit \r", " quit \r\n"),
           (b"\x04", "\r\n")]  # Ctrl-D: a new line, no "^D"

# The environment beside TERM=xterm, and the replies to COLOURED at a
# terminal.
COLOURED = ["--seed", "1", "d6 skill 24", "2d6/2"]
AMAZING = "rolls a d6 against 24 and gets 5 %sfor an Amazing Success%s\r\n"
PLAIN = AMAZING % ("", "") + ERROR + "\r\n"
COLOURS = [
    ({}, AMAZING % ("\033[1;32m", "\033[0m") + "\033[1;31m" + ERROR +
     "\033[0m\r\n"),
    ({"NO_COLOR": "1"}, PLAIN),
    ({"TERM": "dumb"}, PLAIN),
]

failures = 0


def check(name, expected, actual):
    global failures
    if expected == actual:
        print("ok: " + name)
    else:
        print("FAILED: %s\n  expected: %r\n  actual:   %r"
              % (name, expected, actual))
        failures += 1


def environment(extra):
    home = tempfile.mkdtemp()  # no ~/.editrc of the person running the test
    return dict({"TERM": "xterm", "HOME": home}, **extra)


class Terminal:
    """The tool started in a pseudo-terminal of its own, of size (rows,
    columns) if given."""

    def __init__(self, arguments, extra_environment, stdin=None, size=None):
        env = environment(extra_environment)
        self.pid, self.fd = pty.fork()
        if self.pid == 0:
            if size is not None:
                fcntl.ioctl(1, termios.TIOCSWINSZ,
                            struct.pack("HHHH", size[0], size[1], 0, 0))
            if stdin is not None:  # the terminal on the output alone
                os.dup2(os.open(stdin, os.O_RDONLY), 0)
            os.execve(TOOL, [TOOL] + arguments, env)

    def read(self, until_prompt, prompt=PROMPT):
        """What the tool prints until its next prompt, or until it ends."""
        out = b""
        while not (until_prompt and out.endswith(prompt)):
            ready, _, _ = select.select([self.fd], [], [], 10)
            try:
                data = os.read(self.fd, 4096) if ready else b""
            except OSError:  # the tool has ended and closed the terminal
                data = b""
            if not data:
                break
            out += data
        if until_prompt and EDITING:
            self.await_editing()
        return out.decode()

    def await_editing(self):
        """libedit prints its prompt before it takes the terminal out of line
        mode: keys sent sooner would be echoed twice."""
        deadline = time.monotonic() + 10
        while termios.tcgetattr(self.fd)[3] & termios.ICANON:
            if time.monotonic() > deadline:
                break
            time.sleep(0.01)

    def type(self, keys, until_prompt=True):
        os.write(self.fd, keys)
        return self.read(until_prompt)

    def status(self):
        """The exit status, or "still running" (and ended) after 10 s."""
        deadline = time.monotonic() + 10
        while time.monotonic() < deadline:
            pid, status = os.waitpid(self.pid, os.WNOHANG)
            if pid:
                return os.waitstatus_to_exitcode(status)
            time.sleep(0.01)
        os.kill(self.pid, 9)
        os.waitpid(self.pid, 0)
        return "still running"


def first_reply(output):
    """The first line after the echoed one, if any before the next prompt."""
    if not output.endswith(PROMPT.decode()):
        return "no new prompt after %r" % output
    lines = output.split("\r\n")[1:-1]
    return lines[0] if lines else None


session = Terminal(["--seed", "1"], {})
check("the session opens at a prompt", PROMPT.decode(),
      session.read(until_prompt=True))
for keys, expected in SESSION:
    check("typing %r" % keys, expected, first_reply(session.type(keys)))
check("after exit", "exit\r\n", session.type(b"exit\r", until_prompt=False))
check("exit ends the session with status 0", 0, session.status())

# The prompt says what a request gets; a hint follows a likely slip.
for arguments, prompt in [(["--odds"], b"odds> "),
                          (["--fairness", "100"], b"fairness> ")]:
    asking = Terminal(arguments, {})
    check("%s asks at %r" % (arguments[0], prompt), prompt.decode(),
          asking.read(until_prompt=True, prompt=prompt))
    asking.type(b"exit\r", until_prompt=False)
    asking.status()
hinted = Terminal(["--seed", "1"], {})
hinted.read(until_prompt=True)
check("a slip at the prompt gets a hint", "hint: read as \u00ab1d20\u00bb "
      "with the comment \u00abadv\u00bb: rollwright has no advantage; roll "
      "\u00ab2#d20\u00bb and take the higher",
      hinted.type(b"1d20 adv\r").split("\r\n")[2])
hinted.type(b"exit\r", until_prompt=False)
hinted.status()

for keys, expected in ENDINGS:
    ending = Terminal([], {})
    ending.read(until_prompt=True)
    check("%r ends the session" % keys, expected,
          ending.type(keys, until_prompt=False))
    check("%r ends it with status 0" % keys, 0, ending.status())

for extra, expected in COLOURS:
    run = Terminal(COLOURED, extra)
    check("a terminal with %s" % extra, expected,
          run.read(until_prompt=False))
    run.status()
run = Terminal(COLOURED, {}, stdin=os.devnull)
check("a terminal on the output, not the input", COLOURS[0][1],
      run.read(until_prompt=False))
run.status()
# The line of 2d6's likeliest total, 7, whose bar is the longest, fills the
# terminal's width but its last column.
run = Terminal(["--odds", "2d6"], {}, size=(50, 100))
check("--odds at a terminal of 50 rows and 100 columns", 99,
      max(len(line) for line in run.read(until_prompt=False).split("\r\n")))
run.status()
_, terminal = pty.openpty()
piped = subprocess.run([TOOL] + COLOURED, env=environment({}), stdin=terminal,
                       stdout=subprocess.PIPE, check=False).stdout.decode()
check("a pipe from a terminal", PLAIN.replace("\r\n", "\n"), piped)

print("%d failed" % failures)
sys.exit(1 if failures else 0)
