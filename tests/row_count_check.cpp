// Row counts whose truncation hangs on the last bit of the quotient, checked without
// GoogleTest so that a cross build (MinGW under Wine) can run them: the correction in
// row_count relies on std::fma being exactly fused, which some C runtimes only emulate.
#include "dialogue/sweep.hpp"

#include <cstdint>
#include <cstdio>

int main() {
    const struct {
        float height, step;
        std::int32_t rows;
    } cases[] = {
        {20.0F, 1.0F, 20},
        {3.0F, 0.1F, 29},  // 3 / 0.100000001 = 29.9999995
        {2147483520.0F, 1.0F, 2147483520},
        // The double quotient rounds up to 1073741889; the exact one is 1073741888.99999994.
        {2114445568.0F, 1.969230771F, 1073741888},
    };
    int failures = 0;
    for (const auto& c : cases) {
        const std::int32_t rows = zelm::row_count(c.height, c.step);
        if (rows != c.rows) {
            std::printf("row_count(%.9g, %.9g) = %ld, expected %ld\n", static_cast<double>(c.height),
                        static_cast<double>(c.step), static_cast<long>(rows), static_cast<long>(c.rows));
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
