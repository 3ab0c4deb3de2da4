#!/usr/bin/python3
"""Generates the shipped physics tables Water.mix, Water.xfs and Mus2018.dat.

Usage: /usr/bin/python3 tools/make_physics_data.py OUTPUT_DIR

Every number comes from the xraylib database (Debian package python3-xraylib,
version 4.0.0); the generator uses only xraylib and the Python standard
library, has no randomness and no timestamps, so running it again reproduces
the committed files in data/ byte for byte. Files are plain ASCII with CR LF
line ends.

Water.mix -- liquid water H2O, density 1.0 g/cm3, mass coefficients in cm2/g:
  energy (MeV)          grid chosen below, 1 keV to 200 keV
  coherent              CS_Rayl_CP("H2O", E)
  incoherent            CS_Compt_CP("H2O", E)
  photoelectric         CS_Photo_CP("H2O", E)  (the total photoionisation
                        cross section; with the two above it adds up to
                        CS_Total_CP. The per-shell sum CS_Photo_Total_CP is
                        no alternative in this version: for water it falls
                        43 % below CS_Photo_CP at 20 keV and is undefined for
                        hydrogen above 60 keV)
  total with coherent   CS_Total_CP("H2O", E)          (not read by the engine)
  energy absorption     CS_Energy_CP("H2O", E)         (not read by the engine)
  The energy grid is built greedily: from each row the next row is put at
  the highest candidate energy for which the engine's log-log interpolation
  between the two rows -- replicated below in single precision, with the
  values as rounded in the file -- stays within MIX_TOLERANCE of xraylib for
  all three coefficients at every 0.05 keV and at every 0.5 keV bin between
  them. Candidates are 0.1 keV steps up to 10 keV, 0.5 keV steps up to
  50 keV and 1 keV steps up to 200 keV. Water has no absorption edge above
  the oxygen K edge at 0.53 keV, so the coefficients are smooth on this grid.

Water.xfs -- 45 rows, x = sin(theta/2)/lambda in 1/Angstrom:
  F(x) = sqrt(2 FF_Rayl(1, x)^2 + FF_Rayl(8, x)^2)   molecular form factor
  S(x) = 2 SF_Compt(1, x) + SF_Compt(8, x)           incoherent scattering
         function; S(0) = 0 (SF_Compt is not defined at x = 0)
  Row 1 is x = 0. Rows 2 to 39 lie at equal steps (1/39) of the cumulative
  integral of F(x)^2 x from 0 to 10 (Simpson's rule, step 1e-4), so each
  interval carries the same share of the coherent angular distribution;
  rows 40 to 45 (x = 4, 5, 6, 7, 8.5, 10) cover the tail beyond x = 4,
  which holds about 1 % of that integral, and the rest of S(x). The table ends at
  x = 10, where S has reached its limit of 10 electrons, so the last x is
  not below the last S. x is rounded to its four printed digits before F
  and S are evaluated at it.

Mus2018.dat -- 300 records, 0.5 to 150.0 keV in 0.5 keV steps, seven
comma-separated numbers each:
  1 photon energy, keV
  2 tungsten, linear attenuation coefficient, 1/cm: CS_Total(74, E) x 19.3
  3 aluminium, 1/cm: CS_Total(13, E) x 2.699
  4 copper, 1/cm: CS_Total(29, E) x 8.96
  5 dry air (near sea level), mass energy-absorption coefficient, cm2/g:
    CS_Energy_CP("Air, Dry (near sea level)", E), the composition of
    xraylib's NIST compound database
  6 water, linear attenuation coefficient, 1/cm: CS_Total_CP("H2O", E) x 1.0
  7 water, mass energy-absorption coefficient, cm2/g: CS_Energy_CP("H2O", E)
  xraylib's energy-absorption table starts at 1 keV. At 0.5 keV fields 5
  and 7 hold the photoelectric mass coefficient CS_Photo_CP instead: at
  such energies nearly all the energy of an absorbed photon stays in the
  medium (fluorescence yields of C, N, O are below 1 %) and scattering is a
  small part of the attenuation; at 1 keV the two differ by less than 0.3 %.
  The other fields are tabulated by xraylib down to 0.1 keV.
"""

