"""The module against velmoro-cli, its list functions against compare, and
what it does with wrong input, missing texts, threads, Ctrl-C and little
memory."""
import inspect
import json
import math
import os
import pickle
import signal
import subprocess
import sys
import threading

import random
import time

import pytest

try:
    import numpy as np
except ModuleNotFoundError:  # the tests marked numpy skip (conftest.py)
    np = None

import velmoro


def test_compare_and_explain_give_what_velmoro_cli_prints(pairs, cli_records):
    assert len(cli_records) == len(pairs)
    for (text1, text2), record in zip(pairs, cli_records):
        comparison = velmoro.compare(text1, text2)
        assert list(comparison.scores) == record["scores"]
        assert comparison.length_factor == record["length_factor"]
        assert list(comparison.status1) == record["status1"]
        assert list(comparison.status2) == record["status2"]
        assert comparison.result_text == record["result"]
        assert comparison.distance == record["distance"]
        assert comparison.error == record["error"]
        assert comparison.message == record["message"]
        explained = velmoro.explain(text1, text2)
        assert explained == record["explain"]
        # Its dicts hold their keys in the record's order as well.
        assert json.dumps(explained) == json.dumps(record["explain"])


def test_sample_pair_a(sample_pair):
    comparison = velmoro.compare(sample_pair["text1"], sample_pair["text2"])
    assert list(comparison.scores) == sample_pair["scores"]
    assert list(comparison.status1) == sample_pair["status1"]
    assert comparison.result_text == sample_pair["result"]
    assert comparison.error is None and comparison.message is None


@pytest.mark.numpy
def test_cpdist_is_a_loop_of_compare(pairs):
    texts1 = [a for a, _ in pairs]
    texts2 = tuple(b for _, b in pairs)
    distances, scores, errors = velmoro.cpdist(texts1, texts2, workers=-1, return_scores=True)
    assert distances.dtype == np.float64 and scores.shape == (len(pairs), 4)
    assert scores.dtype == np.int16 and errors.dtype == np.int8
    for i, (text1, text2) in enumerate(pairs):
        comparison = velmoro.compare(text1, text2)
        if comparison.distance is None:
            assert math.isnan(distances[i])
        else:
            assert distances[i] == comparison.distance
        assert list(scores[i]) == [-1 if s is None else s for s in comparison.scores]
        kind = velmoro.ERROR_KINDS[errors[i] - 1] if errors[i] else None
        assert kind == comparison.error
    assert np.array_equal(velmoro.cpdist(texts1, texts2), distances, equal_nan=True)


@pytest.mark.numpy
def test_cdist_and_extract_take_the_query_as_text1(pairs):
    queries = [a for a, _ in pairs[:20]]
    choices = [b for _, b in pairs[:30]]
    table = velmoro.cdist(queries, choices, workers=2)
    assert table.shape == (20, 30)
    for i, query in enumerate(queries):
        for j, choice in enumerate(choices):
            distance = velmoro.compare(query, choice).distance
            assert (math.isnan(table[i, j]) if distance is None else table[i, j] == distance)
    closest = velmoro.extract(queries[3], choices, limit=len(choices))
    found = [d for _, d, _ in closest if d is not None]
    assert found == sorted(found)
    assert all(d is None for _, d, _ in closest[len(found):])
    assert [choices[i] for _, _, i in closest] == [c for c, _, _ in closest]
    assert len(velmoro.extract(queries[3], choices)) == 5


@pytest.mark.numpy
def test_takes_any_sequence_of_str():
    pandas = pytest.importorskip("pandas")
    series = pandas.Series(["the red bag", "a b"])
    assert np.array_equal(velmoro.cpdist(series, ("a red bag", "a b")),
                          velmoro.cpdist(["the red bag", "a b"], ["a red bag", "a b"]))


