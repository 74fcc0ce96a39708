#include "messages/templates.hpp"

#include <array>
#include <stdexcept>
#include <string>

namespace zelm {
namespace {

constexpr auto said_count = static_cast<std::size_t>(Said::said_count);

// Every family's templates, by id.
std::array<std::string_view, said_count> all_templates() {
    std::array<std::string_view, said_count> texts{};
    for (const auto family : {rule_templates(), finding_templates(), answer_templates(), console_templates(),
                              file_templates(), host_templates()}) {
        for (const Template& t : family) {
            texts.at(static_cast<std::size_t>(t.id)) = t.text;
        }
    }
    return texts;
}

}  // namespace

std::string_view template_of(Said id) {
    static const std::array<std::string_view, said_count> texts = all_templates();
    const std::string_view text = texts.at(static_cast<std::size_t>(id));
    if (text.empty()) {
        throw std::logic_error("no template for what is said as " + std::to_string(static_cast<int>(id)));
    }
    return text;
}

}  // namespace zelm