import math
import struct
import sys
from pathlib import Path

import xraylib

WATER = "H2O"
WATER_DENSITY = 1.0  # g/cm3
DRY_AIR = "Air, Dry (near sea level)"
METALS = ((74, 19.3), (13, 2.699), (29, 8.96))  # Z, density in g/cm3

MIX_TOLERANCE = 0.001  # relative, design margin below the 0.5 % claim
MIX_LAST_KEV = 200.0
BIN_KEV = 0.5
BINS = 300

XFS_ROWS = 45
XFS_TAIL = (4.0, 5.0, 6.0, 7.0, 8.5, 10.0)  # last rows, 1/Angstrom
XFS_EQUAL_STEPS = XFS_ROWS - len(XFS_TAIL)  # rows 2.. at k / XFS_EQUAL_STEPS
XFS_LAST_X = XFS_TAIL[-1]

EOL = "\r\n"


def f32(value):
    """Rounds a double to the nearest single-precision value."""
    return struct.unpack("f", struct.pack("f", value))[0]


def sci(value, decimals):
    """Scientific notation as the fixed-width fields hold it: 1.234E-03."""
    return f"{value:.{decimals}E}"


def read_back(text):
    """The value a fixed-width field holds once the engine has read it."""
    return f32(float(text))


# --- Water.mix -------------------------------------------------------------

def water_coefficients(energy):
    return (
        xraylib.CS_Rayl_CP(WATER, energy),
        xraylib.CS_Compt_CP(WATER, energy),
        xraylib.CS_Photo_CP(WATER, energy),
    )


def mix_row(energy):
    """One row as the engine stores it: energy in keV, three coefficients."""
    mev = sci(energy / 1000.0, 3)
    coefs = [read_back(sci(c, 3)) for c in water_coefficients(energy)]
    return f32(read_back(mev) * 1000.0), coefs


def interpolate(lower, upper, energy):
    """The engine's coefficient lookup between two rows (log-log, float)."""
    (e1, c1), (e2, c2) = lower, upper
    ln_e = f32(math.log(f32(energy)))
    e_k = f32(math.log(e2))
    e_k1 = f32(math.log(e1))
    f = f32((ln_e - e_k1) / (e_k - e_k1))
    result = []
    for j in range(3):
        a = f32(math.log(c2[j]))
        b = f32(math.log(c1[j]))
        result.append(f32(math.exp((a - b) * f + b)))
    return result


def check_energies(lower, upper):
    """Energies in (lower, upper]: every 0.05 keV and every 0.5 keV bin."""
    fine = {round(k * 0.05, 2) for k in range(int(lower / 0.05) + 1, int(upper / 0.05) + 1)}
    bins = {k * BIN_KEV for k in range(1, BINS + 1) if lower < k * BIN_KEV <= upper}
    return sorted(e for e in fine | bins if lower < e <= upper)


def worst_error(lower_row, upper_row, reference):
    worst = 0.0
    for energy in check_energies(lower_row[0], upper_row[0]):
        got = interpolate(lower_row, upper_row, energy)
        for g, r in zip(got, reference(energy)):
            worst = max(worst, abs(g / r - 1.0))
    return worst


def mix_candidates():
    tenths = [k / 10 for k in range(10, 101)]
    halves = [k / 2 for k in range(21, 101)]
    units = [float(k) for k in range(51, int(MIX_LAST_KEV) + 1)]
    return tenths + halves + units


def design_mix_grid():
    cache = {}

    def reference(energy):
        if energy not in cache:
            cache[energy] = water_coefficients(energy)
        return cache[energy]

    candidates = mix_candidates()
    grid = [candidates[0]]
    i = 0
    while grid[-1] < MIX_LAST_KEV:
        lower = mix_row(grid[-1])
        best = i + 1
        for j in range(i + 1, len(candidates)):
            if worst_error(lower, mix_row(candidates[j]), reference) > MIX_TOLERANCE:
                break
            best = j
        grid.append(candidates[best])
        i = best
    return grid