@pytest.mark.parametrize("call, error", [
    (lambda: velmoro.compare("a", 1), TypeError),
    (lambda: velmoro.compare("a", None), TypeError),
    (lambda: velmoro.cpdist("abc", "abd"), TypeError),
    (lambda: velmoro.cpdist(["a", 1], ["a", "b"]), TypeError),
    (lambda: velmoro.cdist(["a"], "abc"), TypeError),
    (lambda: velmoro.extract("a", "abc"), TypeError),
    (lambda: velmoro.extract(None, ["a"]), TypeError),
    (lambda: velmoro.compare("a\ud800", "a"), ValueError),
    (lambda: velmoro.cpdist(["a"], ["b\udfff"]), ValueError),
    (lambda: velmoro.cpdist(["a"], ["a", "b"]), ValueError),
    (lambda: velmoro.cpdist(["a"], ["b"], workers=0), ValueError),
    (lambda: velmoro.extract("a", ["b"], limit=-1), ValueError),
    # No places to pair texts by.
    (lambda: velmoro.cpdist({"a", "b"}, ["a", "b"]), TypeError),
    (lambda: velmoro.cpdist(["a"], frozenset(["b"])), TypeError),
    (lambda: velmoro.cdist({"a": "b"}, ["a"]), TypeError),
    (lambda: velmoro.cdist(["a"], {"a": "b"}.keys()), TypeError),
    (lambda: velmoro.extract("a", {"b", "c"}), TypeError),
    # A NaN cutoff keeps nothing and nothing beyond it alike.
    (lambda: velmoro.cdist(["a"], ["b"], score_cutoff=float("nan")), ValueError),
    (lambda: velmoro.extract("a", ["b"], score_cutoff=float("nan")), ValueError),
])
@pytest.mark.numpy
def test_refuses_what_is_not_a_text(call, error):
    with pytest.raises(error):
        call()


def missing_values():
    pandas = pytest.importorskip("pandas")
    return [None, float("nan"), np.float64("nan"), pandas.NA]


@pytest.mark.parametrize("slot", [0, 1])
@pytest.mark.numpy
def test_a_missing_text_gives_its_pair_no_distance(slot):
    pairs = [["the red bag", "a red bag"] for _ in missing_values()]
    for pair, missing in zip(pairs, missing_values()):
        pair[slot] = missing
    pairs.append(["the red bag", "a red bag"])
    texts1, texts2 = zip(*pairs)
    distances, scores, errors = velmoro.cpdist(texts1, texts2, return_scores=True)
    expected = velmoro.compare("the red bag", "a red bag")
    assert np.isnan(distances[:-1]).all() and distances[-1] == expected.distance
    assert (scores[:-1] == -1).all() and list(scores[-1]) == list(expected.scores)
    assert list(errors) == [velmoro.MISSING_TEXT] * (len(pairs) - 1) + [0]
    with_missing, whole = (texts1, texts2) if slot == 0 else (texts2, texts1)
    table = velmoro.cdist(with_missing, whole)
    assert np.isnan(table[:-1]).all() and not np.isnan(table[-1]).any()


def test_extract_of_a_mapping_gives_each_choice_with_its_key(pairs):
    query = pairs[5][0]
    values = [b for _, b in pairs[:40]] + [None]
    mapping = {f"key{i}": value for i, value in enumerate(values)}
    by_key = velmoro.extract(query, mapping, limit=None)
    by_index = velmoro.extract(query, values, limit=None)
    assert by_key == [(choice, distance, f"key{i}") for choice, distance, i in by_index]
    assert by_key[-1] == (None, None, f"key{len(values) - 1}")


@pytest.mark.numpy
def test_extract_limit_and_score_cutoff(pairs):
    query = pairs[5][0]
    choices = [b for _, b in pairs[:40]]
    everything = velmoro.extract(query, choices, limit=None)
    assert len(everything) == len(choices)
    cutoff = sorted(d for _, d, _ in everything if d is not None)[10]
    near = [found for found in everything if found[1] is not None and found[1] <= cutoff]
    assert velmoro.extract(query, choices, limit=None, score_cutoff=cutoff) == near
    assert velmoro.extract(query, choices, limit=3, score_cutoff=cutoff) == near[:3]
    table = velmoro.cdist([query], choices)
    beyond = np.where(table > cutoff, np.inf, table)
    assert np.array_equal(velmoro.cdist([query], choices, score_cutoff=cutoff), beyond,
                          equal_nan=True)


