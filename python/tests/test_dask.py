"""The Dask example on a cluster of two worker processes on this machine,
against velmoro-cli --batch on the same files."""
import json
import os
import subprocess
import sys

import pytest

distributed = pytest.importorskip("dask.distributed")
sys.path.insert(0, os.environ["VELMORO_EXAMPLES"])
import dask_score  # noqa: E402  (the example, from examples/)

# Lines as they come in real folders, each with what its record must hold
# beyond what velmoro-cli --batch gives.
ODD_LINES = [
    ('{"text1": "the red bag", "text2": "a red bag", "id": "a string"}', {}),
    ('{"text1": "the red bag", "text2": "a red bag"}', {}),
    ('{"text1": "the red bag", "text2": "a red bag", "id": 1e10}', {"id": "1e10"}),
    ('{"id": 18446744073709551616, "text1": "a b", "text2": "b"}', {"id": "18446744073709551616"}),
    ('{"text1": "x", "text2": "y", "id": {"k": [1, 2]}}', {"id": '{"k": [1, 2]}'}),
    ('{"text1": null, "text2": "a red bag", "id": 7}', {"input_error": True}),
    ('{"text1": "the red bag", "id": 8}', {"input_error": True}),
    ('{"text1": "the red bag", "text2": "a r', {"input_error": True}),
    ('{"text1": "a", "text2": "b", "id": NaN}', {"input_error": True}),
    ('{"text1": "a\\u0000b", "text2": "b", "id": 9}', {"input_error": True}),
    ('', {"blank": True}),
    ('  ', {"blank": True}),
]


def write_folder(folder):
    """Four files of pairs, the odd lines among the ordinary ones, one file
    with CR LF line breaks and one without a final line break."""
    folder.mkdir()
    for part in range(4):
        lines = []
        for i in range(part, 8_000, 4):
            text2 = f"a red bag {i % 97}, then the mill" if i % 5 else "x"
            lines.append(json.dumps({"text1": f"the red bag {i} and the mill", "text2": text2,
                                     "id": i}))
            if i % 500 == part:
                lines.append(ODD_LINES[(i // 500) % len(ODD_LINES)][0])
        ending = "\r\n" if part == 1 else "\n"
        text = ending.join(lines) + ("" if part == 2 else ending)
        (folder / f"part{part}.jsonl").write_bytes(text.encode("utf-8"))


def cli_records(path):
    run = subprocess.run([os.environ["VELMORO_CLI"], "--batch", str(path)], capture_output=True,
                         check=False)
    return {record["line"]: record for record in map(json.loads, run.stdout.splitlines())}


def test_gives_every_line_the_record_of_velmoro_cli_on_a_local_cluster(tmp_path):
    pairs_folder = tmp_path / "pairs"
    write_folder(pairs_folder)
    out_folder = tmp_path / "scores"
    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=True,
                                  host="127.0.0.1", dashboard_address=None) as cluster, \
            distributed.Client(cluster):
        records, errors = dask_score.score_folder(str(pairs_folder), str(out_folder),
                                                  partition_bytes=64 << 10)
    output = "".join(path.read_text(encoding="utf-8") for path in sorted(out_folder.iterdir()))
    assert output.endswith("\n")
    lines = output.splitlines()
    assert len(lines) == records
    odd = dict(ODD_LINES)
    seen = []
    for path in sorted(pairs_folder.iterdir()):
        inputs = path.read_bytes().decode("utf-8").split("\n")
        expected = cli_records(path)
        for number, text in enumerate(inputs, start=1):
            text = text.removesuffix("\r")
            wanted = odd.get(text, {})
            if wanted.get("blank") or (not text and number == len(inputs)):
                continue
            line = lines.pop(0)
            record = json.loads(line)
            cli = expected[number]
            assert record.pop("file") == str(path) and record["line"] == number
            seen.append(text)
            if "id" in wanted:
                assert f'"id":{wanted["id"]},' in line
                record.pop("id")
                cli.pop("id", None)
            if "input_error" in wanted:
                assert isinstance(record["input_error"], str)
                assert record.get("id") == cli.get("id")
            elif "input_error" in cli:
                # An id velmoro-cli cannot read as a number: the pair is compared all the same.
                assert "id" in wanted and "distance" in record
            else:
                assert record == cli and list(record) == list(cli)
    assert not lines
    assert errors == sum("input_error" in json.loads(line) for line in output.splitlines())
    assert {text for text, wanted in ODD_LINES if not wanted.get("blank")} <= set(seen)