def water_mix():
    grid = design_mix_grid()
    lines = [
        f"H2O  liquid water   xraylib {xraylib.__version__}: coherent, incoherent, "
        "photoelectric, total, energy absorption (cm2/g)",
        f"{WATER_DENSITY:.1f}",
        f"{len(grid)}",
    ]
    for energy in grid:
        columns = water_coefficients(energy) + (
            xraylib.CS_Total_CP(WATER, energy),
            xraylib.CS_Energy_CP(WATER, energy),
        )
        lines.append(sci(energy / 1000.0, 3) + "".join(f"{c:10.3E}" for c in columns))
    return lines


# --- Water.xfs -------------------------------------------------------------

def form_factor(x):
    return math.sqrt(2.0 * xraylib.FF_Rayl(1, x) ** 2 + xraylib.FF_Rayl(8, x) ** 2)


def incoherent_function(x):
    if x == 0.0:
        return 0.0
    return 2.0 * xraylib.SF_Compt(1, x) + xraylib.SF_Compt(8, x)


def weight(x):
    return form_factor(x) ** 2 * x


def cumulative_integral(upper, step=1e-4):
    """Returns (xs, I) with I(x) = integral of F^2 x from 0, Simpson's rule
    on panels of two steps, tabulated at the panel ends."""
    panels = round(upper / (2 * step))
    xs, values, total = [0.0], [0.0], 0.0
    for k in range(panels):
        x0 = 2 * k * step
        total += step / 3 * (weight(x0) + 4 * weight(x0 + step) + weight(x0 + 2 * step))
        xs.append(x0 + 2 * step)
        values.append(total)
    return xs, values


def invert(xs, values, target):
    """The x at which the tabulated cumulative integral reaches target."""
    lo, hi = 0, len(xs) - 1
    while hi - lo > 1:
        mid = (lo + hi) // 2
        if values[mid] < target:
            lo = mid
        else:
            hi = mid
    t = (target - values[lo]) / (values[hi] - values[lo])
    return xs[lo] + t * (xs[hi] - xs[lo])


def design_xfs_grid():
    xs, values = cumulative_integral(XFS_LAST_X)
    total = values[-1]
    grid = [0.0]
    for k in range(1, XFS_EQUAL_STEPS):
        grid.append(float(sci(invert(xs, values, total * k / XFS_EQUAL_STEPS), 3)))
    grid.extend(XFS_TAIL)
    assert len(grid) == XFS_ROWS and all(a < b for a, b in zip(grid, grid[1:]))
    return grid


def water_xfs():
    lines = []
    for x in design_xfs_grid():
        text = f"{x:10.3E}"
        x = float(text)
        lines.append(text + f"{form_factor(x):12.5E}{incoherent_function(x):12.5E}")
    return lines


# --- Mus2018.dat -----------------------------------------------------------

def energy_absorption(compound, energy):
    """Mass energy-absorption coefficient; below xraylib's 1 keV table start
    the photoelectric mass coefficient stands in for it."""
    if energy < 1.0:
        return xraylib.CS_Photo_CP(compound, energy)
    return xraylib.CS_Energy_CP(compound, energy)


def mus2018():
    lines = []
    for m in range(1, BINS + 1):
        energy = m * BIN_KEV
        fields = [xraylib.CS_Total(z, energy) * rho for z, rho in METALS]
        fields.append(energy_absorption(DRY_AIR, energy))
        fields.append(xraylib.CS_Total_CP(WATER, energy) * WATER_DENSITY)
        fields.append(energy_absorption(WATER, energy))
        lines.append(",".join([f"{energy:.1f}"] + [f"{v:.5E}" for v in fields]))
    return lines


def write(path, lines):
    path.write_bytes("".join(line + EOL for line in lines).encode("ascii"))


def main(argv):
    if len(argv) != 2:
        sys.exit(f"usage: {argv[0]} OUTPUT_DIR")
    out = Path(argv[1])
    out.mkdir(parents=True, exist_ok=True)
    write(out / "Water.mix", water_mix())
    write(out / "Water.xfs", water_xfs())
    write(out / "Mus2018.dat", mus2018())


if __name__ == "__main__":
    main(sys.argv)
