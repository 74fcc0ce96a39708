#include "python/sweep_result.hpp"

#include "files/file_names.hpp"
#include "files/output_file.hpp"
#include "files/target.hpp"
#include "messages/files.hpp"
#include "messages/render.hpp"
#include "messages/units.hpp"
#include "python/arguments.hpp"
#include "python/interruption.hpp"
#include "result/text_file.hpp"
#include "result/workbook.hpp"
#include "sweep/sweep.hpp"

#include <pybind11/stl/filesystem.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <variant>

#include <unistd.h>

namespace zelm::python {

namespace py = pybind11;
using namespace pybind11::literals;

namespace {

// The float32 arrays of a run, one a column: an element of each a row.
using Arrays = std::array<py::array_t<float>, run_columns.size()>;
constexpr std::uint64_t bytes_per_row = run_columns.size() * sizeof(float);

// Rows between two looks at Ctrl-C: a fraction of a millisecond of work.
constexpr std::size_t rows_between_looks = std::size_t{1} << 16U;

// Refuses, before anything is allocated, a run whose arrays would take more than the
// machine's whole memory: such a run could never be held, and allocating it would end in
// the system taking memory from other processes, or in Python being killed.
void refuse_what_never_fits(std::int32_t rows) {
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long page_size = sysconf(_SC_PAGESIZE);
    if (pages <= 0 || page_size <= 0) {
        return;  // the system does not say: numpy tells when an allocation fails
    }
    const auto memory = static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(page_size);
    const std::uint64_t needed = static_cast<std::uint64_t>(rows) * bytes_per_row;
    if (needed > memory) {
        const auto gigabytes = [](std::uint64_t bytes) {
            return Fixed{static_cast<float>(static_cast<double>(bytes) / 1e9), 1};
        };
        const std::string said =
            render({Said::python_sweep_beyond_memory,
                    Field::none,
                    {{"rows", Count{rows}}, {"needed", gigabytes(needed)}, {"memory", gigabytes(memory)}}});
        PyErr_SetString(PyExc_MemoryError, said.c_str());
        throw py::error_already_set();
    }
}

py::array_t<float> read_only(py::array_t<float> array) {
    array.attr("setflags")("write"_a = false);
    return array;
}

// Sweeps the run of `entered` into `arrays`, each as long as the run, with the GIL
// released, and gives what the sweep found; Ctrl-C stops it between two slices of rows.
SweepSummary sweep_into(const ChartInputs& entered, Arrays& arrays, Interruption& interruption) {
    std::array<float*, run_columns.size()> data{};
    for (std::size_t place = 0; place < arrays.size(); ++place) {
        data.at(place) = arrays.at(place).mutable_data();
    }
    const py::gil_scoped_release released;
    const ShouldStop stop = interruption.check();
    Sweep sweep(entered);
    std::size_t i = 0;
    while (const SweepRow* row = sweep.next()) {
        for_each_run_column(
            [&](const RunColumn& column, std::size_t place) { data[place][i] = column.read(*row); });
        if (++i % rows_between_looks == 0 && asked_to_stop(stop)) {
            break;
        }
    }
    return sweep.summary();
}

// Why a file was not written, as Python tells it: OSError(errno, the system's words, the
// name as given), which Python turns into FileNotFoundError, PermissionError and the
// like; for a reason of the program's own, an OSError that says it with the name. What
// was checked and found, when the writer says, comes as a note.
[[noreturn]] void raise_os_error(const Failure& failure, py::handle name) {
    const py::object os_error = py::module_::import("builtins").attr("OSError");
    py::object error;
    const std::string reason = reason_words(failure);
    if (failure.errno_value() != 0) {
        error = os_error(failure.errno_value(), reason, name);
    } else {  // with no errno, Python would show a file name set apart as "[Errno None] None"
        error = os_error(render({Said::python_cannot_write,
                                 Field::none,
                                 {{"name", Text{std::string(py::str(name))}}, {"reason", Text{reason}}}}));
    }
    if (failure.found && py::hasattr(error, "add_note")) {
        error.attr("add_note")(found_words(failure));
    }
    PyErr_SetObject(reinterpret_cast<PyObject*>(Py_TYPE(error.ptr())), error.ptr());
    throw py::error_already_set();
}

// Opens `path` for `writer` and has `write` fill and commit it, with the GIL released;
// the file is dropped (its temporary removed) before anything is raised.
template <typename Write>
void write_file(py::handle path, Writer writer, Write&& write) {
    // os.fspath, as open() takes a name: a str, bytes or os.PathLike, else TypeError.
    const auto named = py::module_::import("os").attr("fspath")(path).cast<std::filesystem::path>();
    Interruption interruption;
    std::optional<Failure> failure;
    {
        const py::gil_scoped_release released;
        auto opened = OutputFile::open(find_target(named), writer);
        if (auto* refused = std::get_if<Failure>(&opened)) {
            failure = *refused;
        } else {
            failure = write(std::get<OutputFile>(opened), interruption.check());
        }
    }
    interruption.raise_if_interrupted();
    if (failure) {
        raise_os_error(*failure, path);
    }
}

}  // namespace

SweepResult::SweepResult(py::handle phi, py::handle cohesion, py::handle density, py::handle height,
                         py::handle step, py::handle fs, py::handle units, py::handle angles_named,
                         const ConditionKeywords& conditions)
    : entered_{read_value(phi, "phi"),
               read_value(cohesion, "cohesion"),
               read_value(density, "density"),
               read_value(height, "height"),
               read_value(step, "step"),
               read_value(fs, "fs"),
               units_of(units),
               angles_of(angles_named)} {
    entered_.conditions = conditions_of(conditions, entered_.units);
    const std::int32_t rows = row_count(entered_.height, entered_.definition);
    refuse_what_never_fits(rows);
    Arrays arrays;
    for (py::array_t<float>& array : arrays) {
        array = py::array_t<float>(static_cast<py::ssize_t>(rows));
    }
    Interruption interruption;
    const SweepSummary summary = sweep_into(entered_, arrays, interruption);
    interruption.raise_if_interrupted();
    for (std::size_t place = 0; place < arrays.size(); ++place) {
        columns_.at(place) = read_only(std::move(arrays.at(place)));
    }
    run_ = std::make_unique<DesignRun>(entered_, summary);
    for (const Diagnostic& finding : run_->findings()) {
        warnings_.push_back(render(finding));
    }
}

KeptRows SweepResult::kept_rows() const {
    KeptRows::Columns columns;
    for (std::size_t place = 0; place < columns.size(); ++place) {
        columns.at(place) = std::span<const float>(columns_.at(place).data(), rows());
    }
    return KeptRows(columns);
}

void SweepResult::write(const py::object& path) const {
    const py::object name = py::module_::import("os").attr("fsdecode")(path);
    if (py::str(name).equal(py::str("-"))) {
        refuse({Said::python_text_to_standard_output});
    }
    if (has_xlsx_extension(name.cast<std::filesystem::path>())) {
        refuse({Said::python_text_under_workbook_name,
                Field::none,
                {{"refusal", Text{text_under_a_workbook_name(name.cast<std::string>())}}}});
    }
    write_file(path, Writer::stream, [this](OutputFile& file, const ShouldStop& stop) {
        KeptRows rows = kept_rows();
        return write_result_file(file, entered_, rows, stop);
    });
}

void SweepResult::write_workbook(const py::object& path) const {
    write_file(path, Writer::library, [this](OutputFile& file, const ShouldStop& stop) {
        KeptRows rows = kept_rows();
        return zelm::write_workbook(file, *run_, rows, stop).failure;
    });
}

}  // namespace zelm::python
