#!/usr/bin/env python3
"""Scores a folder of JSON Lines pair files on a Dask cluster.

Each input line is {"text1": "...", "text2": "...", "id": ...} ("id" optional),
as velmoro-cli --batch reads them. Each partition of the input is scored by one
call of velmoro.cpdist with workers=1: the cluster's workers are the
parallelism, one task a partition. The results go to OUT_FOLDER as JSON Lines,
one file a partition, {"id": ..., "distance": ..., "error": ...}, distance
null where the comparison ended in an error, whose kind error names.

Usage:
    python3 examples/dask_score.py PAIRS_FOLDER OUT_FOLDER [--scheduler ADDRESS]
                                   [--workers N]

Without --scheduler it starts a LocalCluster of N worker processes (default:
one a core) on this machine.
"""

import argparse
import json
import math

import dask.dataframe as dd
import numpy as np
import pandas as pd
from dask.distributed import Client, LocalCluster

import velmoro

# About 60,000 sentence pairs: a task of half a second or so, well above what
# scheduling one task costs.
PARTITION_BYTES = 8 << 20


def score_partition(pairs: pd.DataFrame) -> pd.DataFrame:
    """The distance and error kind of every pair of one partition."""
    distances, _, errors = velmoro.cpdist(pairs["text1"], pairs["text2"], workers=1,
                                          return_scores=True)
    kinds = np.array((None,) + velmoro.ERROR_KINDS, dtype=object)[errors]
    scored = pd.DataFrame({"distance": distances, "error": kinds}, index=pairs.index)
    if "id" in pairs:
        scored.insert(0, "id", pairs["id"])
    return scored


def record_line(record: dict) -> str:
    """One result as a JSON line, its distance exact (null for none)."""
    distance = record["distance"]
    record["distance"] = None if math.isnan(distance) else distance
    return json.dumps(record)


def score_folder(pairs_folder: str, out_folder: str, partition_bytes: int = PARTITION_BYTES):
    """Scores every *.jsonl file of pairs_folder on the current Dask client."""
    pairs = dd.read_json(f"{pairs_folder}/*.jsonl", lines=True, blocksize=partition_bytes,
                         dtype={"text1": str, "text2": str})
    meta = score_partition(pairs._meta)
    scored = pairs.map_partitions(score_partition, meta=meta)
    # pandas writes floats to 15 digits at most; json writes them exactly.
    scored.to_bag(format="dict").map(record_line).to_textfiles(f"{out_folder}/*.jsonl")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("pairs_folder")
    parser.add_argument("out_folder")
    parser.add_argument("--scheduler", help="the address of a running scheduler")
    parser.add_argument("--workers", type=int, help="worker processes of a local cluster")
    arguments = parser.parse_args()
    if arguments.scheduler:
        with Client(arguments.scheduler):
            score_folder(arguments.pairs_folder, arguments.out_folder)
        return
    with LocalCluster(n_workers=arguments.workers, threads_per_worker=1, processes=True,
                      host="127.0.0.1", dashboard_address=None) as cluster, Client(cluster):
        score_folder(arguments.pairs_folder, arguments.out_folder)


if __name__ == "__main__":
    main()
