// The sweep allocates nothing: a run costs the same memory at ten rows and at ten
// million. Global operator new and delete are replaced in this test executable to
// count every allocation.
#include "result/text_file.hpp"
#include "result/text_format.hpp"
#include "sweep/sweep.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <filesystem>
#include <new>

namespace {

std::atomic<long> allocations{0};

void* allocate(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }

namespace zelm {
namespace {

// Allocations made while `work` runs.
template <typename Work>
long allocations_during(Work&& work) {
    const long before = allocations.load();
    work();
    return allocations.load() - before;
}

TEST(Allocation, NoneInTheSweepAndTheRowFormatting) {
    const ChartInputs slopes[] = {
        {to_radians(30.0F), 2.0F, 2.5F, 1000.0F, 0.01F, 1.5F},  // angles from the polynomial and 90
        {to_radians(10.0F), 2.0F, 2.5F, 1000.0F, 0.01F, 1.2F},  // x without a chart row
        {to_radians(0.0F), 2.0F, 2.5F, 1000.0F, 0.01F, 1.5F},   // infinite y
    };
    for (const ChartInputs& slope : slopes) {
        RowBuffer buffer;
        std::size_t rows = 0;
        const long counted = allocations_during([&] {
            sweep(slope, [&](const SweepRow& row) {
                if (!format_row(buffer, row).empty()) {
                    ++rows;
                }
                return true;
            });
        });
        EXPECT_EQ(counted, 0) << "friction angle " << slope.friction_angle;
        EXPECT_EQ(rows, 100000U);
    }
}

TEST(Allocation, TheResultFileCostsTheSameAtAnyRowCount) {
    const auto target = std::filesystem::temp_directory_path() / "zelm-allocation-test.xls";
    const auto allocations_for = [&](float height) {
        return allocations_during([&] {
            ASSERT_FALSE(write_result_file(target, {30.0F, 2.0F, 2.5F, height, 0.01F, 1.5F}).failure);
        });
    };
    const long ten_rows = allocations_for(0.1F);
    EXPECT_GT(ten_rows, 0);  // the counter sees the header's strings and the file's path
    EXPECT_EQ(allocations_for(1000.0F), ten_rows);  // 100000 rows
    std::filesystem::remove(target);
}

}  // namespace
}  // namespace zelm
