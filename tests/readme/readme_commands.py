#!/usr/bin/env python3
"""Runs the commands of the README's shell, Python and JavaScript blocks as a
user runs them, and fails on a crash, a traceback, an unexpected exit status
or output other than what the README shows under a command.

Every command of the README must match one of the rules below: either how to
run it here, or why it cannot run in the tests. A new command that matches no
rule fails the run, so the README cannot grow an untested example. The native
run fails too when the README's velmoro-cli example is not the sample pair of
tests/fixtures/sample_pair.json shown with that pair's rows and result.

Usage:
    readme_commands.py native VELMORO_CLI PYTHONPATH   the commands of the
        native build: velmoro-cli, the Python module, the Dask example
    readme_commands.py web SITE                        the browser front's:
        scripts/web.sh build and serve, and the JavaScript block under node

Each command runs through bash (Python and JavaScript blocks as scripts), the
commands of a block in order in a folder of their own that holds the input
files the README's commands name; the repository's scripts/, examples/ and
python/ are reached through links from there, except scripts/web.sh, which a
user runs from the checkout.
"""

import json
import os
import re
import shutil
import socket
import subprocess
import sys
import tempfile
import time
from dataclasses import dataclass, field
from pathlib import Path

REPOSITORY = Path(__file__).resolve().parents[2]
README = REPOSITORY / "README.md"
SAMPLE = json.loads((REPOSITORY / "tests/fixtures/sample_pair.json").read_text())

# What a crash or an uncaught error leaves on standard error.
CRASH_SIGNS = ("Traceback (most recent call last)", "terminate called", "Segmentation fault",
               "AddressSanitizer", "runtime error:", "Aborted")
COMMAND_SECONDS = 600
# The interpreter the module is built for, which the README's Python uses.
DEBIAN_PYTHON = "/usr/bin/python3"


@dataclass
class Command:
    text: str                      # as the README writes it, continuation lines joined
    language: str                  # sh, python or js
    expected: list = field(default_factory=list)  # the output lines the README shows under it


def readme_blocks():
    """The README's fenced blocks, each a list of its commands. In a shell
    block, comment lines right under a command are the output it prints, and
    indented ones go on the comment of the line above; a Python or JavaScript
    block is one command, a script."""
    blocks = []
    for language, body in re.findall(r"^```(\w*)\n(.*?)^```", README.read_text(), re.M | re.S):
        if language in ("python", "js"):
            blocks.append([Command(body, language)])
        elif language == "sh":
            blocks.append(shell_commands(body))
    return blocks


def shell_commands(body):
    commands = []
    previous = None
    for line in body.replace("\\\n", "").splitlines():
        if line.startswith("#") and previous is not None:
            previous.expected.append(spaced(line[1:]))
        elif line.strip() and not line.lstrip().startswith("#"):
            previous = Command(spaced(line), "sh")
            commands.append(previous)
        elif not line.strip():
            previous = None
    return commands


def spaced(line):
    """line with its runs of spaces as one, as the README aligns columns."""
    return re.sub(r" {2,}", " ", line.strip())


def input_files(folder):
    """The files the README's commands read, made up from the sample pair."""
    text1, text2 = SAMPLE["text1"], SAMPLE["text2"]
    pairs = "".join(json.dumps({"text1": a, "text2": b, "id": i}) + "\n"
                    for i, (a, b) in enumerate([(text1, text2), (text2, text1), (text1, "")]))
    files = {"first.txt": text1 + "\n", "second.txt": text2 + "\n", "pairs.jsonl": pairs,
             "pairs/part1.jsonl": pairs, "pairs/part2.jsonl": pairs}
    for name in ("hypotheses.txt", "hyp.txt"):
        files[name] = f"{text1}\n{text2}\n\n"
    for name in ("references.txt", "ref.txt"):
        files[name] = f"{text2}\n{text2}\nthe red bag\n"
    for name, content in files.items():
        (folder / name).parent.mkdir(parents=True, exist_ok=True)
        (folder / name).write_text(content)
    for linked in ("scripts", "examples", "python"):
        (folder / linked).symlink_to(REPOSITORY / linked)


def run(argv, cwd, env, expect_status=0):
    """Runs argv and returns (stdout, problem), problem None when it went
    as the README says."""
    try:
        done = subprocess.run(argv, cwd=cwd, env=env, capture_output=True, text=True,
                              stdin=subprocess.DEVNULL, timeout=COMMAND_SECONDS, check=False)
    except subprocess.TimeoutExpired:
        return "", f"still running after {COMMAND_SECONDS} s"
    crash = next((sign for sign in CRASH_SIGNS if sign in done.stderr), None)
    if done.returncode != expect_status or crash:
        return done.stdout, (f"exit status {done.returncode}"
                             f"{', ' + repr(crash) + ' on standard error' if crash else ''}\n"
                             f"standard output:\n{done.stdout[-2000:]}\n"
                             f"standard error:\n{done.stderr[-2000:]}")
    return done.stdout, None


