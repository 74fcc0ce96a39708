# Type stubs of the zelm_fs package, for editors and type checkers.
import os
from typing import Any, Generic, Literal, NamedTuple, TypeVar, overload

import numpy as np
import numpy.typing as npt
import pandas

__version__: str

_Value = float | int | str | np.floating[Any] | np.integer[Any]
_Number = float | int | np.floating[Any] | np.integer[Any]
_Path = str | bytes | os.PathLike[str] | os.PathLike[bytes]

class ZelmWarning(UserWarning): ...

class Sweep:
    @property
    def height(self) -> npt.NDArray[np.float32]: ...
    @property
    def x(self) -> npt.NDArray[np.float32]: ...
    @property
    def y(self) -> npt.NDArray[np.float32]: ...
    @property
    def angle(self) -> npt.NDArray[np.float32]: ...
    @property
    def confirmed_angle(self) -> npt.NDArray[np.float32]: ...
    @property
    def warnings(self) -> tuple[str, ...]: ...
    @property
    def values(self) -> tuple[float, float, float, float, float, float]: ...
    @property
    def units(self) -> Literal["tonnes", "si"]: ...
    @property
    def angles(self) -> Literal["chart", "confirmed"]: ...
    def __len__(self) -> int: ...
    def write(self, path: _Path = "ZELM_FS_result.xls") -> None: ...
    def write_workbook(self, path: _Path = "ZELM_FS_result.xlsx") -> None: ...
    def to_dataframe(self) -> pandas.DataFrame: ...

def sweep(
    phi: _Value,
    cohesion: _Value,
    density: _Value,
    height: _Value,
    step: _Value,
    fs: _Value,
    *,
    units: Literal["tonnes", "si"] = "tonnes",
    angles: Literal["chart", "confirmed"] = "chart",
    ru: float | None = None,
    water: float | int | str | None = None,
    crack: float | int | Literal["auto"] | None = None,
    wet_crack: bool = False,
    kh: float | None = None,
) -> Sweep: ...

_Units = Literal["tonnes", "si"] | None
@overload
def slope_angle(phi: _Number, cohesion: _Number, density: _Number, height: _Number, fs: _Number, *, units: _Units = None) -> np.float32: ...
@overload
def slope_angle(
    phi: npt.ArrayLike, cohesion: npt.ArrayLike, density: npt.ArrayLike, height: npt.ArrayLike, fs: npt.ArrayLike, *, units: _Units = None
) -> npt.NDArray[np.float32]: ...

@overload
def confirmed_angle(phi: _Number, cohesion: _Number, density: _Number, height: _Number, fs: _Number, *, units: _Units = None) -> np.float32: ...
@overload
def confirmed_angle(
    phi: npt.ArrayLike, cohesion: npt.ArrayLike, density: npt.ArrayLike, height: npt.ArrayLike, fs: npt.ArrayLike, *, units: _Units = None
) -> npt.NDArray[np.float32]: ...

_Float = TypeVar("_Float", np.float64, npt.NDArray[np.float64])
_Side = TypeVar("_Side", np.int8, npt.NDArray[np.int8])
_Exact = TypeVar("_Exact", np.bool_, npt.NDArray[np.bool_])

class FactorOfSafety(NamedTuple, Generic[_Float, _Side, _Exact]):
    lower: _Float
    upper: _Float
    side: _Side
    @property
    def exact(self) -> _Exact: ...
    @property
    def chart_lower(self) -> _Float: ...
    @property
    def chart_upper(self) -> _Float: ...

@overload
def factor_of_safety(
    phi: _Number, cohesion: _Number, density: _Number, height: _Number, angle: _Number, *, units: _Units = None
) -> FactorOfSafety[np.float64, np.int8, np.bool_]: ...
@overload
def factor_of_safety(
    phi: npt.ArrayLike,
    cohesion: npt.ArrayLike,
    density: npt.ArrayLike,
    height: npt.ArrayLike,
    angle: npt.ArrayLike,
    *,
    units: _Units = None,
) -> FactorOfSafety[npt.NDArray[np.float64], npt.NDArray[np.int8], npt.NDArray[np.bool_]]: ...

class BishopCircle(NamedTuple, Generic[_Float]):
    factor_of_safety: _Float
    centre_x: _Float
    centre_y: _Float
    radius: _Float
    entry_x: _Float
    exit_x: _Float

_Water = float | int | str | None
_Crack = float | int | Literal["auto"] | None

