#!/usr/bin/env python3
"""Scores a folder of JSON Lines pair files on a Dask cluster.

Each input line is {"text1": "...", "text2": "...", "id": ...} ("id"
optional), as velmoro-cli --batch reads them. For every line the output holds
the record velmoro-cli --batch writes for it, led by the file and the line it
came from: {"file", "line", "id", "scores", "length_factor", "status1",
"status2", "result", "distance", "error", "message"}, the id exactly as it was
written. A line that is not such an object gives {"file", "line", "id" (where
it could be read), "input_error"}, and the job goes on. Blank lines are
skipped but counted.

Each file is cut into blocks of whole lines, one task a block. The records of
a block go to OUT_FOLDER/<file name without .jsonl>.<block>.jsonl, so that
`cat OUT_FOLDER/*.jsonl` gives them in input order.

Usage:
    python3 examples/dask_score.py PAIRS_FOLDER OUT_FOLDER [--scheduler ADDRESS]
                                   [--workers N]

Without --scheduler it starts a LocalCluster of N worker processes (default:
one a core) on this machine.
"""

import argparse
import glob
import json
import os
import re
import sys

import dask
from dask.distributed import Client, LocalCluster

import velmoro

# A task of a second or two, well above what scheduling one task costs.
PARTITION_BYTES = 8 << 20
# The most UTF-8 bytes velmoro-cli reads for one text.
TEXT_LIMIT_BYTES = 16 << 20
JSON_WHITESPACE = " \t\r\n"
SKIP_WHITESPACE = re.compile(f"[{JSON_WHITESPACE}]*").match


class LineProblem(Exception):
    """Why a line gives no comparison, and its id where it could be read."""

    def __init__(self, why, id_text=None):
        super().__init__(why)
        self.why = why
        self.id_text = id_text


def refuse_constant(name):
    raise ValueError(f"{name} is not JSON")


DECODER = json.JSONDecoder(parse_constant=refuse_constant)
TO_JSON = json.JSONEncoder(ensure_ascii=False, separators=(",", ":")).encode


def skip_whitespace(text, at):
    while at < len(text) and text[at] in JSON_WHITESPACE:
        at += 1
    return at


def members(text):
    """The members of the JSON object that text holds, in order, each as
    (key, value, the value's text as written). Raises ValueError."""
    at = skip_whitespace(text, 0)
    if not text.startswith("{", at):
        raise ValueError(f"expecting '{{' at character {at}")
    found = []
    at = skip_whitespace(text, at + 1)
    while not (text.startswith("}", at) and not found):
        if not text.startswith('"', at):
            raise ValueError(f"expecting a key in double quotes at character {at}")
        key, at = json.decoder.scanstring(text, at + 1)
        at = skip_whitespace(text, at)
        if not text.startswith(":", at):
            raise ValueError(f"expecting ':' at character {at}")
        start = skip_whitespace(text, at + 1)
        value, at = DECODER.raw_decode(text, start)
        found.append((key, value, text[start:at]))
        at = skip_whitespace(text, at)
        if text.startswith("}", at):
            break
        if not text.startswith(",", at):
            raise ValueError(f"expecting ',' or '}}' at character {at}")
        at = skip_whitespace(text, at + 1)
    if skip_whitespace(text, at + 1) != len(text):
        raise ValueError("extra data after the object")
    return found


def text_problem(text):
    """Why velmoro-cli would not compare text, or None."""
    too_long = len(text) > TEXT_LIMIT_BYTES // 4  # at most four bytes a character
    if too_long and len(text.encode("utf-8", "surrogatepass")) > TEXT_LIMIT_BYTES:
        return "is larger than 16 MiB, the most velmoro-cli reads for one text"
    nul = text.find("\0")
    if nul >= 0:
        offset = len(text[:nul].encode("utf-8", "surrogatepass"))
        return f"holds a NUL byte at byte {offset}: it looks like a binary file, not a text"
    if not text.isascii():
        try:
            text.encode("utf-8")
        except UnicodeEncodeError as error:
            return f"holds a lone surrogate at character {error.start}: it is not Unicode text"
    return None


def read_pair(line):
    """(text1, text2, id as written or None) of one line's bytes, without
    its line break. Raises LineProblem."""
    try:
        found = members(line.decode("utf-8"))
    except (UnicodeDecodeError, ValueError, RecursionError) as error:
        raise LineProblem(f'not a JSON object with "text1" and "text2": {error}') from None
    texts = {}
    id_text = None
    problem = None
    for key, value, written in found:
        if key == "id":
            id_text = written
        elif key in ("text1", "text2"):
            if isinstance(value, str):
                texts[key] = value
            elif problem is None:
                problem = f'"{key}" is not a string'
    if problem is None and len(texts) < 2:
        problem = '"text2" is missing' if "text1" in texts else '"text1" is missing'
    if problem is not None:
        raise LineProblem(problem, id_text)
    for slot, key in enumerate(("text1", "text2")):
        why = text_problem(texts[key])
        if why is not None:
            raise LineProblem(f"text {slot + 1} {why}", id_text)
    return texts["text1"], texts["text2"], id_text


