"""Velmoro tells how far apart two texts are.

The comparison is lexical and order-aware: each text is normalised and split
into words, and each direction walks one text word by word against the other,
crediting a word found in the part not yet used by its neighbours found with
it. The distance is 0 for equal texts. Every line break, CR LF, a lone LF or a
lone CR, is compared as CR LF.

compare and explain take one pair; cpdist, cdist and extract take sequences
of str (lists, tuples, pandas Series), run on ``workers`` threads (-1: every
core) with the GIL released, and give numpy arrays.
"""

import pathlib
import re
import sys


_IMPLEMENTATIONS = {"cpython": "CPython", "pypy": "PyPy"}


def _interpreter(tag):
    """'CPython 3.11' for the tag cpython-311 (a cache tag, or the start of a
    compiled file's tag), 'PyPy 3.9' for pypy39; other tags up to their first '-'."""
    match = re.match(r"(cpython|pypy)-?(\d)(\d+)", tag)
    if not match:
        return tag.split("-")[0]
    return f"{_IMPLEMENTATIONS[match[1]]} {match[2]}.{match[3]}"


def _no_compiled_part_error():
    """Why this interpreter finds no compiled part: which interpreters the
    compiled parts here were built for (named _velmoro.<interpreter tag>-<platform>.so),
    and what to run instead."""
    here = pathlib.Path(__file__).parent
    built = sorted(path.name for path in here.glob("_velmoro.*"))
    this = f"{_interpreter(sys.implementation.cache_tag)} ({sys.executable})"
    if not built:
        return ImportError(f"velmoro: {here} holds no compiled part _velmoro; this interpreter "
                           f"is {this}. Build and install the module again.")
    built_for = sorted({_interpreter(name.split(".")[1]) for name in built})
    return ImportError(
        f"velmoro: the module in {here} was built for {' and '.join(built_for)} "
        f"({', '.join(built)}), and this interpreter is {this}. Use that interpreter "
        "(Debian's /usr/bin/python3 for the velmoro package) or a virtual environment "
        "made from it with 'python3 -m venv --system-site-packages', or build the module "
        "for this interpreter.")


try:
    from ._velmoro import ERROR_KINDS, Comparison, cdist, compare, cpdist, explain, extract
except ModuleNotFoundError as error:
    if error.name != f"{__name__}._velmoro":
        raise
    raise _no_compiled_part_error() from error

__all__ = ["ERROR_KINDS", "Comparison", "cdist", "compare", "cpdist", "explain", "extract"]
__version__ = "1.00"