@overload
def bishop_factor_of_safety(
    phi: _Number,
    cohesion: _Number,
    density: _Number,
    height: _Number,
    angle: _Number,
    *,
    circle: Literal[False] = False,
    units: _Units = None,
    ru: float | None = None,
    water: _Water = None,
    crack: _Crack = None,
    wet_crack: bool = False,
    kh: float | None = None,
) -> np.float64: ...
@overload
def bishop_factor_of_safety(
    phi: _Number,
    cohesion: _Number,
    density: _Number,
    height: _Number,
    angle: _Number,
    *,
    circle: Literal[True],
    units: _Units = None,
    ru: float | None = None,
    water: _Water = None,
    crack: _Crack = None,
    wet_crack: bool = False,
    kh: float | None = None,
) -> BishopCircle[np.float64]: ...
@overload
def bishop_factor_of_safety(
    phi: npt.ArrayLike,
    cohesion: npt.ArrayLike,
    density: npt.ArrayLike,
    height: npt.ArrayLike,
    angle: npt.ArrayLike,
    *,
    circle: Literal[False] = False,
    units: _Units = None,
    ru: float | None = None,
    water: _Water = None,
    crack: _Crack = None,
    wet_crack: bool = False,
    kh: float | None = None,
) -> npt.NDArray[np.float64]: ...
@overload
def bishop_factor_of_safety(
    phi: npt.ArrayLike,
    cohesion: npt.ArrayLike,
    density: npt.ArrayLike,
    height: npt.ArrayLike,
    angle: npt.ArrayLike,
    *,
    circle: Literal[True],
    units: _Units = None,
    ru: float | None = None,
    water: _Water = None,
    crack: _Crack = None,
    wet_crack: bool = False,
    kh: float | None = None,
) -> BishopCircle[npt.NDArray[np.float64]]: ...
@overload
def critical_kh(
    phi: _Number,
    cohesion: _Number,
    density: _Number,
    height: _Number,
    angle: _Number,
    *,
    circle: Literal[False] = False,
    units: _Units = None,
    ru: float | None = None,
    water: _Water = None,
    crack: _Crack = None,
    wet_crack: bool = False,
) -> np.float64: ...
@overload
def critical_kh(
    phi: npt.ArrayLike,
    cohesion: npt.ArrayLike,
    density: npt.ArrayLike,
    height: npt.ArrayLike,
    angle: npt.ArrayLike,
    *,
    circle: Literal[False] = False,
    units: _Units = None,
    ru: float | None = None,
    water: _Water = None,
    crack: _Crack = None,
    wet_crack: bool = False,
) -> npt.NDArray[np.float64]: ...
@overload
def critical_kh(
    phi: npt.ArrayLike,
    cohesion: npt.ArrayLike,
    density: npt.ArrayLike,
    height: npt.ArrayLike,
    angle: npt.ArrayLike,
    *,
    circle: Literal[True],
    units: _Units = None,
    ru: float | None = None,
    water: _Water = None,
    crack: _Crack = None,
    wet_crack: bool = False,
) -> BishopCircle[npt.NDArray[np.float64]]: ...
@overload
def bishop_angle(
    phi: _Number,
    cohesion: _Number,
    density: _Number,
    height: _Number,
    fs: _Number,
    *,
    units: _Units = None,
    ru: float | None = None,
    water: _Water = None,
    crack: _Crack = None,
    wet_crack: bool = False,
    kh: float | None = None,
) -> np.float64: ...
@overload
def bishop_angle(
    phi: npt.ArrayLike,
    cohesion: npt.ArrayLike,
    density: npt.ArrayLike,
    height: npt.ArrayLike,
    fs: npt.ArrayLike,
    *,
    units: _Units = None,
    ru: float | None = None,
    water: _Water = None,
    crack: _Crack = None,
    wet_crack: bool = False,
    kh: float | None = None,
) -> npt.NDArray[np.float64]: ...

class normal:
    mean: float
    sd: float
    def __init__(self, mean: float, sd: float) -> None: ...

class lognormal:
    mean: float
    sd: float
    def __init__(self, mean: float, sd: float) -> None: ...

_Material = float | normal | lognormal | npt.ArrayLike

class FailureProbability(NamedTuple):
    probability: float
    interval: tuple[float, float]
    fs: npt.NDArray[np.float64]
    mean: float
    sd: float
    percentiles: dict[int, float]
    reliability_index: float
    reliability_index_lognormal: float
    unanswered: int
    draws: int
    method: Literal["bishop", "chart"]
    seed: int
    values: dict[str, npt.NDArray[np.float64]]
    def draws_needed(self, relative: float = 0.1) -> float: ...

def probability_of_failure(
    phi: _Material,
    cohesion: _Material,
    density: _Material,
    height: float,
    angle: float,
    *,
    draws: int = 100_000,
    seed: int | None = None,
    method: Literal["bishop", "chart"] = "bishop",
    correlation: float = 0.0,
    client: Any = None,
    units: _Units = None,
    ru: float | None = None,
    water: float | str | None = None,
    crack: float | str | None = None,
    wet_crack: bool = False,
    kh: float | None = None,
) -> FailureProbability: ...

@overload
def probability_angle(
    phi: _Material,
    cohesion: _Material,
    density: _Material,
    height: float,
    target: float,
    *,
    draws: int = 10_000,
    seed: int | None = None,
    method: Literal["bishop", "chart"] = "bishop",
    correlation: float = 0.0,
    units: _Units = None,
    ru: float | None = None,
    water: float | str | None = None,
    crack: float | str | None = None,
    wet_crack: bool = False,
    kh: float | None = None,
) -> float: ...
@overload
def probability_angle(
    phi: _Material,
    cohesion: _Material,
    density: _Material,
    height: npt.ArrayLike,
    target: float,
    *,
    draws: int = 10_000,
    seed: int | None = None,
    method: Literal["bishop", "chart"] = "bishop",
    correlation: float = 0.0,
    units: _Units = None,
    ru: float | None = None,
    water: float | str | None = None,
    crack: float | str | None = None,
    wet_crack: bool = False,
    kh: float | None = None,
) -> npt.NDArray[np.float64]: ...
