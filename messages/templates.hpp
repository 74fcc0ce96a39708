// The words of everything the program says, as one table of templates: an id (entries/
// diagnostic.hpp) and its text with named slots (see render). Each family keeps its
// templates in a file of its own, templates_<family>.cpp; together they hold every id
// once.
#pragma once

#include "entries/diagnostic.hpp"

#include <span>
#include <string_view>

namespace zelm {

struct Template {
    Said id;
    std::string_view text;
};

// The families' tables.
std::span<const Template> rule_templates();
std::span<const Template> finding_templates();
std::span<const Template> answer_templates();
std::span<const Template> console_templates();
std::span<const Template> file_templates();
std::span<const Template> host_templates();

// The text of `id`'s template.
std::string_view template_of(Said id);

}  // namespace zelm
