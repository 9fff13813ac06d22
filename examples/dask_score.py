#!/usr/bin/env python3
"""Scores a folder of JSON Lines pair files on a Dask cluster with velmoro-cli.

Each input line is {"text1": "...", "text2": "...", "id": ...} ("id"
optional), as velmoro-cli --batch reads them. Every *.jsonl file of
PAIRS_FOLDER is cut into blocks of whole lines, one task a block, and each task
hands its block to velmoro-cli --batch on its worker. So for every line the
output holds exactly the record `velmoro-cli --batch FILE` writes for it, led
by "file": the path as found in PAIRS_FOLDER, with any byte that is not UTF-8
written as \\xNN; "line" counts the lines of the whole file. A file that
velmoro-cli refuses whole (UTF-16, say) is handed to it whole, and gives what
velmoro-cli writes for it then.

The records of block B of the Nth file, in sorted order, go to
OUT_FOLDER/<N>.<B>.<file name without .jsonl>.jsonl, so that
`cat OUT_FOLDER/*.jsonl` gives them in input order. They are written into a
new folder beside OUT_FOLDER, which takes OUT_FOLDER's place once every task
is done, so a run never mixes its records with those of another; a run that
fails leaves OUT_FOLDER as it was. An OUT_FOLDER that holds anything is
refused, or replaced whole with --overwrite.

Usage:
    python3 examples/dask_score.py PAIRS_FOLDER OUT_FOLDER [--overwrite]
        [--scheduler ADDRESS] [--workers N] [--velmoro-cli PATH] [--block-bytes N]

Without --scheduler it starts a LocalCluster of N worker processes (default:
one a core) on this machine. Exits with 2 when a line could not be read, as
velmoro-cli does.
"""

import argparse
import glob
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import threading

import dask
from dask.distributed import Client, LocalCluster

# A task of a second or two, well above what scheduling one task costs.
BLOCK_BYTES = 8 << 20
READ_BYTES = 1 << 20
# What each record of velmoro-cli --batch begins with, but one for its whole input.
LINE_RECORD = re.compile(rb'\{"line":(\d+)')
# An input error's record ends with its reason, the one string no other key follows.
INPUT_ERROR_RECORD_END = re.compile(rb'"input_error":"(?:[^"\\]|\\.)*"}\n\Z')


def line_end_from(pairs, at):
    """The offset just after the first line feed at or after byte at of the
    open file pairs; its size when there is none."""
    pairs.seek(at)
    while True:
        chunk = pairs.read(READ_BYTES)
        found = chunk.find(b"\n")
        if found >= 0:
            return at + found + 1
        if not chunk:
            return at
        at += len(chunk)


def newlines_in(path, start, size):
    """How many line feeds bytes [start, start + size) of path hold."""
    with open(path, "rb") as pairs:
        pairs.seek(start)
        return pairs.read(size).count(b"\n")


def file_json(path):
    """The JSON string of path for the "file" key."""
    name = os.fsencode(path).decode("utf-8", "backslashreplace")
    return json.dumps(name, ensure_ascii=False).encode("utf-8")


def feed_range(path, begin, end, lead, into, failures):
    """Writes lead, then bytes [begin, end) of path, to the pipe into, and
    closes it; an error other than a reader gone goes to failures."""
    try:
        with open(path, "rb") as pairs, into:
            into.write(lead)
            pairs.seek(begin)
            while begin < end:
                chunk = pairs.read(min(READ_BYTES, end - begin))
                if not chunk:
                    break
                into.write(chunk)
                begin += len(chunk)
    except BrokenPipeError:
        pass  # velmoro-cli refused its input whole and reads no more
    except OSError as error:
        failures.append(error)


