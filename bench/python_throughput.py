#!/usr/bin/env python3
"""Pairs per second of the Python module velmoro beside its peers, in one run
on the same realistic sentence pairs (make_sentence_pairs.py --licences:
licence sentences of 10 to 40 words against copies with a few word edits):
a loop of compare, cpdist with one worker and with every core, cdist of
N x N, and list comprehensions of difflib's SequenceMatcher ratio over the
words, Levenshtein.ratio (python3-levenshtein) and jellyfish's Jaro-Winkler
similarity (python3-jellyfish); with --dask, the Dask example on a local
cluster of one and of two worker processes with the cost of a task beside the
cost of its pairs. Each row gives pairs per wall second and per CPU second of
this process (time.process_time), best of the rounds; the machine's other
work stretches the first, not the second, but cpdist with more than one worker
spends CPU seconds on several cores at once.

With --twelve the pairs are make_sentence_pairs.py's twelve-word English-like
sentences instead.

Usage: PYTHONPATH=BUILD_DIR/python python3 bench/python_throughput.py
           [PAIRS] [--twelve] [--dask DASK_PAIRS]
"""
import difflib
import json
import os
import subprocess
import sys
import tempfile
import time
import warnings

import jellyfish
import Levenshtein
import velmoro

HERE = os.path.dirname(os.path.abspath(__file__))


def sentence_pairs(count, seed=1, licences=True):
    made = subprocess.run([sys.executable, os.path.join(HERE, "make_sentence_pairs.py"),
                           str(count), str(seed)] + (["--licences"] if licences else []),
                          capture_output=True, text=True, check=True)
    pairs = [json.loads(line) for line in made.stdout.splitlines()]
    return [p["text1"] for p in pairs], [p["text2"] for p in pairs]


def best_seconds(run, repeats=3):
    """The best wall and the best CPU seconds of repeats runs."""
    wall = cpu = float("inf")
    for _ in range(repeats):
        start, start_cpu = time.perf_counter(), time.process_time()
        run()
        wall = min(wall, time.perf_counter() - start)
        cpu = min(cpu, time.process_time() - start_cpu)
    return wall, cpu


def row(name, pairs, seconds):
    wall, cpu = seconds
    print(f"{name:40} {pairs:10d} {wall:9.3f} {pairs / wall:12.0f} {cpu:9.3f} {pairs / cpu:12.0f}",
          flush=True)


def dask_rows(count):
    sys.path.insert(0, os.path.join(HERE, "..", "examples"))
    import dask_score
    from dask.distributed import Client, LocalCluster

    texts1, texts2 = sentence_pairs(count, seed=3)
    with tempfile.TemporaryDirectory() as folder:
        pairs_folder = os.path.join(folder, "pairs")
        os.mkdir(pairs_folder)
        files = 8
        for part in range(files):
            with open(os.path.join(pairs_folder, f"part{part}.jsonl"), "w") as out:
                for i in range(part, count, files):
                    out.write(json.dumps({"text1": texts1[i], "text2": texts2[i], "id": i}) + "\n")
        one_core, _ = best_seconds(lambda: velmoro.cpdist(texts1, texts2, workers=1), repeats=1)
        for workers in (1, 2):
            with LocalCluster(n_workers=workers, threads_per_worker=1, processes=True,
                              host="127.0.0.1", dashboard_address=None) as cluster, \
                    Client(cluster):
                out = os.path.join(folder, f"out{workers}")
                seconds = best_seconds(lambda: dask_score.score_folder(pairs_folder, out),
                                       repeats=1)
                tasks = len(os.listdir(out))
            row(f"Dask, {workers} worker process(es)", count, seconds)
            if workers == 1:
                overhead = (seconds[0] - one_core) / tasks
                print(f"  {tasks} tasks; beyond cpdist in one process: {overhead * 1e3:.1f} ms a task")


def main():
    # jellyfish's C extension warns of its own argument parsing at every call.
    warnings.simplefilter("ignore", DeprecationWarning)
    count = int(sys.argv[1]) if len(sys.argv) > 1 and sys.argv[1].isdigit() else 100_000
    texts1, texts2 = sentence_pairs(count, licences="--twelve" not in sys.argv)
    words = sum(len(a.split()) + len(b.split()) for a, b in zip(texts1, texts2)) / (2 * count)
    print(f"{count} pairs, {words:.1f} words a text on average")
    print(f"{'case':40} {'pairs':>10} {'wall_s':>9} {'pairs_per_s':>12} {'cpu_s':>9} "
          f"{'per_cpu_s':>12}")
    loop = min(count, 20_000)
    row("compare, a Python loop", loop,
        best_seconds(lambda: [velmoro.compare(a, b) for a, b in zip(texts1[:loop], texts2[:loop])]))
    row("cpdist, workers=1", count, best_seconds(lambda: velmoro.cpdist(texts1, texts2, workers=1)))
    row("cpdist, workers=-1", count,
        best_seconds(lambda: velmoro.cpdist(texts1, texts2, workers=-1)))
    side = 1000
    row(f"cdist {side} x {side}, workers=-1", side * side,
        best_seconds(lambda: velmoro.cdist(texts1[:side], texts2[:side], workers=-1), repeats=1))
    many1 = (texts1 * (side * side // count + 1))[:side * side]
    many2 = (texts2 * (side * side // count + 1))[:side * side]
    row(f"cpdist {side * side} pairs, workers=-1", side * side,
        best_seconds(lambda: velmoro.cpdist(many1, many2, workers=-1), repeats=1))
    row("difflib ratio, a list comprehension", count, best_seconds(
        lambda: [difflib.SequenceMatcher(None, a.split(), b.split()).ratio()
                 for a, b in zip(texts1, texts2)]))
    row("Levenshtein.ratio, a list comprehension", count, best_seconds(
        lambda: [Levenshtein.ratio(a, b) for a, b in zip(texts1, texts2)]))
    row("jellyfish Jaro-Winkler, a list comprehension", count, best_seconds(
        lambda: [jellyfish.jaro_winkler_similarity(a, b) for a, b in zip(texts1, texts2)]))
    if "--dask" in sys.argv:
        dask_rows(int(sys.argv[sys.argv.index("--dask") + 1]))


if __name__ == "__main__":
    main()
