# Bishop's factor of safety over arrays: published problems, the answer's independence of
# units and of scale, and the critical circle it comes with; under water and an earthquake;
# and the steepest degree that reaches a factor of safety, as the program's file has it.

import zipfile

import numpy as np
import pytest
from conftest import program_output

import zelm_fs

# phi, C', d, H, face angle | FS at least, at most: textbook slopes.
published = [
    # A slope of 2 horizontal to 1 vertical, 10 m high, phi 19.6, C' 3 kPa, d 20 kN/m3: the
    # benchmark's answer is 0.99 to 1.00 by Bishop's simplified method.
    pytest.param((19.6, 3, 20, 10, 26.565051177), 0.98, 1.00, id="2H:1V clay and sand"),
    # Taylor: a vertical cut in a clay without friction stands to H = 3.83 C'/d.
    pytest.param((0, 1, 1, 3.83, 90), 0.99, 1.01, id="vertical cut, phi 0"),
    pytest.param((0, 14.4, 18, 3.83 * 0.8, 90), 0.99, 1.01, id="vertical cut, phi 0, kPa"),
    # Without cohesion the critical circle shrinks to the face: tan(phi)/tan(beta).
    pytest.param((35, 0, 2, 10, 30), np.tan(np.radians(35)) / np.tan(np.radians(30)) - 1e-9,
                 np.tan(np.radians(35)) / np.tan(np.radians(30)) + 1e-3, id="sand, infinite slope"),
]


@pytest.mark.parametrize("values, least, most", published)
def test_published_slopes(values, least, most):
    fs = zelm_fs.bishop_factor_of_safety(*values)
    assert isinstance(fs, np.float64) and least <= fs <= most


def test_the_same_answer_at_any_scale_and_the_circle_scaled_with_the_height():
    # H, C' and d scaled by powers of 2 (exact in float32), C'/(d H) kept.
    phi, cohesion, angle = np.array([[0.0], [19.6], [35.0]]), np.array([3.0, 7.5]), np.array([[[30.0]], [[60.0]]])
    base = zelm_fs.bishop_factor_of_safety(phi, cohesion, 20, 10, angle, circle=True)
    assert base.factor_of_safety.shape == (2, 3, 2) and not np.isnan(base.factor_of_safety).any()
    for k, j in ((4.0, 1.0), (0.5, 1.0), (2.0, 2.0), (1.0, 0.25)):
        scaled = zelm_fs.bishop_factor_of_safety(phi, cohesion * k * j, 20 * j, 10 * k, angle, circle=True)
        np.testing.assert_allclose(scaled.factor_of_safety, base.factor_of_safety, rtol=1e-12)
        for mine, its in zip(scaled[1:], base[1:], strict=True):
            np.testing.assert_allclose(mine, np.asarray(its) * k, rtol=1e-9, atol=1e-9)


def test_the_circle_enters_the_crest_and_leaves_at_or_beyond_the_toe():
    fs, x, y, radius, entry, leaving = zelm_fs.bishop_factor_of_safety(19.6, 3, 20, 10, 26.565051177, circle=True)
    assert entry >= 20 - 1e-9 and leaving <= 0 and fs == zelm_fs.bishop_factor_of_safety(19.6, 3, 20, 10, 26.565051177)
    for point in ((entry, 10.0), (leaving, 0.0)):  # both ends on the circle
        assert np.hypot(point[0] - x, point[1] - y) == pytest.approx(radius, rel=1e-9)
    assert y >= 10  # the centre no lower than the crest


# Under water and an earthquake, without cohesion: the shallow slide's infinite slope,
# (cos(b) - kh sin(b) - ru / cos(b)) tan(phi) / (sin(b) + kh cos(b)); saturated to the
# surface, ru = gamma_w / d; and the critical kh, tan(phi - b) on a dry slope.
def infinite_slope(phi, beta, ru=0.0, kh=0.0):
    p, b = np.radians(phi), np.radians(beta)
    return (np.cos(b) - kh * np.sin(b) - ru / np.cos(b)) * np.tan(p) / (np.sin(b) + kh * np.cos(b))


@pytest.mark.parametrize("keywords, expected", [
    (dict(ru=0.2), infinite_slope(30, 25, ru=0.2)),
    (dict(kh=0.1), infinite_slope(30, 25, kh=0.1)),
    (dict(ru=0.2, kh=0.1), infinite_slope(30, 25, ru=0.2, kh=0.1)),
    (dict(water="surface"), infinite_slope(30, 25, ru=9.81 / 19.6)),
])
def test_the_shallow_slide_under_water_and_an_earthquake(keywords, expected):
    fs = zelm_fs.bishop_factor_of_safety(30, 0, 19.6, 10, 25, units="si", **keywords)
    assert fs == pytest.approx(expected, rel=1e-6)


