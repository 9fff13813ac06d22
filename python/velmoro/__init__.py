"""Velmoro tells how far apart two texts are.

The comparison is lexical and order-aware: each text is normalised and split
into words, and each direction walks one text word by word against the other,
crediting a word found in the part not yet used by its neighbours found with
it. The distance is 0 for equal texts. Every line break, CR LF, a lone LF or a
lone CR, is compared as CR LF, and every text in Unicode's composed form (NFC),
so canonically equivalent texts give one number; places in an explanation
count code points of the text as given.

compare and explain take one pair; cpdist, cdist and extract take sequences
of texts (lists, tuples, pandas Series; not a set or a mapping, whose texts
have no places to pair them by), run on ``workers`` threads (-1: every core,
at most 1024) with the GIL released, and stop at Ctrl-C within about a tenth
of a second, or the time of the pair at hand. In those sequences a missing
text (None, a float NaN or pandas.NA) gives its pairs no distance. numpy is
needed only by cpdist and cdist, which return arrays.
"""

import importlib
import pathlib
import re
import sys
from collections.abc import Mapping, Sequence
from typing import TYPE_CHECKING, Optional, Union


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
    from ._velmoro import ERROR_KINDS, MISSING_TEXT, Comparison, __version__
except ModuleNotFoundError as error:
    if error.name != f"{__name__}._velmoro":
        raise
    raise _no_compiled_part_error() from error
from . import _velmoro  # noqa: E402

if TYPE_CHECKING:
    import numpy  # only where arrays are returned, so not at run time

__all__ = ["ERROR_KINDS", "MISSING_TEXT", "Comparison", "cdist", "compare", "cpdist", "explain",
           "extract"]

_Texts = Sequence[Optional[str]]


def _needs_numpy(function):
    """Raises ModuleNotFoundError, naming numpy, where this interpreter cannot
    import it: function returns numpy arrays."""
    try:
        importlib.import_module("numpy")  # once imported, a look-up
    except ImportError as error:
        raise ModuleNotFoundError(
            f"velmoro.{function} returns numpy arrays and needs numpy, which this interpreter "
            f"({sys.executable}) cannot import: install numpy for it (python3-numpy for "
            "Debian's python3). velmoro.compare, explain and extract work without numpy.",
            name="numpy") from error


def compare(text1: str, text2: str) -> Comparison:
    """Compares text1 with text2. An error of the comparison does not raise:
    error and message say what happened and distance is None."""
    return _velmoro.compare(text1, text2)


def explain(text1: str, text2: str) -> list[Optional[dict]]:
    """Which words each direction walked, where they stand, where they were
    found and what they earned, as velmoro-cli --json --explain prints them
    under "explain": four entries, None for a direction that did not run,
    else a dict of "direction", "source" and "target" ('text1' or 'text2'),
    "complete", "score" and "words". Each word is a dict of "word", "source"
    and "target" ([start, end] in code points, target None where it was not
    found), "points", "following" and "preceding" (None unless credited by
    context), and, for a word of a completed direction that earned nothing,
    "not_found": 'absent' from the target, or its places there 'used' by
    earlier words."""
    return _velmoro.explain(text1, text2)


def cpdist(texts1: _Texts, texts2: _Texts, *, workers: int = 1,
           return_scores: bool = False) -> "Union[numpy.ndarray, tuple[numpy.ndarray, ...]]":
    """texts1[i] against texts2[i], for every i: a float64 array of distances,
    NaN where the comparison ended in an error or a text is missing. With
    return_scores, also an int16 array (n, 4) of the direction scores (-1
    where not computed) and an int8 array of codes: 0 none, 1 + the index of
    the error kind in ERROR_KINDS, or MISSING_TEXT. Needs numpy."""
    _needs_numpy("cpdist")
    return _velmoro.cpdist(texts1, texts2, workers, return_scores)


def cdist(queries: _Texts, choices: _Texts, *, workers: int = 1,
          score_cutoff: Optional[float] = None) -> "numpy.ndarray":
    """Every query against every choice, the query as Text1: a float64 array
    of shape (len(queries), len(choices)), NaN where a comparison ended in an
    error or a text is missing, and inf where a distance is above
    score_cutoff (a NaN score_cutoff raises ValueError). Needs numpy."""
    _needs_numpy("cdist")
    return _velmoro.cdist(queries, choices, workers, score_cutoff)


def extract(query: str, choices: Union[_Texts, Mapping[object, Optional[str]]], *,
            limit: Optional[int] = 5, score_cutoff: Optional[float] = None,
            workers: int = 1) -> list[tuple[str, Optional[float], object]]:
    """The limit choices closest to query (all with limit None), the query as
    Text1: a list of (choice, distance, index), closest first, then those
    without a distance (None: an error or a missing choice). With
    score_cutoff, only choices at most that far (a NaN score_cutoff raises
    ValueError, as in cdist). For a mapping the choices are its values, and
    each comes with its key in place of an index."""
    if not isinstance(choices, Mapping):
        return _velmoro.extract(query, choices, limit, score_cutoff, workers)
    keys = list(choices.keys())
    found = _velmoro.extract(query, list(choices.values()), limit, score_cutoff, workers)
    return [(choice, distance, keys[i]) for choice, distance, i in found]
