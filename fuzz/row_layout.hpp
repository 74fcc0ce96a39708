// The layout every row of the result file must have, checked by both fuzzers.
#pragma once

#include "dialogue/result_format.hpp"

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace zelm::fuzz {

// Stops the run with a message, so that libFuzzer records the input as a crash.
[[noreturn]] inline void fail(const char* what, std::string_view row) {
    std::fprintf(stderr, "row layout broken: %s in \"%.*s\"\n", what, static_cast<int>(row.size()),
                 row.data());
    std::abort();
}

inline bool is_digit(char c) { return c >= '0' && c <= '9'; }

// A decimal-comma field: empty, or a space, an optional minus, digits, a comma, two digits.
inline bool is_decimal_comma_field(std::string_view field) {
    if (field.empty()) {
        return true;
    }
    if (field.size() > max_decimal_comma_length || field.front() != ' ') {
        return false;
    }
    field.remove_prefix(1);
    if (!field.empty() && field.front() == '-') {
        field.remove_prefix(1);
    }
    const std::size_t comma = field.find(',');
    if (comma == 0 || comma == std::string_view::npos || field.size() != comma + 3) {
        return false;
    }
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (i != comma && !is_digit(field[i])) {
            return false;
        }
    }
    return true;
}

// The angle field: empty, or an optional minus and whole degrees.
inline bool is_angle_field(std::string_view field) {
    if (!field.empty() && field.front() == '-') {
        field.remove_prefix(1);
        if (field.empty()) {
            return false;
        }
    }
    for (const char c : field) {
        if (!is_digit(c)) {
            return false;
        }
    }
    return true;
}

// Exactly four TABs then CR LF at the end, no other control byte, at most
// max_row_length bytes, and each field as the format promises. Aborts otherwise.
inline void check_row(std::string_view row) {
    if (row.size() > max_row_length) {
        fail("longer than max_row_length", row);
    }
    if (row.size() < 6 || row.substr(row.size() - 3) != "\t\r\n") {
        fail("no TAB CR LF at the end", row);
    }
    std::string_view fields = row.substr(0, row.size() - 2);
    std::string_view cells[4];
    for (std::string_view& cell : cells) {
        const std::size_t tab = fields.find('\t');
        if (tab == std::string_view::npos) {
            fail("fewer than four TABs", row);
        }
        cell = fields.substr(0, tab);
        fields.remove_prefix(tab + 1);
    }
    if (!fields.empty()) {
        fail("text after the fourth TAB", row);
    }
    for (const std::string_view cell : cells) {
        for (const char c : cell) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte < 0x20 || byte == 0x7F) {
                fail("a control byte inside a field", row);
            }
        }
    }
    for (int i = 0; i < 3; ++i) {
        if (!is_decimal_comma_field(cells[i])) {
            fail("a malformed decimal-comma field", row);
        }
    }
    if (!is_angle_field(cells[3])) {
        fail("a malformed angle field", row);
    }
}

}  // namespace zelm::fuzz
