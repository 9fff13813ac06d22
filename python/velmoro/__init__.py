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

from ._velmoro import ERROR_KINDS, Comparison, cdist, compare, cpdist, explain, extract

__all__ = ["ERROR_KINDS", "Comparison", "cdist", "compare", "cpdist", "explain", "extract"]
__version__ = "1.00"
