// Rows per second of the height sweep, of the row formatting, and of both together
// into an in-memory sink, on the entries 30 2 2.5 H 0.01 1.5 (H / 0.01 rows).
#include "result/text_rows.hpp"
#include "sweep/sweep.hpp"

#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace {

zelm::ChartInputs slope_of(std::int64_t rows) {
    return {30.0F, 2.0F, 2.5F, static_cast<float>(rows) / 100.0F, 0.01F, 1.5F};
}

// Stands for the file: a 64 KiB block that fills and starts again, as a stdio buffer does.
struct Sink {
    std::array<char, std::size_t{1} << 16U> block{};
    std::size_t used = 0;
    std::size_t total = 0;

    void put(std::string_view bytes) {
        if (used + bytes.size() > block.size()) {
            benchmark::DoNotOptimize(block.data());
            used = 0;
        }
        std::memcpy(block.data() + used, bytes.data(), bytes.size());
        used += bytes.size();
        total += bytes.size();
    }
};

void sweep_only(benchmark::State& state) {
    const zelm::ChartInputs slope = slope_of(state.range(0));
    for (auto _ : state) {
        zelm::sweep(slope, [](const zelm::SweepRow& row) {
            benchmark::DoNotOptimize(row);
            return true;
        });
    }
    state.SetItemsProcessed(state.iterations() * zelm::row_count(slope.height, slope.definition));
}

void format_only(benchmark::State& state) {
    // One row of each kind the sweep gives: an angle of 90, an angle from the
    // polynomial, an empty angle.
    const zelm::SweepRow rows[] = {{1.0F, 0.38F, 1.39F, 90.0F, 90.0F},
                                   {95680.94F, 0.38F, 0.0F, 21.0F, 21.0F},
                                   {2.8999994F, 0.15F, 4.54F, std::nullopt, std::nullopt}};
    std::array<char, zelm::RowWriter::max_length> buffer{};
    Sink sink;
    for (auto _ : state) {
        for (const auto& row : rows) {
            const char* end = zelm::RowWriter().put(buffer.data(), row);
            sink.put({buffer.data(), static_cast<std::size_t>(end - buffer.data())});
        }
    }
    state.SetItemsProcessed(state.iterations() * 3);
    state.SetBytesProcessed(static_cast<std::int64_t>(sink.total));
}

// As the program writes the file: x and y cells reused while they stay the same.
void sweep_and_format(benchmark::State& state) {
    const zelm::ChartInputs slope = slope_of(state.range(0));
    std::array<char, zelm::RowWriter::max_length> buffer{};
    zelm::RowWriter rows;
    Sink sink;
    for (auto _ : state) {
        zelm::sweep(slope, [&](const zelm::SweepRow& row) {
            const char* end = rows.put(buffer.data(), row);
            sink.put({buffer.data(), static_cast<std::size_t>(end - buffer.data())});
            return true;
        });
    }
    state.SetItemsProcessed(state.iterations() * zelm::row_count(slope.height, slope.definition));
    state.SetBytesProcessed(static_cast<std::int64_t>(sink.total));
}

}  // namespace

BENCHMARK(sweep_only)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(format_only);
BENCHMARK(sweep_and_format)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
