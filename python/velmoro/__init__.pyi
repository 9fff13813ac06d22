from typing import Optional, Sequence, TypedDict, Union, overload, Literal

import numpy as np
import numpy.typing as npt

__version__: str
ERROR_KINDS: tuple[str, str, str, str]

class Comparison:
    @property
    def scores(self) -> tuple[Optional[int], Optional[int], Optional[int], Optional[int]]: ...
    @property
    def length_factor(self) -> Optional[float]: ...
    @property
    def status1(self) -> tuple[str, str, str]: ...
    @property
    def status2(self) -> tuple[str, str, str]: ...
    @property
    def result_text(self) -> Optional[str]: ...
    @property
    def distance(self) -> Optional[float]: ...
    @property
    def error(self) -> Optional[str]: ...
    @property
    def message(self) -> str: ...

class ExplainedWord(TypedDict):
    word: str
    source: list[int]
    target: Optional[list[int]]
    points: int
    following: Optional[int]
    preceding: Optional[int]

class DirectionExplanation(TypedDict):
    direction: int
    source: str
    target: str
    complete: bool
    score: int
    words: list[ExplainedWord]

def compare(text1: str, text2: str) -> Comparison: ...
def explain(text1: str, text2: str) -> list[Optional[DirectionExplanation]]: ...
@overload
def cpdist(
    texts1: Sequence[str], texts2: Sequence[str], *, workers: int = ..., return_scores: Literal[False] = ...
) -> npt.NDArray[np.float64]: ...
@overload
def cpdist(
    texts1: Sequence[str], texts2: Sequence[str], *, workers: int = ..., return_scores: Literal[True]
) -> tuple[npt.NDArray[np.float64], npt.NDArray[np.int16], npt.NDArray[np.int8]]: ...
def cdist(queries: Sequence[str], choices: Sequence[str], *, workers: int = ...) -> npt.NDArray[np.float64]: ...
def extract(
    query: str, choices: Sequence[str], *, limit: int = ..., workers: int = ...
) -> list[tuple[str, Optional[float], int]]: ...