def test_water_and_an_earthquake_lower_the_factor_of_safety_and_the_critical_kh_gives_1():
    at = dict(phi=30, cohesion=20, density=19.6, height=20, angle=31, units="si")
    dry = zelm_fs.bishop_factor_of_safety(**at)
    wetter = [zelm_fs.bishop_factor_of_safety(**at, water=w) for w in ("8H", "4H", "2H", "surface")]
    assert dry >= wetter[0] and all(a >= b for a, b in zip(wetter, wetter[1:]))
    kh = zelm_fs.critical_kh(**at, ru=0.25)
    assert zelm_fs.bishop_factor_of_safety(**at, ru=0.25, kh=kh) == pytest.approx(1.0, abs=0.005)
    assert zelm_fs.critical_kh(30, 0, 19.6, 10, 25, units="si") == pytest.approx(np.tan(np.radians(5)), rel=1e-3)


@pytest.mark.parametrize("keywords, message", [
    (dict(ru=1.2), "^ru: the pore-pressure ratio 1.2 is not at least 0 and below 1$"),
    (dict(water="4X"), "^water: '4X' is no water table"),
    (dict(ru=0.1, water="4H"), "^ru cannot go with water"),
    (dict(wet_crack=True), "^wet_crack needs crack"),
    (dict(kh="0,1"), "^kh: '0,1' is written with a decimal comma"),
])
def test_conditions_refused_by_their_keyword(keywords, message):
    with pytest.raises(ValueError, match=message):
        zelm_fs.bishop_factor_of_safety(30, 20, 19.6, 20, 31, units="si", **keywords)


def test_a_slope_that_fails_without_an_earthquake_has_no_critical_kh():
    with pytest.warns(zelm_fs.ZelmWarning, match="without an earthquake is 0.861"):
        kh = zelm_fs.critical_kh(30, [0, 20], 19.6, 10, 25, units="si", ru=0.25)
    assert np.isnan(kh[0]) and kh[1] > 0


# The steepest whole degree reaching FS: its own factor of safety reaches FS, one degree
# steeper does not; without cohesion, the infinite slope's atan(tan(phi) / FS) rounded
# down; never less steep than the chart's angle, which is conservative against the method.
@pytest.mark.parametrize("material, fs, keywords", [
    ((30, 2, 2.5, 10), 1.5, {}),
    ((30, 20, 19.6, 10), 1.3, dict(ru=0.25, units="si")),
    ((30, 20, 19.6, 10), 1.3, dict(water="2H", units="si")),
    ((25, 15, 19.6, 12), 1.2, dict(kh=0.15, units="si")),
    ((35, 10, 19.6, 8), 1.3, dict(crack="auto", wet_crack=True, units="si")),
])
def test_the_bishop_angle_is_the_steepest_degree_that_reaches_fs(material, fs, keywords):
    angle = zelm_fs.bishop_angle(*material, fs, **keywords)
    assert angle == np.floor(angle) and 1 <= angle < 90
    assert zelm_fs.bishop_factor_of_safety(*material, angle, **keywords) >= fs
    assert zelm_fs.bishop_factor_of_safety(*material, angle + 1, **keywords) < fs


def test_the_bishop_angle_of_a_sand_and_beside_the_chart():
    phi, fs = np.array([15.0, 25.0, 35.0]), np.array([[1.1], [1.3], [1.5]])
    expected = np.floor(np.degrees(np.arctan(np.tan(np.radians(phi)) / fs.astype(np.float32))))
    np.testing.assert_array_equal(zelm_fs.bishop_angle(phi, 0, 2, 10, fs), expected)
    heights = np.array([2.0, 5.0, 10.0, 20.0])
    chart = zelm_fs.slope_angle(30, 2, 2.5, heights, 1.5)
    assert (zelm_fs.bishop_angle(30, 2, 2.5, heights, 1.5) >= np.floor(chart)).all()