class NativeRunner:
    """The commands of the native build, on the built velmoro-cli and module."""

    def __init__(self, cli, python_path):
        self.environment = dict(os.environ, PATH=f"{Path(cli).parent}:{os.environ['PATH']}",
                                PYTHONPATH=python_path)
        # pip builds the module as the project's builds do, with warnings as
        # errors, from the compiler cache that they fill, whatever HOME is.
        self.environment["PIP_CONFIG_SETTINGS"] = "cmake.define.VELMORO_WARNINGS_AS_ERRORS=ON"
        if shutil.which("ccache"):
            self.environment["CCACHE_DIR"] = subprocess.run(
                ["ccache", "-k", "cache_dir"], capture_output=True, text=True,
                check=True).stdout.strip()

    def shell(self, command, folder, environment=None):
        # A user's home, for the virtual environment the README makes in it.
        env = dict(environment or self.environment, HOME=str(folder))
        return run(["bash", "-c", command.text], folder, env)

    def pip_environment_shell(self, command, folder):
        """A command of the environment that pip installs the module into,
        which must find it there and not in the build."""
        return self.shell(command, folder, {name: value for name, value in self.environment.items()
                                            if name != "PYTHONPATH"})

    def python(self, command, folder):
        prelude = (f"text1, text2 = {SAMPLE['text1']!r}, {SAMPLE['text2']!r}\n"
                   "texts1 = queries = [text1, text2]\n"
                   "texts2 = choices = [text2, text1]\n"
                   "query = text1\n")
        script = folder / "readme_example.py"
        script.write_text(prelude + command.text)
        return run([DEBIAN_PYTHON, str(script)], folder, self.environment)

    def dpkg_installed(self, command, _folder):
        """A root-only install: the set-up script must have installed what it names."""
        packages = command.text.split("install", 1)[1].split()
        return run(["dpkg-query", "-W", *packages], REPOSITORY, self.environment)


class WebRunner:
    """The browser front's commands, from the checkout, and its JavaScript
    block on a copy of the built site."""

    def __init__(self, site):
        self.site = Path(site)

    def build_site(self, command, folder):
        out = command.text.split()[-1]
        existed = (REPOSITORY / out).exists()
        try:
            output, problem = run(["bash", "-c", command.text], REPOSITORY, dict(os.environ))
            if not problem and not (REPOSITORY / out / "velmoro.js").is_file():
                problem = f"no velmoro.js in {out}"
            return output, problem
        finally:
            if not existed:
                shutil.rmtree(REPOSITORY / out, ignore_errors=True)

    def serve(self, command, _folder):
        """Starts the server as written and reads the page from it."""
        with socket.socket() as probe:
            if probe.connect_ex(("127.0.0.1", 8000)) == 0:
                return "", "port 8000 is taken: cannot try scripts/web.sh serve"
        server = subprocess.Popen(["bash", "-c", command.text], cwd=REPOSITORY,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                                  stdin=subprocess.DEVNULL, start_new_session=True)
        try:
            return "", self.fetch_page(server)
        finally:
            os.killpg(server.pid, 15)
            server.wait()

    @staticmethod
    def fetch_page(server):
        deadline = time.monotonic() + COMMAND_SECONDS
        while time.monotonic() < deadline:
            if server.poll() is not None:
                return f"the server stopped: {server.stderr.read()[-2000:]}"
            page = subprocess.run(["node", "-e", "fetch('http://127.0.0.1:8000/').then(r => "
                                   "r.text()).then(t => console.log(t))"],
                                  capture_output=True, text=True, check=False)
            if page.returncode == 0 and "Compare" in page.stdout:
                return None
            time.sleep(1)
        return "no page served on 127.0.0.1:8000"

    def javascript(self, command, folder):
        shutil.copytree(self.site, folder / "site")
        prelude = (f"const text1 = {json.dumps(SAMPLE['text1'])};\n"
                   f"const text2 = {json.dumps(SAMPLE['text2'])};\n")
        script = folder / "site" / "readme_example.mjs"
        script.write_text(prelude + command.text)
        return run(["node", str(script)], folder / "site", dict(os.environ))


def skip(reason):
    return ("skip", reason)


