// The docstrings of the Python module's core: fixed texts, which name the chart it reads.
// What the module says of a call, a run or a file is said as diagnostics (the python_
// ids of entries/diagnostic.hpp).
#pragma once

#include "chart/design_chart.hpp"

#include <string>

namespace zelm {

// The docstrings of zelm_fs._core, which reads `chart`; the package around it gives its
// public functions their own, longer ones. The arrays of a run's rows are told of by
// column_help (messages/columns.hpp).
struct PythonDocs {
    std::string module;
    std::string sweep_class;
    std::string warnings;
    std::string values;
    std::string units;
    std::string angles;
    std::string write;
    std::string write_workbook;
    std::string sweep;
    std::string slope_angles;
    std::string confirmed_angles;
    std::string factors_of_safety;
    std::string bishop_factors_of_safety;
    std::string bishop_angles;
    std::string bishop_draws;
    std::string probability_words;
    std::string draw_block;
    std::string failure_statistics;
};

PythonDocs python_docs(const DesignChart& chart);

}  // namespace zelm