def record(file_json, number, id_text, fields):
    """One output line: "file" (already JSON), "line", "id" as written, then
    fields."""
    head = '{"file":' + file_json + ',"line":' + str(number)
    if id_text is not None:
        head += ',"id":' + id_text
    return head + "," + TO_JSON(fields)[1:] + "\n"


def comparison_fields(comparison):
    """The keys of a compared pair's record, as velmoro-cli --batch writes them."""
    return {"scores": list(comparison.scores), "length_factor": comparison.length_factor,
            "status1": list(comparison.status1), "status2": list(comparison.status2),
            "result": comparison.result_text, "distance": comparison.distance,
            "error": comparison.error, "message": comparison.message}


def record_of_line(file_json, number, line):
    """The record of one line's bytes, without its line break, and whether
    it is an input error."""
    try:
        text1, text2, id_text = read_pair(line)
    except LineProblem as problem:
        return record(file_json, number, problem.id_text, {"input_error": problem.why}), 1
    fields = comparison_fields(velmoro.compare(text1, text2))
    return record(file_json, number, id_text, fields), 0


def newlines_in(path, start, size):
    """How many line breaks bytes [start, start + size) of path hold."""
    with open(path, "rb") as pairs:
        pairs.seek(start)
        return pairs.read(size).count(b"\n")


def score_block(path, start, size, newlines_before, out_path):
    """Writes to out_path the record of every line of path that starts in
    bytes [start, start + size), newlines_before line breaks preceding start;
    gives the number of records and of input errors among them."""
    records = errors = 0
    file_json = TO_JSON(path)
    with open(path, "rb") as pairs, open(out_path, "w", encoding="utf-8") as out:
        at, number = 0, 1 + newlines_before
        if start > 0:
            # The rest of the line that byte start - 1 belongs to is the block before's.
            pairs.seek(start - 1)
            at = start - 1 + len(pairs.readline())
            if at > start:
                number += 1
        while at < start + size:
            line = pairs.readline()
            if not line:
                break
            at += len(line)
            text = line[:-1] if line.endswith(b"\n") else line
            text = text[:-1] if text.endswith(b"\r") else text
            if text.strip(JSON_WHITESPACE.encode()):
                written, failed = record_of_line(file_json, number, text)
                out.write(written)
                records += 1
                errors += failed
            number += 1
    return records, errors


def score_folder(pairs_folder, out_folder, partition_bytes=PARTITION_BYTES):
    """Scores every *.jsonl file of pairs_folder on the current Dask client;
    gives the number of records written and of input errors among them."""
    os.makedirs(out_folder, exist_ok=True)
    blocks = [(path, start) for path in sorted(glob.glob(os.path.join(pairs_folder, "*.jsonl")))
              for start in range(0, os.path.getsize(path), partition_bytes)]
    counts = dask.compute(*[dask.delayed(newlines_in)(path, start, partition_bytes)
                            for path, start in blocks])
    tasks = []
    newlines_before = 0
    for index, (path, start) in enumerate(blocks):
        if start == 0:
            newlines_before = 0
        name = os.path.basename(path)[:-len(".jsonl")]
        out_path = os.path.join(out_folder, f"{name}.{start // partition_bytes:06d}.jsonl")
        tasks.append(dask.delayed(score_block)(path, start, partition_bytes, newlines_before,
                                               out_path))
        newlines_before += counts[index]
    done = dask.compute(*tasks)
    return sum(records for records, _ in done), sum(errors for _, errors in done)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("pairs_folder")
    parser.add_argument("out_folder")
    parser.add_argument("--scheduler", help="the address of a running scheduler")
    parser.add_argument("--workers", type=int, help="worker processes of a local cluster")
    arguments = parser.parse_args()
    if arguments.scheduler:
        with Client(arguments.scheduler):
            records, errors = score_folder(arguments.pairs_folder, arguments.out_folder)
    else:
        with LocalCluster(n_workers=arguments.workers, threads_per_worker=1, processes=True,
                          host="127.0.0.1", dashboard_address=None) as cluster, Client(cluster):
            records, errors = score_folder(arguments.pairs_folder, arguments.out_folder)
    print(f"{records} records, {errors} input errors", file=sys.stderr)
    return 2 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