# How each README command runs here, or why it cannot, by the first rule
# whose pattern matches it.
NATIVE_RULES = [
    (r"^scripts/run\.sh", skip("builds a Release tree of its own; the window tests and the "
                               "sample-pair velmoro-cli line below run the same programs")),
    (r"^scripts/test\.sh", skip("it is the test run that this test is part of")),
    (r"^scripts/web\.sh", skip("run by the browser front's stage (readme_commands.py web)")),
    (r"^scripts/package\.sh", skip("a Release build of its own; the ci build makes the same "
                                   "package, which the package tests and lintian check")),
    (r"^scripts/run_fuzzer\.sh", skip("scripts/test.sh runs the fuzzer after the sanitize build")),
    (r"^sudo apt-get install ", ("dpkg_installed", None)),
    (r"^sudo ", skip("needs root and changes the system; the package tests install into "
                     "folders of their own")),
    (r"^cmake |^ctest ", skip("the builds and test runs that scripts/test.sh itself makes")),
    (r"--scheduler tcp://host", skip("needs a Dask scheduler at an address of the user's")),
    (r"^~/\.venvs/velmoro/", ("pip_environment_shell", None)),
    (r"^(velmoro-cli|python3|/usr/bin/python3|~/\.venvs/)", ("shell", None)),
    (r"^python$", ("python", None)),
    (r"^js$", skip("run by the browser front's stage (readme_commands.py web)")),
]

WEB_RULES = [
    (r"^scripts/web\.sh build ", ("build_site", None)),
    (r"^scripts/web\.sh serve", ("serve", None)),
    (r"^scripts/web\.sh test", skip("it is the test run that this test is part of")),
    (r"^js$", ("javascript", None)),
    (r".", skip("run by the native build's test (readme_commands.py native)")),
]


def sample_example_problem(blocks):
    """None when the README shows velmoro-cli on the sample pair of the
    fixture with the fixture's rows and result under it, which the run then
    checks against the program; else what is wrong."""
    command = f'velmoro-cli "{SAMPLE["text1"]}" "{SAMPLE["text2"]}"'
    rows = [" ".join(SAMPLE["status1"]), " ".join(SAMPLE["status2"]),
            f"Result: {SAMPLE['result']}"]
    shown = [c for block in blocks for c in block if c.text == spaced(command)]
    if any(c.expected == rows for c in shown):
        return None
    return (f"the README shows no {command} with {rows} under it: its example must be the "
            "sample pair of tests/fixtures/sample_pair.json")


def rule_for(command, rules):
    key = command.language if command.language != "sh" else command.text
    for pattern, rule in rules:
        if re.search(pattern, key):
            return rule
    return None


def check(command, runner, rules, folder):
    """"ok", "skipped" or what went wrong, command run in folder."""
    rule = rule_for(command, rules)
    if rule is None:
        return "no rule says how to run this command or why it cannot run here"
    how, reason = rule
    if how == "skip":
        print(f"  ({reason})")
        return "skipped"
    output, problem = getattr(runner, how)(command, folder)
    if problem is None and command.expected:
        printed = [spaced(line) for line in output.strip().splitlines()]
        if printed != command.expected:
            problem = f"printed {printed!r}, the README shows {command.expected!r}"
    return problem or "ok"


def main(argv):
    if len(argv) == 4 and argv[1] == "native":
        runner, rules = NativeRunner(argv[2], argv[3]), NATIVE_RULES
    elif len(argv) == 3 and argv[1] == "web":
        runner, rules = WebRunner(argv[2]), WEB_RULES
    else:
        print(__doc__, file=sys.stderr)
        return 2
    counts = {"ok": 0, "skipped": 0, "failed": 0}
    blocks = readme_blocks()
    problem = sample_example_problem(blocks) if argv[1] == "native" else None
    if problem:
        counts["failed"] += 1
        print(f"FAILED: {problem}\n")
    for block in blocks:
        # A block's commands run in order in one folder, as they build on
        # one another (a virtual environment, then its Python).
        with tempfile.TemporaryDirectory(prefix="velmoro-readme-") as folder:
            input_files(Path(folder))
            for command in block:
                label = command.text if command.language == "sh" else f"the {command.language} block"
                print(f"$ {label}", flush=True)
                outcome = check(command, runner, rules, Path(folder))
                if outcome in counts:
                    counts[outcome] += 1
                    print(f"  {outcome}")
                else:
                    counts["failed"] += 1
                    print(f"  FAILED: {outcome}\n")
    print(f"{counts['ok']} passed, {counts['failed']} failed, {counts['skipped']} skipped")
    return 1 if counts["failed"] else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
