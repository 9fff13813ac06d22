from collections.abc import Mapping, Sequence
from typing import Hashable, Literal, Optional, TypedDict, TypeVar, Union, overload

from typing_extensions import NotRequired

import numpy as np
import numpy.typing as npt

__version__: str
ERROR_KINDS: tuple[str, str, str, str]
MISSING_TEXT: int

# A text of a sequence, or a missing one (None, a float NaN or pandas.NA).
Text = Optional[Union[str, float, object]]
Key = TypeVar("Key", bound=Hashable)

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
    def message(self) -> Optional[str]: ...
    def __eq__(self, other: object) -> bool: ...
    def __hash__(self) -> int: ...

class ExplainedWord(TypedDict):
    word: str
    source: list[int]
    target: Optional[list[int]]
    points: int
    following: Optional[int]
    preceding: Optional[int]
    # Only for a word of a completed direction that earned nothing.
    not_found: NotRequired[Literal["absent", "used"]]

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
    texts1: Sequence[Text], texts2: Sequence[Text], *, workers: int = ..., return_scores: Literal[False] = ...
) -> npt.NDArray[np.float64]: ...
@overload
def cpdist(
    texts1: Sequence[Text], texts2: Sequence[Text], *, workers: int = ..., return_scores: Literal[True]
) -> tuple[npt.NDArray[np.float64], npt.NDArray[np.int16], npt.NDArray[np.int8]]: ...
def cdist(
    queries: Sequence[Text], choices: Sequence[Text], *, workers: int = ..., score_cutoff: Optional[float] = ...
) -> npt.NDArray[np.float64]: ...
@overload
def extract(
    query: str, choices: Mapping[Key, Text], *, limit: Optional[int] = ..., score_cutoff: Optional[float] = ...,
    workers: int = ...
) -> list[tuple[Text, Optional[float], Key]]: ...
@overload
def extract(
    query: str, choices: Sequence[Text], *, limit: Optional[int] = ..., score_cutoff: Optional[float] = ...,
    workers: int = ...
) -> list[tuple[Text, Optional[float], int]]: ...
