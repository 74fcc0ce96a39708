// libFuzzer harness: the row formatter and the chart lookup on arbitrary float bit
// patterns (NaN payloads, infinities, subnormals, signed zeros, the largest floats).
// Every row must keep its layout, and its numbers must read as the C library's "%.0f"
// prints them.
#include "chart/chart1.hpp"
#include "chart/coordinates.hpp"
#include "dialogue/dialogue.hpp"
#include "dialogue/result_format.hpp"
#include "fuzz/row_layout.hpp"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace {

void check(bool fact, const char* what, float value) {
    if (!fact) {
        std::fprintf(stderr, "format fuzzer: %s for %a\n", what, static_cast<double>(value));
        std::abort();
    }
}

// The next four bytes as a float bit pattern, or 0 bits past the end.
std::uint32_t take_bits(const std::uint8_t*& data, std::size_t& size) {
    std::uint32_t bits = 0;
    const std::size_t n = size < sizeof bits ? size : sizeof bits;
    std::memcpy(&bits, data, n);
    data += n;
    size -= n;
    return bits;
}

float take_float(const std::uint8_t*& data, std::size_t& size) {
    const std::uint32_t bits = take_bits(data, size);
    float value = 0.0F;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::string printf_whole(double value) {
    char text[400];
    const int length = std::snprintf(text, sizeof text, "%.0f", value);
    return {text, static_cast<std::size_t>(length)};
}

// The decimal-comma field built step by step from the chart helpers, with the integer part printed by the
// C library: the formatter's own digits must agree.
std::string reference_decimal_comma(float v) {
    if (!std::isfinite(v)) {
        return "";
    }
    const float magnitude = std::fabs(v);
    float integer_part = zelm::tronquer(magnitude, 0);
    auto digits = static_cast<int>(std::nearbyint(zelm::decimale(magnitude) * 100.0F));
    if (digits == 100) {
        integer_part += 1.0F;
        digits = 0;
    }
    std::string field = " ";
    if (v < 0.0F && (integer_part > 0.0F || digits > 0)) {
        field += '-';
    }
    field += printf_whole(static_cast<double>(integer_part));
    field += ',';
    field += static_cast<char>('0' + digits / 10);
    field += static_cast<char>('0' + digits % 10);
    return field;
}

void check_decimal_comma(float v) {
    // Exactly as long as the longest field may be, on the heap: one byte more is an
    // address-sanitizer report.
    const auto field = std::make_unique<char[]>(zelm::max_decimal_comma_length);
    const char* end = zelm::put_decimal_comma(field.get(), v);
    const std::string_view text(field.get(), static_cast<std::size_t>(end - field.get()));
    check(text == reference_decimal_comma(v), "put_decimal_comma differs from the reference", v);
}

void check_chart(float x, float y) {
    const std::int32_t verdict = zelm::validite(x, y);
    check(verdict == zelm::no_verdict || verdict == zelm::inside_chart || verdict == zelm::beyond_chart,
          "validite out of its three verdicts", x);
    const auto angle = zelm::pente(x, y);
    check(angle.has_value() == (verdict != zelm::no_verdict), "pente and validite disagree", x);
    if (angle) {
        check(std::isnan(*angle) || *angle <= 90.0F, "an angle beyond 90 degrees", y);
        if (verdict == zelm::beyond_chart) {
            check(*angle == 90.0F, "beyond the chart but not 90 degrees", y);
        }
    }
    const float coefficients[] = {zelm::C4(x), zelm::C3(x), zelm::C2(x), zelm::C1(x), zelm::C0(x)};
    if (verdict == zelm::no_verdict) {
        for (const float c : coefficients) {
            check(std::isnan(c) || c == 0.0F, "a coefficient for x without a row", x);
        }
    }
}

void check_decimal_helpers(float value, std::int32_t n) {
    const float fraction = zelm::decimale(value);
    if (std::isfinite(value)) {
        check(std::fabs(fraction) < 1.0F, "decimale not below 1", value);
        check(fraction == 0.0F || std::signbit(fraction) == std::signbit(value), "decimale changed sign",
              value);
    } else {
        check(std::isnan(fraction), "decimale of a non-finite value is a number", value);
    }
    (void)zelm::tronquer(value, n);
    (void)zelm::arrondir(value, n);
    (void)zelm::tronquer(value, 0);
    (void)zelm::arrondir(value, 2);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view raw(reinterpret_cast<const char*>(data), size);
    if (const auto entry = zelm::parse_entry(raw)) {
        check(std::isfinite(*entry), "parse_entry gave a non-finite value", *entry);
    }

    // One byte of flags (bit 0: the row has an angle), four floats, a decimal count.
    std::uint8_t flags = 0;
    if (size > 0) {
        flags = *data++;
        --size;
    }
    const zelm::SweepRow row{take_float(data, size), take_float(data, size), take_float(data, size),
                             std::nullopt};
    const float angle = take_float(data, size);
    const auto n = static_cast<std::int32_t>(take_bits(data, size));

    zelm::SweepRow with_angle = row;
    if ((flags & 1U) != 0) {
        with_angle.angle = angle;
    }
    zelm::RowBuffer buffer;
    const std::string_view line = zelm::format_row(buffer, with_angle);
    zelm::fuzz::check_row(line);
    const std::size_t last_tab = line.rfind('\t', line.size() - 4);
    const std::string_view angle_field = line.substr(last_tab + 1, line.size() - last_tab - 4);
    const bool angle_shown = with_angle.angle && std::isfinite(angle);
    check(angle_field == (angle_shown ? printf_whole(static_cast<double>(angle)) : ""),
          "the angle differs from printf's %.0f", angle);

    for (const float v : {row.height, row.x, row.y, angle}) {
        check_decimal_comma(v);
        check_decimal_helpers(v, n);
    }
    check_chart(row.x, row.y);
    check_chart(zelm::arrondir(row.x, 2), zelm::arrondir(row.y, 2));
    (void)zelm::A(row.height, row.x);
    (void)zelm::B(row.height, row.x, row.y, angle);
    return 0;
}
