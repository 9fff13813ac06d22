"""What the module's tests share: generated pairs of texts and velmoro-cli."""
import importlib.util
import json
import os
import random
import subprocess

import pytest

WORDS = ["car", "scar", "cars", "the", "The", "red", "bag", "a", "anna", "Ärger", "über",
         "\U00010400", "\U00010428", "\U0001F600"]
MARKS = [",", ".", ";", ":", "?", "!", "-", "*"]
BREAKS = [" ", " ", " ", "  ", "\n", "\r\n", "\r", "\t"]


def make_text(rng):
    text = ""
    for _ in range(rng.randint(0, 12)):
        text += rng.choice(WORDS)
        if rng.random() < 0.2:
            text += rng.choice(MARKS)
        text += rng.choice(BREAKS)
    return text.strip(" ") if rng.random() < 0.5 else text


def pytest_configure(config):
    config.addinivalue_line("markers", "numpy: calls the functions that return numpy arrays; "
                            "skipped where numpy is missing")


def pytest_collection_modifyitems(items):
    if importlib.util.find_spec("numpy") is None:
        for item in items:
            if item.get_closest_marker("numpy"):
                item.add_marker(pytest.mark.skip(reason="numpy is missing"))


@pytest.fixture(scope="session")
def sample_pair():
    """The sample pair whose numbers are worked out by hand, as the C++ tests
    read it too."""
    path = os.path.join(os.path.dirname(__file__), "..", "..", "tests", "fixtures",
                        "sample_pair.json")
    with open(path, encoding="utf-8") as fixture:
        return json.load(fixture)


@pytest.fixture(scope="session")
def pairs():
    """Seeded small pairs: words inside words, marks, every kind of line break,
    letters outside the basic plane; the second text often made from the first."""
    rng = random.Random(7)
    made = []
    for _ in range(400):
        text1 = make_text(rng)
        text2 = text1 if rng.random() < 0.3 else make_text(rng)
        made.append((text1, text2))
    return made


@pytest.fixture(scope="session")
def cli_records(pairs, tmp_path_factory):
    """What velmoro-cli --batch --explain prints for the pairs: the --json
    object of each pair."""
    path = tmp_path_factory.mktemp("batch") / "pairs.jsonl"
    path.write_text("".join(json.dumps({"text1": a, "text2": b}) + "\n" for a, b in pairs),
                    encoding="utf-8")
    # velmoro-cli carries its own sanitizer run-time where it has one: the
    # one preloaded into Python for the module would clash with it.
    environment = {name: value for name, value in os.environ.items() if name != "LD_PRELOAD"}
    run = subprocess.run([os.environ["VELMORO_CLI"], "--batch", str(path), "--explain"],
                         capture_output=True, check=False, env=environment)
    return [json.loads(line) for line in run.stdout.decode("utf-8").splitlines()]