def run_velmoro_cli(command, lines, file_bytes, line_shift, out):
    """Runs command, a velmoro-cli --batch, on standard input written by
    lines(pipe, failures) in a thread when lines is given, and writes each
    record it prints to out, led by "file" (file_bytes) and with line_shift
    added to its "line". Gives (records, input errors, whether velmoro-cli
    refused its input whole); raises RuntimeError when it fails otherwise."""
    records = errors = 0
    refused = False
    failures = []
    with tempfile.TemporaryFile() as complaints:
        with subprocess.Popen(command, stdin=subprocess.PIPE if lines else subprocess.DEVNULL,
                              stdout=subprocess.PIPE, stderr=complaints) as process:
            feeder = None
            if lines:
                feeder = threading.Thread(target=lines, args=(process.stdin, failures))
                feeder.start()
            try:
                for record in process.stdout:
                    line = LINE_RECORD.match(record)
                    if line:
                        head = b',"line":' + str(int(line[1]) + line_shift).encode()
                        out.write(b'{"file":' + file_bytes + head + record[line.end():])
                    else:
                        refused = True
                        out.write(b'{"file":' + file_bytes + b"," + record[1:])
                    records += 1
                    errors += INPUT_ERROR_RECORD_END.search(record) is not None
            except BaseException:
                process.kill()  # its feeder then finds the pipe closed
                raise
            finally:
                if feeder:
                    feeder.join()
        complaints.seek(0)
        said = complaints.read().decode("utf-8", "backslashreplace").strip()
    if failures:
        raise failures[0]
    if process.returncode not in (0, 2) or (process.returncode == 2 and not errors):
        raise RuntimeError(f"{command[0]} exited with status {process.returncode}: {said}")
    return records, errors, refused


def score_block(cli, path, start, size, newlines_before, out_path):
    """Writes to out_path the records of the lines of path that start in
    bytes [start, start + size), newlines_before line feeds preceding start.
    Gives (records, input errors, whether velmoro-cli refused the block whole)."""
    with open(path, "rb") as pairs:
        begin = 0 if start == 0 else line_end_from(pairs, start - 1)
        end = line_end_from(pairs, start + size - 1)
    with open(out_path, "wb") as out:
        if begin == end:
            return 0, 0, False
        # A byte order mark or an encoding's signature counts only at a file's
        # start: after a blank first line, velmoro-cli takes none at a block's.
        lead = b"" if begin == 0 else b"\n"
        line_shift = newlines_before + (begin > start) - len(lead)
        return run_velmoro_cli(
            [cli, "--batch", "-", "--jobs", "1"],
            lambda into, failures: feed_range(path, begin, end, lead, into, failures),
            file_json(path), line_shift, out)


def score_file(cli, path, out_path):
    """Writes to out_path what velmoro-cli --batch writes for the file at path,
    read by velmoro-cli itself. Gives (records, input errors, False)."""
    with open(out_path, "wb") as out:
        records, errors, _ = run_velmoro_cli([cli, "--batch", path, "--jobs", "1"], None,
                                             file_json(path), 0, out)
    return records, errors, False


def output_problem(pairs_folder, out_folder, overwrite):
    """Why out_folder cannot take the records of pairs_folder, or None."""
    pairs, out = os.path.realpath(pairs_folder), os.path.realpath(out_folder)
    if pairs == out or pairs.startswith(out + os.sep):
        return f"{out_folder} holds the pairs: give another output folder"
    if not os.path.lexists(out_folder):
        return None
    if not os.path.isdir(out_folder):
        return f"{out_folder} is not a folder"
    if os.listdir(out_folder) and not overwrite:
        return f"{out_folder} is not empty: give a new folder, or --overwrite to replace it"
    return None


def put_in_place(records, out_folder, aside):
    """Renames the folder records to out_folder; an out_folder that holds
    anything is moved into the folder aside first."""
    try:
        os.replace(records, out_folder)  # takes the place of an empty folder too
    except OSError:
        if not os.path.isdir(out_folder):
            raise
        os.replace(out_folder, os.path.join(aside, "replaced"))
        os.replace(records, out_folder)


def settled(function, *arguments):
    """Gives (value, None) or (None, the exception function raised)."""
    try:
        return function(*arguments), None
    except Exception as error:  # handed back to be raised once every call has ended
        return None, error


def compute_all(calls):
    """Runs every (function, arguments) of calls on the Dask client and gives
    their values in order. A failure is raised only once every call has ended,
    so that no block is still writing when the work folder is removed."""
    outcomes = dask.compute(*[dask.delayed(settled)(function, *arguments)
                              for function, arguments in calls])
    for _, error in outcomes:
        if error is not None:
            raise error
    return [value for value, _ in outcomes]