def test_comparisons_pickle_and_compare_by_value(pairs):
    comparisons = [velmoro.compare(a, b) for a, b in pairs[:60]]
    assert any(c.error for c in comparisons) and any(c.distance for c in comparisons)
    for comparison in comparisons:
        copy = pickle.loads(pickle.dumps(comparison))
        assert copy == comparison and hash(copy) == hash(comparison)
        assert repr(comparison.distance) in repr(comparison)
        assert comparison.message is None if comparison.error is None else comparison.message
    assert comparisons[0] != velmoro.compare(pairs[0][0], pairs[0][1] + " extra")


def test_compare_and_extract_need_no_numpy_and_the_others_say_they_do():
    script = """if True:
        import sys
        sys.modules["numpy"] = None
        import velmoro
        assert velmoro.compare("the red bag", "a red bag").distance > 0
        assert velmoro.extract("the red bag", ["a red bag", "x"])[0][0] == "a red bag"
        assert velmoro.explain("a", "a")[0]["score"] == 1
        for call in (lambda: velmoro.cpdist(["a"], ["b"]), lambda: velmoro.cdist(["a"], ["b"])):
            try:
                call()
            except ImportError as error:
                print(error)
            else:
                raise AssertionError("no ImportError without numpy")
    """
    run = subprocess.run([sys.executable, "-c", script], check=True, capture_output=True,
                         text=True)
    messages = run.stdout.splitlines()
    assert len(messages) == 2
    for function, message in zip(["cpdist", "cdist"], messages):
        assert function in message and "needs numpy" in message
        assert "compare, explain and extract work without numpy" in message


@pytest.mark.parametrize("name", velmoro.__all__)
def test_signatures_name_their_types(name):
    function = getattr(velmoro, name)
    if not inspect.isfunction(function):
        return
    signature = inspect.signature(function)
    assert signature.return_annotation is not inspect.Signature.empty
    for parameter in signature.parameters.values():
        assert parameter.annotation is not inspect.Parameter.empty, parameter


@pytest.mark.numpy
def test_threads_comparing_at_once_get_their_own_results(pairs):
    texts1 = [a for a, _ in pairs]
    texts2 = [b for _, b in pairs]
    expected = [velmoro.cpdist(texts1, texts2), velmoro.cpdist(texts2, texts1)]
    results = [None, None]

    def run(slot, first, second):
        results[slot] = velmoro.cpdist(first * 50, second * 50, workers=2)

    threads = [threading.Thread(target=run, args=(0, texts1, texts2)),
               threading.Thread(target=run, args=(1, texts2, texts1))]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    for slot in (0, 1):
        assert np.array_equal(results[slot], np.tile(expected[slot], 50), equal_nan=True)


@pytest.mark.numpy
def test_texts_stay_alive_when_another_thread_empties_their_list():
    rng = random.Random(3)
    letters = "äöüßéèçñøåæœ " * 3

    def texts():
        return ["".join(rng.choice(letters) for _ in range(300)) for _ in range(1500)]

    texts1, texts2 = texts(), texts()
    started = time.perf_counter()
    expected = velmoro.cpdist(list(texts1), list(texts2))
    # Enough pairs that the call still runs when the lists are emptied.
    repeat = max(1, math.ceil(1.0 / max(time.perf_counter() - started, 1e-3)))
    texts1, texts2 = texts1 * repeat, texts2 * repeat
    expected = np.tile(expected, repeat)
    result = []
    worker = threading.Thread(target=lambda: result.append(velmoro.cpdist(texts1, texts2)))
    worker.start()
    time.sleep(0.1)
    assert worker.is_alive()  # still comparing when the lists are emptied
    texts1.clear()
    texts2.clear()
    overwrite = texts()
    worker.join()
    assert overwrite and np.array_equal(result[0], expected, equal_nan=True)


