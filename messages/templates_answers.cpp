// The words of the answers to slopes that stand: the check's line, Bishop's line, their
// refusals and cautions, and what a workbook says of its Bishop cells.
#include "messages/templates.hpp"

#include <array>

namespace zelm {
namespace {

constexpr std::array<Template, 0> templates{};

}  // namespace

std::span<const Template> answer_templates() { return templates; }

}  // namespace zelm
