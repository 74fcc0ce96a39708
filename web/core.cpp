// The calculator's core as the page's script sees it, bound with embind. For now it
// offers two things: chart 1's slope angle at a point, and a workbook of one cell
// made by libxlsxwriter, so that the page can show a number from the chart, draw it
// and offer a download.
//
// embind rather than plain exported C functions: the script gets typed functions
// that take and return JavaScript values (numbers, null, a Uint8Array of bytes) and
// never reads or frees memory of the module by hand, and the same mechanism carries
// the structured rows of a sweep later.

#include <cstdio>
#include <limits>
#include <vector>

#include <emscripten/bind.h>
#include <emscripten/val.h>
#include <xlsxwriter.h>

#include "chart/chart1.hpp"

namespace {

// Slope angle of chart 1 at (x, y) in degrees, or NaN where x has no row in the chart.
double slope_angle(float x, float y) {
    const auto angle = zelm::pente(x, y);
    return angle ? static_cast<double>(*angle) : std::numeric_limits<double>::quiet_NaN();
}

// Reads a whole file of the module's in-memory file system; false when it cannot.
bool read_file(const char* path, std::vector<unsigned char>& bytes) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        return false;
    }
    unsigned char block[16384];
    std::size_t got = 0;
    while ((got = std::fread(block, 1, sizeof block, file)) > 0) {
        bytes.insert(bytes.end(), block, block + got);
    }
    const bool complete = std::ferror(file) == 0;
    std::fclose(file);
    return complete;
}

// A workbook whose one sheet holds VALUE in A1, as its bytes in a new Uint8Array, or
// null when libxlsxwriter cannot write it. The workbook is written into the module's
// in-memory file system (as the console program writes a file) and removed once read.
emscripten::val one_cell_workbook(double value) {
    const char* const path = "/tmp/zelm-fs-workbook.xlsx";
    lxw_workbook* const workbook = workbook_new(path);
    if (workbook == nullptr) {
        return emscripten::val::null();
    }
    lxw_worksheet* const sheet = workbook_add_worksheet(workbook, nullptr);
    const bool written = sheet != nullptr && worksheet_write_number(sheet, 0, 0, value, nullptr) == LXW_NO_ERROR;
    const bool closed = workbook_close(workbook) == LXW_NO_ERROR;  // frees the workbook in any case
    std::vector<unsigned char> bytes;
    const bool read = written && closed && read_file(path, bytes);
    std::remove(path);
    if (!read) {
        return emscripten::val::null();
    }
    // A view of the module's memory, copied by slice() into an array of its own: the
    // view would change under the script as soon as the module's memory grows.
    return emscripten::val(emscripten::typed_memory_view(bytes.size(), bytes.data())).call<emscripten::val>("slice");
}

}  // namespace

EMSCRIPTEN_BINDINGS(zelm_fs) {
    emscripten::function("slopeAngle", &slope_angle);
    emscripten::function("oneCellWorkbook", &one_cell_workbook);
}
