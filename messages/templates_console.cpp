// The words of the command line's usage errors, the dialogue's refused entries and its
// end, the stops and a long run's progress.
#include "messages/templates.hpp"

#include <array>

namespace zelm {
namespace {

constexpr std::array<Template, 0> templates{};

}  // namespace

std::span<const Template> console_templates() { return templates; }

}  // namespace zelm
