#include "messages/files.hpp"

#include "messages/render.hpp"

namespace zelm {

std::string text_under_a_workbook_name(const std::string& name) {
    return render({Said::text_under_a_workbook_name, Field::none, {{"name", Text{name}}}});
}

std::string reason_words(const Failure& failure) {
    return render("{reason}", {Said::file_stopped, Field::none, {{"reason", reason_of(failure)}}});
}

std::string found_words(const Failure& failure) {
    return failure.found ? render(*failure.found) : std::string();
}

}  // namespace zelm
