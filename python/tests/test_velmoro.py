"""The module against velmoro-cli, its list functions against compare, and
what it does with wrong input, threads and Ctrl-C."""
import math
import os
import signal
import threading

import numpy as np
import pytest

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
        assert (comparison.message or None) == record["message"]
        assert velmoro.explain(text1, text2) == record["explain"]


def test_sample_pair_a():
    comparison = velmoro.compare("Anna packs the red bag. She walks to the old mill by the river",
                                 "Anna packs the blue bag, then she runs to the mill by the lake.")
    assert comparison.scores == (15, 24, 150, 149)
    assert comparison.result_text == "6.6973953762657"
    assert comparison.error is None and comparison.message == ""


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


def test_takes_any_sequence_of_str():
    pandas = pytest.importorskip("pandas")
    series = pandas.Series(["the red bag", "a b"])
    assert np.array_equal(velmoro.cpdist(series, ("a red bag", "a b")),
                          velmoro.cpdist(["the red bag", "a b"], ["a red bag", "a b"]))


def test_refuses_what_is_not_a_text():
    with pytest.raises(TypeError):
        velmoro.compare("a", 1)
    with pytest.raises(TypeError):
        velmoro.cpdist(["a", None], ["a", "b"])
    with pytest.raises(ValueError):
        velmoro.compare("a\ud800", "a")
    with pytest.raises(ValueError):
        velmoro.cpdist(["a"], ["b\udfff"])
    with pytest.raises(ValueError):
        velmoro.cpdist(["a"], ["a", "b"])
    with pytest.raises(ValueError):
        velmoro.cpdist(["a"], ["b"], workers=0)


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


def test_ctrl_c_interrupts_a_long_call():
    texts = ["the red bag and the old mill by the river"] * 5_000_000
    timer = threading.Timer(0.3, os.kill, (os.getpid(), signal.SIGINT))
    timer.start()
    try:
        with pytest.raises(KeyboardInterrupt):
            velmoro.cpdist(texts, texts, workers=1)
    finally:
        timer.cancel()
