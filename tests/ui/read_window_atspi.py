#!/usr/bin/python3
"""Reads the Velmoro window through AT-SPI, as a screen reader reads it.

Usage: read_window_atspi.py PID SAMPLE_PAIR_JSON

Finds the program of process id PID on the accessibility bus, types the
sample pair into its two text boxes and presses Compare through their
accessible interfaces, waits until the result and the scores are announced
(their names change), and prints the window's accessible tree: the role,
name and description of each object, and the text of a text box. Checks that
every control has a name and a description, that the text boxes hold the
pair, that the result label's name holds the pair's result and that each
status bar's name holds its label and its two scores. Exits 1 when a check
fails. Needs Debian's python3-pyatspi, hence Debian's own interpreter.
"""

import json
import re
import sys
import time

import pyatspi
from gi.repository import GLib

WAIT_SECONDS = 15
NAME_CHANGE = "object:property-change:accessible-name"
CONTROL_ROLES = {
    pyatspi.ROLE_LABEL,
    pyatspi.ROLE_PUSH_BUTTON,
    pyatspi.ROLE_STATUS_BAR,
    pyatspi.ROLE_TEXT,
}


def fail(message):
    sys.exit(f"read_window_atspi: {message}")


def find_application(pid):
    deadline = time.monotonic() + WAIT_SECONDS
    while time.monotonic() < deadline:
        for application in pyatspi.Registry.getDesktop(0):
            if application is not None and application.get_process_id() == pid:
                return application
        time.sleep(0.1)
    fail(f"no program of process id {pid} on the accessibility bus")


def walk(accessible):
    yield accessible
    for child in accessible:
        yield from walk(child)


def text_of(accessible):
    if "Text" not in pyatspi.listInterfaces(accessible):
        return None
    return accessible.queryText().getText(0, -1)


def top(accessible):
    return accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS).y


def print_tree(accessible, depth=0):
    line = f"{'  ' * depth}{accessible.getRoleName()}: {accessible.name!r}"
    if accessible.description:
        line += f", described {accessible.description!r}"
    text = text_of(accessible)
    if text is not None:
        line += f", text {text!r}"
    print(line)
    for child in accessible:
        print_tree(child, depth + 1)


def press(button):
    action = button.queryAction()
    for index in range(action.nActions):
        if action.getName(index) == "Press":
            action.doAction(index)
            return
    fail(f"{button.name!r} has no Press action")


def compare_and_wait_for_announcements(button, announcers):
    """Presses button and runs the event loop until each of announcers has
    announced a new name; fails after WAIT_SECONDS."""
    waiting = set(announcers)

    def on_name_change(event):
        waiting.discard(event.source)
        if not waiting:
            pyatspi.Registry.stop()

    def on_timeout():
        pyatspi.Registry.stop()
        return False

    def on_idle():
        press(button)
        return False

    pyatspi.Registry.registerEventListener(on_name_change, NAME_CHANGE)
    GLib.idle_add(on_idle)
    GLib.timeout_add_seconds(WAIT_SECONDS, on_timeout)
    pyatspi.Registry.start()
    pyatspi.Registry.deregisterEventListener(on_name_change, NAME_CHANGE)
    if waiting:
        fail(f"no announcement of {sorted(a.name for a in waiting)} after Compare")


def number_pattern(result):
    """The result as a pattern that takes either decimal separator."""
    return re.escape(result).replace(r"\.", "[.,]")


def main():
    if len(sys.argv) != 3:
        sys.exit(f"usage: {sys.argv[0]} PID SAMPLE_PAIR_JSON")
    pid = int(sys.argv[1])
    with open(sys.argv[2], encoding="utf-8") as fixture:
        pair = json.load(fixture)

    window = find_application(pid)[0]
    controls = [a for a in walk(window) if a.getRole() in CONTROL_ROLES]
    by_role = {
        role: sorted((a for a in controls if a.getRole() == role), key=top)
        for role in CONTROL_ROLES
    }
    text1, text2 = by_role[pyatspi.ROLE_TEXT]
    (button,) = by_role[pyatspi.ROLE_PUSH_BUTTON]
    bars = by_role[pyatspi.ROLE_STATUS_BAR]
    # The caption "Result", then the result under it.
    result = [a for a in by_role[pyatspi.ROLE_LABEL] if a.parent == window][1]

    text1.queryEditableText().setTextContents(pair["text1"])
    text2.queryEditableText().setTextContents(pair["text2"])
    compare_and_wait_for_announcements(button, [result, *bars])
    print_tree(window)

    problems = []
    for control in controls:
        if not control.name or not control.description:
            problems.append(
                f"{control.getRoleName()} {control.name!r} lacks a name or a description"
            )
    for box, text in ((text1, pair["text1"]), (text2, pair["text2"])):
        if text_of(box) != text:
            problems.append(f"{box.name!r} holds {text_of(box)!r}, not {text!r}")
    if not re.search(number_pattern(pair["result"]), result.name):
        problems.append(f"the result reads {result.name!r}, without {pair['result']}")
    for bar, panels in zip(bars, (pair["status1"], pair["status2"])):
        label, scores = panels[0], [panel.split(" ")[-1] for panel in panels[1:]]
        if not bar.name.startswith(label) or any(
            not re.search(rf"\b{score}\b", bar.name) for score in scores
        ):
            problems.append(f"the status bar reads {bar.name!r}, not {label} with {scores}")
    if problems:
        fail("; ".join(problems))


if __name__ == "__main__":
    main()