@pytest.mark.numpy
def test_releases_the_gil_while_comparing():
    texts = ["the red bag and the old mill by the river"] * 100_000
    done = threading.Event()
    steps = 0

    def count_while_comparing():
        nonlocal steps
        while not done.is_set():
            steps += 1

    counter = threading.Thread(target=count_while_comparing)
    counter.start()
    try:
        before = steps
        velmoro.cpdist(texts, texts, workers=1)
        during = steps - before
    finally:
        done.set()
        counter.join()
    # Holding the GIL, the call would have let the other thread run for a few
    # switch intervals at most.
    assert during > 100_000


@pytest.mark.numpy
def test_ctrl_c_interrupts_a_long_call():
    texts = ["the red bag and the old mill by the river"] * 5_000_000
    timer = threading.Timer(0.3, os.kill, (os.getpid(), signal.SIGINT))
    timer.start()
    try:
        with pytest.raises(KeyboardInterrupt):
            velmoro.cpdist(texts, texts, workers=1)
    finally:
        timer.cancel()


@pytest.mark.parametrize("workers", [1, -1])
@pytest.mark.numpy
def test_ctrl_c_interrupts_soon_when_pairs_turn_slow(workers):
    script = """if True:
        import os, signal, sys, threading, time
        import velmoro

        def distinct_words(characters, letter):
            words, size = [], 0
            while size < characters:
                words.append(letter + format(len(words), "x"))
                size += len(words[-1]) + 1
            return words

        workers = int(sys.argv[1])
        # Every word found, never beside its neighbours, a long tail behind
        # them: tens of milliseconds a pair, where the quick pair takes microseconds.
        words = distinct_words(32_000, "q")
        slow1 = " ".join(words[::-1] + distinct_words(200_000, "k"))
        slow2 = " ".join(words + distinct_words(200_000, "m"))
        quick = ["the red bag and the old mill by the river"] * 100_000
        started = time.perf_counter()
        velmoro.cpdist(quick, quick, workers=workers)
        quick_seconds = time.perf_counter() - started
        sent = []

        def interrupt():
            sent.append(time.perf_counter())
            os.kill(os.getpid(), signal.SIGINT)

        threading.Timer(2 * quick_seconds + 0.5, interrupt).start()
        try:
            velmoro.cpdist(quick + [slow1] * 300, quick + [slow2] * 300, workers=workers)
        except KeyboardInterrupt:
            print(time.perf_counter() - sent[0])
    """
    run = subprocess.run([sys.executable, "-c", script, str(workers)], capture_output=True,
                         text=True, check=True, timeout=600)
    # Within a few pairs' time; a check after a number of pairs learnt
    # from the quick ones took until the end of the slow ones.
    assert float(run.stdout) < 5.0


@pytest.mark.skipif("asan" in os.environ.get("LD_PRELOAD", ""),
                    reason="the sanitizer reserves more address space than any limit")
@pytest.mark.numpy
def test_little_address_space_raises_or_computes():
    script = """if True:
        import resource
        import numpy, velmoro
        texts = [f"the red bag {i} and the mill" for i in range(200)]
        expected = velmoro.cpdist(texts, texts[::-1])
        # Room for a thread's stack but little more is where starting threads aborted.
        for margin in range(0, 16 << 20, 64 << 10):
            status = open("/proc/self/status").read().split("VmSize:")[1]
            used = int(status.split()[0]) << 10
            resource.setrlimit(resource.RLIMIT_AS, (used + margin, resource.RLIM_INFINITY))
            try:
                got = velmoro.cpdist(texts, texts[::-1], workers=2)
                assert numpy.array_equal(got, expected)
            except MemoryError:
                pass
            finally:
                resource.setrlimit(resource.RLIMIT_AS, (resource.RLIM_INFINITY,) * 2)
        resource.setrlimit(resource.RLIMIT_AS, (1 << 30, resource.RLIM_INFINITY))
        try:
            velmoro.cdist(texts * 100, texts * 100)
        except MemoryError:
            pass
        else:
            raise AssertionError("a table larger than the limit was made")
    """
    subprocess.run([sys.executable, "-c", script], check=True, timeout=120)
