"""The Dask example run as a script, as the README runs it, on a local cluster
of two worker processes: its records against velmoro-cli --batch on the same
files, and what it does with an output folder that is already there."""
import json
import os
import subprocess
import sys

import pytest

pytest.importorskip("dask.distributed")
SCRIPT = os.path.join(os.environ["VELMORO_EXAMPLES"], "dask_score.py")
# Small blocks, so that block ends fall inside CR LF, inside long lines, and
# blocks lie wholly within one line.
BLOCK_BYTES = 2000

# Lines velmoro-cli refuses or echoes in its own way.
ODD_LINES = [
    b'{"text1": null, "text2": "a red bag", "id": 7}',
    b'{"text1": "the red bag", "id": 8}',
    b'{"text1": "the red bag", "text2": "a r',
    b'{"text1": "a", "text2": "b", "id": NaN}',
    b'{"text1": "a", "text2": "b", "id": 01}',
    b'{"text1": "a\\u0000b", "text2": "b", "id": 9}',
    b'{"text1": "caf\xe9", "text2": "b"}',
    b'{"text1": "\\ud800 a", "text2": "a"}',
    b'{"text1": "a b", "text2": "b", "id": ' + b"[" * 3000 + b"]" * 3000 + b"}",
    b'{"text1": "x y", "text2": "y", "id": {"k": [1, 2.50, 1e400, "\\u00e9"]}}',
    b'{"text1": "a", "text2": "b"} and more',
    b"[1, 2]",
    b"\xef\xbb\xbf" + b'{"text1": "a b", "text2": "b"}',
    b"",
    b" \t ",
]


def pair_lines(pairs, odd_every=None):
    """The shared pairs as batch lines, raw UTF-8 and escaped in turn, and an
    odd line after every odd_every of them where that is given."""
    lines = []
    for i, (text1, text2) in enumerate(pairs):
        pair = {"text1": text1, "text2": text2, "id": i}
        lines.append(json.dumps(pair, ensure_ascii=i % 2 == 0).encode("utf-8"))
        if odd_every and i % odd_every == 0:
            lines.append(ODD_LINES[(i // odd_every) % len(ODD_LINES)])
    return lines


def write_folder(folder, pairs):
    """Files of pairs with every kind of line, CR LF line breaks, no final
    line break, a byte order mark, a name that is not UTF-8, a NUL byte, a
    UTF-16 file, an empty one, and names that sort differently with a block
    number after them."""
    folder.mkdir()
    lines = pair_lines(pairs, 7)
    files = {
        "part0.jsonl": b"\n".join(lines) + b"\n",
        "part0.b.jsonl": b"\r\n".join(lines[::3]),
        "mark.jsonl": b"\xef\xbb\xbf" + b"\n".join(lines[:40]) + b"\n",
        os.fsdecode(b"caf\xe9.jsonl"): b"\n".join(lines[40:90]) + b"\n",
        "nul.jsonl": b"\n".join(lines[:30] + [b'{"text1": "a\0", "text2": "a"}'] + lines[30:60]),
        "wide.jsonl": "\n".join(line.decode("utf-8", "replace") for line in lines[:5])
                      .encode("utf-16"),
        "empty.jsonl": b"",
    }
    for name, content in files.items():
        (folder / name).write_bytes(content)


def run_script(pairs_folder, out_folder, *options, cli=None):
    return subprocess.run(
        [sys.executable, SCRIPT, str(pairs_folder), str(out_folder), "--workers", "2",
         "--velmoro-cli", cli or os.environ["VELMORO_CLI"], "--block-bytes", str(BLOCK_BYTES),
         *options], capture_output=True, check=False, timeout=240)


def bad_input_status():
    """The status velmoro-cli exits with for bad usage or a line it cannot
    read, which the script exits with for either too."""
    return subprocess.run([os.environ["VELMORO_CLI"], "--no-such-option"], capture_output=True,
                          check=False, timeout=60).returncode


def cli_records(pairs_folder):
    """What velmoro-cli --batch writes for each file of pairs_folder, in the
    order of their names, each record led by "file"."""
    records = []
    for path in sorted(str(path) for path in pairs_folder.iterdir()):
        run = subprocess.run([os.environ["VELMORO_CLI"], "--batch", path], capture_output=True,
                             check=False, timeout=60)
        name = json.dumps(os.fsencode(path).decode("utf-8", "backslashreplace"),
                          ensure_ascii=False).encode("utf-8")
        records += [b'{"file":' + name + b"," + record[1:]
                    for record in run.stdout.splitlines(keepends=True)]
    return records


def output_of(out_folder):
    return b"".join(path.read_bytes() for path in sorted(out_folder.iterdir()))


def test_writes_the_records_of_velmoro_cli_for_every_line(tmp_path, pairs):
    pairs_folder = tmp_path / "pairs"
    write_folder(pairs_folder, pairs)
    run = run_script(pairs_folder, tmp_path / "scores")
    assert run.returncode == bad_input_status(), run.stderr.decode()  # some lines cannot be read
    expected = cli_records(pairs_folder)
    assert output_of(tmp_path / "scores").splitlines(keepends=True) == expected
    assert run.stderr.decode().endswith(f"{len(expected)} records, "
                                        f"{sum(b'input_error' in r for r in expected)} "
                                        "input errors\n")
    assert sorted(os.listdir(tmp_path)) == ["pairs", "scores"]


def test_an_output_folder_in_use_is_refused_or_replaced_whole(tmp_path, pairs):
    pairs_folder = tmp_path / "pairs"
    pairs_folder.mkdir()
    (pairs_folder / "all.jsonl").write_bytes(b"\n".join(pair_lines(pairs)) + b"\n")
    out_folder = tmp_path / "scores"
    out_folder.mkdir()
    (out_folder / "000000.000000.old.jsonl").write_bytes(b"stale\n")
    before = output_of(out_folder)

    refused = run_script(pairs_folder, out_folder)
    assert refused.returncode == bad_input_status() and b"--overwrite" in refused.stderr
    assert output_of(out_folder) == before

    failed = run_script(pairs_folder, out_folder, "--overwrite", cli="/bin/false")
    assert failed.returncode != 0 and output_of(out_folder) == before

    replaced = run_script(pairs_folder, out_folder, "--overwrite")
    assert replaced.returncode == 0, replaced.stderr.decode()
    assert output_of(out_folder).splitlines(keepends=True) == cli_records(pairs_folder)
    assert sorted(os.listdir(tmp_path)) == ["pairs", "scores"]
