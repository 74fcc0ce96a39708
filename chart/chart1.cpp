// Design chart 1 ("ABAC 1"): its table, its names, and its grid of angles. The one
// chart the program reads (design_chart), and the one file that knows its rows.
#include "chart/chart_grid.hpp"
#include "chart/design_chart.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>

namespace zelm {
namespace {

// A dash in the printed chart: the row has no such coefficient.
constexpr float dash = std::numeric_limits<float>::quiet_NaN();

// Chart 1, one line per printed row. Thresholds are the doubles nearest to the
// printed decimals, coefficients the floats nearest to them. The fits are used as
// printed; they are not smooth from row to row (thresholds rise at rows 21-23,
// 26-29, 53-54 and 74-75; C2 of row 37 dips), so a "corrected" value is a fault.
// clang-format off
constexpr std::array<ChartRow, 66> rows{{
    // key  threshold      C4         C3         C2        C1       C0
    {  10,  4.2,        dash,      dash,      dash,     dash,    dash    },
    {  20,  2.0,      24.326F, -103.69F,   119.85F,   19.852F, 11.248F },
    {  21,  1.7,      27.062F, -103.06F,   104.12F,   34.059F, 11.459F },
    {  22,  1.75,     33.833F, -123.39F,   116.61F,   36.903F, 12.256F },
    {  23,  1.78,     33.463F, -122.38F,   112.96F,   41.2F,   13.024F },
    {  24,  1.7,      40.206F, -141.82F,   127.24F,   40.859F, 13.736F },
    {  25,  1.7,      37.284F, -133.57F,   117.52F,   47.646F, 14.213F },
    {  26,  1.27,     54.542F, -159.04F,   113.1F,    60.972F, 13.993F },
    {  27,  1.28,     76.451F, -215.26F,   152.13F,   56.477F, 14.649F },
    {  28,  1.3,      72.986F, -204.24F,   134.6F,    67.398F, 15.145F },
    {  29,  1.32,     65.373F, -183.88F,   113.38F,   76.67F,  15.677F },
    {  30,  1.3,      87.977F, -228.77F,   129.43F,   81.465F, 16.698F },
    {  31,  1.25,    107.67F,  -254.56F,   126.4F,    87.864F, 17.106F },
    {  32,  1.23,    117.96F,  -269.11F,   124.39F,   93.587F, 17.596F },
    {  33,  1.2,     129.25F,  -276.93F,   109.74F,  103.96F,  18.008F },
    {  34,  1.1,     143.03F,  -317.34F,   141.32F,  100.46F,  18.779F },
    {  35,  1.1,     140.92F,  -292.85F,   106.38F,  114.16F,  19.161F },
    {  36,  0.99,    184.37F,  -352.87F,   118.79F,  120.24F,  19.825F },
    {  37,  0.96,    158.37F,  -295.96F,    76.276F, 132.07F,  20.248F },
    {  38,  0.91,    239.63F,  -408.3F,    106.88F,  136.48F,  20.652F },
    {  39,  0.89,    306.27F,  -503.06F,   134.88F,  140.12F,  20.936F },
    {  40,  0.86,    211.22F,  -321.69F,    26.271F, 160.49F,  21.621F },
    {  41,  0.83,    268.08F,  -396.73F,    45.787F, 163.69F,  22.219F },
    {  42,  0.8,     406.71F,  -562.85F,    88.678F, 164.66F,  23.1F   },
    {  43,  0.78,    338.74F,  -445.45F,    21.96F,  178.52F,  23.394F },
    {  44,  0.73,    411.23F,  -506.35F,    20.163F, 185.96F,  23.702F },
    {  45,  0.72,    426.31F,  -544.64F,    42.249F, 184.02F,  24.327F },
    {  46,  0.69,    429.11F,  -464.84F,   -41.386F, 203.9F,   24.419F },
    {  47,  0.685,   468.35F,  -509.2F,    -37.049F, 208.74F,  24.927F },
    {  48,  0.68,    513.57F,  -552.38F,   -35.983F, 213.09F,  25.573F },
    {  49,  0.67,    623.62F,  -599.42F,   -70.301F, 224.02F,  26.076F },
    {  50,  0.62,    695.72F,  -658.99F,   -63.001F, 229.0F,   26.494F },
    {  51,  0.6,     716.61F,  -709.64F,   -32.997F, 223.9F,   27.946F },
    {  52,  0.52,      0.0F,    105.95F,  -320.85F,  258.1F,   27.65F  },
    {  53,  0.508,     0.0F,    120.84F,  -343.61F,  265.15F,  28.132F },
    {  54,  0.55,      0.0F,    143.45F,  -375.59F,  274.73F,  28.64F  },
    {  55,  0.54,      0.0F,    183.72F,  -416.46F,  284.38F,  28.948F },
    {  56,  0.52,      0.0F,    297.02F,  -517.24F,  305.89F,  29.028F },
    {  57,  0.51,      0.0F,    322.11F,  -542.05F,  311.14F,  29.58F  },
    {  58,  0.49,      0.0F,    330.67F,  -555.76F,  314.88F,  30.244F },
    {  59,  0.48,      0.0F,    337.99F,  -571.86F,  320.75F,  30.417F },
    {  60,  0.47,      0.0F,    387.73F,  -618.58F,  331.59F,  30.553F },
    {  61,  0.46,      0.0F,    391.2F,   -624.33F,  331.38F,  31.596F },
    {  62,  0.45,      0.0F,    442.05F,  -660.4F,   336.29F,  32.125F },
    {  63,  0.44,      0.0F,    538.82F,  -736.41F,  350.2F,   32.598F },
    {  64,  0.425,     0.0F,    467.44F,  -704.81F,  348.8F,   33.2F   },
    {  65,  0.42,      0.0F,    575.25F,  -761.28F,  352.29F,  33.706F },
    {  66,  0.41,      0.0F,    753.01F,  -890.27F,  375.8F,   33.69F  },
    {  67,  0.4,       0.0F,    761.08F,  -901.16F,  377.98F,  34.289F },
    {  68,  0.39,      0.0F,    825.76F,  -957.06F,  389.74F,  34.589F },
    {  69,  0.38,      0.0F,    750.17F,  -925.7F,   387.73F,  35.173F },
    {  70,  0.375,     0.0F,    838.54F,  -975.44F,  393.44F,  35.419F },
    {  71,  0.362,     0.0F,    938.48F, -1038.3F,   403.12F,  35.627F },
    {  72,  0.355,     0.0F,   1153.1F,  -1148.2F,   413.39F,  36.377F },
    {  73,  0.35,      0.0F,   1147.4F,  -1159.6F,   416.58F,  37.062F },
    {  74,  0.33,      0.0F,   1359.5F,  -1264.7F,   429.4F,   37.185F },
    {  75,  0.334,     0.0F,   1216.5F,  -1216.7F,   427.47F,  37.64F  },
    {  76,  0.33,      0.0F,   1863.7F,  -1538.8F,   463.8F,   37.552F },
    {  77,  0.32,      0.0F,   1872.0F,  -1538.4F,   461.98F,  38.369F },
    {  78,  0.31,      0.0F,   1919.3F,  -1562.9F,   464.95F,  38.893F },
    {  79,  0.305,     0.0F,   1937.0F,  -1590.8F,   471.46F,  39.247F },
    {  80,  0.3,       0.0F,   2011.2F,  -1623.2F,   475.97F,  39.014F },
    {  85,  0.26,      0.0F,   dash,      dash,     dash,    dash    },
    {  90,  0.245,     0.0F,   dash,      dash,     dash,    dash    },
    {  95,  0.228,     0.0F,   dash,      dash,     dash,    dash    },
    { 100,  0.205,     0.0F,   dash,      dash,     dash,    dash    },
}};
// clang-format on

// The order the rows are held in, by key, which finding a row by its key relies on.
constexpr bool key_below(const ChartRow& row, const ChartRow& other) { return row.key < other.key; }
static_assert(std::is_sorted(rows.begin(), rows.end(), key_below));

const ChartGrid& grid();

constexpr DesignChart chart_1{
    .name = "chart 1",
    .label = "ABAC 1",
    .catalan_name =
        "l'\xC3\xA0"  // a-grave
        "bac 1",
    .rows = rows,
    .fitted = fitted_rows_of(rows),
    // From row 52 on the fits are cubic: their rows hold 0 for C4, and C4 is 0 for the
    // keys of this range that have no row as well.
    .first_cubic_key = 52,
    .grid = grid,
};

// Made on first use, once, whichever thread asks first.
const ChartGrid& grid() {
    static const ChartGrid angles(chart_1);
    return angles;
}

}  // namespace

const DesignChart& design_chart() { return chart_1; }

}  // namespace zelm