def score_into(paths, records_folder, block_bytes, cli):
    """Scores the files at paths into records_folder on the current Dask
    client; gives the number of records and of input errors among them."""
    blocks = [(index, path, start) for index, path in enumerate(paths)
              for start in range(0, os.path.getsize(path), block_bytes)]
    counts = compute_all([(newlines_in, (path, start, block_bytes)) for _, path, start in blocks])

    def out_path(index, path, start):
        name = os.path.basename(path)[:-len(".jsonl")]
        return os.path.join(records_folder, f"{index:06d}.{start // block_bytes:06d}.{name}.jsonl")

    calls = []
    newlines_before = 0
    for (index, path, start), count in zip(blocks, counts):
        if start == 0:
            newlines_before = 0
        calls.append((score_block, (cli, path, start, block_bytes, newlines_before,
                                    out_path(index, path, start))))
        newlines_before += count
    done = dict(zip(blocks, compute_all(calls)))
    refused = sorted({(index, path) for (index, path, _), (_, _, whole) in done.items() if whole})
    for block in [block for block in done if block[:2] in refused]:
        os.remove(out_path(*block))
        del done[block]
    redone = compute_all([(score_file, (cli, path, out_path(index, path, 0)))
                          for index, path in refused])
    results = list(done.values()) + list(redone)
    return sum(records for records, _, _ in results), sum(errors for _, errors, _ in results)


def score_folder(pairs_folder, out_folder, *, block_bytes=BLOCK_BYTES, cli="velmoro-cli",
                 overwrite=False):
    """Scores every *.jsonl file of pairs_folder on the current Dask client
    into out_folder, as the module's docstring says; gives the number of
    records written and of input errors among them. Raises FileExistsError
    where out_folder cannot take them (see output_problem)."""
    problem = output_problem(pairs_folder, out_folder, overwrite)
    if problem:
        raise FileExistsError(problem)
    paths = sorted(glob.glob(os.path.join(glob.escape(pairs_folder), "*.jsonl")))
    out_folder = os.path.abspath(out_folder)
    # A private folder beside out_folder, on its file system, so that renaming
    # is all that moves the records into place.
    work = tempfile.mkdtemp(prefix=f".{os.path.basename(out_folder)}.",
                            dir=os.path.dirname(out_folder))
    try:
        records = os.path.join(work, "records")
        os.mkdir(records)
        counts = score_into(paths, records, block_bytes, cli)
        put_in_place(records, out_folder, work)
    finally:
        shutil.rmtree(work, ignore_errors=True)
    return counts


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("pairs_folder")
    parser.add_argument("out_folder")
    parser.add_argument("--overwrite", action="store_true",
                        help="replace OUT_FOLDER when it holds anything")
    parser.add_argument("--scheduler", help="the address of a running scheduler")
    parser.add_argument("--workers", type=int, help="worker processes of a local cluster")
    parser.add_argument("--velmoro-cli", default="velmoro-cli", dest="cli",
                        help="velmoro-cli on the workers (default: found on their PATH)")
    parser.add_argument("--block-bytes", type=int, default=BLOCK_BYTES,
                        help=f"the bytes of a file a task takes (default: {BLOCK_BYTES})")
    arguments = parser.parse_args()
    if not os.path.isdir(arguments.pairs_folder):
        parser.error(f"{arguments.pairs_folder} is not a folder")
    if arguments.block_bytes < 1:
        parser.error("--block-bytes must be at least 1")
    problem = output_problem(arguments.pairs_folder, arguments.out_folder, arguments.overwrite)
    if problem:
        parser.error(problem)
    if not arguments.scheduler:
        if not shutil.which(arguments.cli):
            parser.error(f"{arguments.cli} is not found: install velmoro, or give "
                         "--velmoro-cli PATH")
        if os.sep in arguments.cli:
            arguments.cli = os.path.abspath(arguments.cli)

    def score():
        return score_folder(arguments.pairs_folder, arguments.out_folder,
                            block_bytes=arguments.block_bytes, cli=arguments.cli,
                            overwrite=arguments.overwrite)

    if arguments.scheduler:
        with Client(arguments.scheduler):
            records, errors = score()
    else:
        with LocalCluster(n_workers=arguments.workers, threads_per_worker=1, processes=True,
                          host="127.0.0.1", dashboard_address=None) as cluster, Client(cluster):
            records, errors = score()
    print(f"{records} records, {errors} input errors", file=sys.stderr)
    return 2 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