def test_water_and_an_earthquake_flatten_the_bishop_angle():
    at = dict(phi=30, cohesion=20, density=19.6, height=10, fs=1.3, units="si")
    angles = [zelm_fs.bishop_angle(**at, **k) for k in (
        {}, dict(water="8H"), dict(water="4H"), dict(water="2H"), dict(water="surface"))]
    assert all(a >= b for a, b in zip(angles, angles[1:])) and angles[0] > angles[-1]
    assert zelm_fs.bishop_angle(**at, ru=9.81 / 19.6) == angles[-1]
    assert zelm_fs.bishop_angle(**at) > zelm_fs.bishop_angle(**at, kh=0.1) > zelm_fs.bishop_angle(**at, kh=0.2)


def test_elements_without_a_bishop_angle_are_nan_and_told():
    with pytest.warns(zelm_fs.ZelmWarning) as told:
        angle = zelm_fs.bishop_angle([30, 30, 1, np.nan], [2, -1, 0, 2], 2.5, 10, [1.5, 1.5, 1.5, 1.5])
    assert angle[0] == 43 and np.isnan(angle[1:]).all()
    said = str(told[0].message)
    assert "1 of 4 elements describes no slope, and is NaN (cohesion[1]): the cohesion -1 is below 0" in said
    assert ("1 of 4 elements has no whole degree whose factor of safety by Bishop's method reaches fs, and is NaN "
            "(element [2]): not even a slope of 1 degree reaches FS 1.5 by Bishop's method") in said
    with pytest.warns(zelm_fs.ZelmWarning, match=r"\(fs\[0\]\): the factor of safety 0 is not above 0"):
        assert np.isnan(zelm_fs.bishop_angle(30, 2, 2.5, 10, [0]))[0]


def test_under_a_water_table_the_steepest_degree_is_looked_for_past_flatter_ones_that_fail():
    # A water table meeting the ground 2 heights behind the toe: flatter than about 27
    # degrees the face is wet to its crest, steeper it stands above the water, and FS rises
    # again from 27 to 36 degrees.
    at = dict(phi=30, cohesion=20, density=19.6, height=15, units="si", water="2H")
    degrees = np.arange(1, 91)
    fs = zelm_fs.bishop_factor_of_safety(**at, angle=degrees)
    assert fs[27 - 1] < fs[26 - 1] and fs[27 - 1] < fs[36 - 1]
    for target in (1.25, 1.3, 1.5):
        steepest = degrees[fs >= np.float32(target)].max()
        assert zelm_fs.bishop_angle(**at, fs=target) == steepest


def test_a_run_under_water_keeps_the_chart_rows_and_says_so(tmp_path):
    dry = zelm_fs.sweep(30, 20, 19.6, 10, 1, 1.3, units="si")
    with pytest.warns(zelm_fs.ZelmWarning, match="chart 1 is the chart of a drained slope that stands still: "
                      "its angles leave out pore pressure ru 0.25 and seismic coefficient kh 0.1"):
        wet = zelm_fs.sweep(30, 20, 19.6, 10, 1, 1.3, units="si", ru=0.25, kh=0.1)
    np.testing.assert_array_equal(wet.angle, dry.angle)
    dry.write(tmp_path / "dry.xls")
    wet.write(tmp_path / "wet.xls")
    assert (tmp_path / "dry.xls").read_bytes() == (tmp_path / "wet.xls").read_bytes()
    wet.write_workbook(tmp_path / "wet.xlsx")  # its header names the conditions, a line each
    sheet = zipfile.ZipFile(tmp_path / "wet.xlsx").read("xl/worksheets/sheet1.xml").decode()
    assert "<t>ru</t>" in sheet and "<t>kh</t>" in sheet and "<t>pore-pressure ratio</t>" in sheet
    with pytest.raises(ValueError, match="^kh: the seismic coefficient 1 is not at least 0 and below 1$"):
        zelm_fs.sweep(30, 20, 19.6, 10, 1, 1.3, units="si", kh=1)


# The program's file of Bishop's angles (--angles bishop) holds, row for row, the module's
# bishop_angle at the row's printed height: one method, one answer, whichever way in.
def test_the_program_s_bishop_angles_are_the_module_s():
    wanted = program_output("-o", "-", "--units", "si", "--angles", "bishop", "--water", "2H", "--kh", "0.1",
                            "--", "30", "20", "19.6", "20", "2", "1.3")
    rows = [line.split("\t") for line in wanted.decode("cp1252").split("\r\n")[6:-1]]
    heights = [float(row[0].replace(",", ".")) for row in rows]
    angles = [float(row[3]) if row[3] else np.nan for row in rows]
    found = zelm_fs.bishop_angle(30, 20, 19.6, heights, 1.3, units="si", water="2H", kh=0.1)
    np.testing.assert_array_equal(found, angles)
