"""The Dask example on a cluster of two worker processes on this machine,
against cpdist in one process."""
import json
import os
import sys

import numpy as np
import pytest

import velmoro

distributed = pytest.importorskip("dask.distributed")
sys.path.insert(0, os.environ["VELMORO_EXAMPLES"])
import dask_score  # noqa: E402  (the example, from examples/)


def test_scores_a_folder_on_a_local_cluster(tmp_path):
    texts1 = [f"the red bag {i} and the mill" for i in range(20_000)]
    texts2 = [f"a red bag {i % 97}, then the mill" if i % 5 else "x" for i in range(20_000)]
    pairs_folder = tmp_path / "pairs"
    pairs_folder.mkdir()
    for part in range(4):
        with open(pairs_folder / f"part{part}.jsonl", "w", encoding="utf-8") as out:
            for i in range(part, len(texts1), 4):
                out.write(json.dumps({"text1": texts1[i], "text2": texts2[i], "id": i}) + "\n")
    out_folder = tmp_path / "scores"
    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=True,
                                  host="127.0.0.1", dashboard_address=None) as cluster, \
            distributed.Client(cluster):
        dask_score.score_folder(str(pairs_folder), str(out_folder), partition_bytes=256 << 10)
    records = [json.loads(line) for path in sorted(out_folder.iterdir())
               for line in path.read_text(encoding="utf-8").splitlines()]
    assert len(records) == len(texts1)
    distances, _, errors = velmoro.cpdist(texts1, texts2, return_scores=True)
    for record in records:
        i = record["id"]
        expected = None if np.isnan(distances[i]) else distances[i]
        assert record["distance"] == expected
        assert record["error"] == (velmoro.ERROR_KINDS[errors[i] - 1] if errors[i] else None)
