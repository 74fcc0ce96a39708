// Row counts whose truncation hangs on the last bit of the quotient, checked without
// GoogleTest so that a cross build (MinGW under Wine) can run them: the correction in
// row_count relies on std::fma being exactly fused, which some C runtimes only emulate.
#include "sweep/sweep.hpp"
#include "tests/row_count_cases.hpp"

#include <cstdint>
#include <cstdio>

int main() {
    int failures = 0;
    for (const auto& c : zelm::test_cases::row_count_cases) {
        const std::int32_t rows = zelm::row_count(c.height, c.step);
        if (rows != c.rows) {
            std::printf("row_count(%.9g, %.9g) = %ld, expected %ld\n", static_cast<double>(c.height),
                        static_cast<double>(c.step), static_cast<long>(rows), static_cast<long>(c.rows));
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
