// One run as the program makes it, held for Python: the six values as the program reads
// them, the rows as numpy arrays, the warnings the program would print, and the two files
// it writes, written on request.
#pragma once

#include "python/conditions.hpp"
#include "result/run_columns.hpp"
#include "sweep/chart_inputs.hpp"
#include "sweep/design_run.hpp"

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace zelm::python {

class SweepResult {
  public:
    // The run of these values (each read by read_value), in the units named by `units`
    // ("tonnes" or "si", else ValueError), its result file holding the angles named by
    // `angles` ("chart" or "confirmed"): every row, made with the GIL released. A run
    // whose arrays could never fit in this machine's memory is refused with MemoryError
    // before anything is allocated; Ctrl-C stops it with KeyboardInterrupt.
    SweepResult(pybind11::handle phi, pybind11::handle cohesion, pybind11::handle density,
                pybind11::handle height, pybind11::handle step, pybind11::handle fs, pybind11::handle units,
                pybind11::handle angles, const ConditionKeywords& conditions);

    const ChartInputs& entered() const { return entered_; }
    std::size_t rows() const { return static_cast<std::size_t>(columns_.front().size()); }

    // The rows' values of the column at `place` in run_columns, one element a row, as the
    // column reads them (NaN where a row has none; the heights added up in single
    // precision, as the file's are): float32, read-only.
    const pybind11::array_t<float>& column(std::size_t place) const { return columns_.at(place); }

    // The program's warning sentences for this run, in its order.
    const std::vector<std::string>& warnings() const { return warnings_; }

    // The result file, byte for byte the program's, and the workbook, at `path` (a str,
    // bytes or os.PathLike), each written beside its target and moved over it once
    // complete: an earlier file is kept when the new one cannot be written, which is an
    // OSError with the errno, the system's words and the name as given. The result file,
    // which is text, is not written under a workbook's name (.xlsx), nor under "-", the
    // command line's name for standard output: ValueError.
    void write(const pybind11::object& path) const;
    void write_workbook(const pybind11::object& path) const;

  private:
    // The rows kept in the arrays, as a writer takes them: a run's files are written from
    // them, without sweeping again.
    KeptRows kept_rows() const;

    ChartInputs entered_;
    std::unique_ptr<DesignRun> run_;  // the run, made once from the sweep into the arrays
    std::array<pybind11::array_t<float>, run_columns.size()> columns_;
    std::vector<std::string> warnings_;
};

}  // namespace zelm::python
