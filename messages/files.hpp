// What a run tells of the files it writes that the files family's templates
// (messages/templates_files.cpp) do not already make from a Failure (files/failure.hpp).
#pragma once

#include "files/failure.hpp"

#include <string>

namespace zelm {

// Why the result file, which is text, is not written under a workbook's name, given as
// `name`: "'slope.xlsx' is a workbook's name, and the result file is tab-separated text".
std::string text_under_a_workbook_name(const std::string& name);

// A failure's reason, and what was checked and found ("" where nothing was), in words: for
// a host that tells them apart (Python's OSError, the page's line).
std::string reason_words(const Failure& failure);
std::string found_words(const Failure& failure);

}  // namespace zelm
