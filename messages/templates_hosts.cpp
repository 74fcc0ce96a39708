// The words the page and the Python module say of their own.
#include "messages/templates.hpp"

#include <array>

namespace zelm {
namespace {

constexpr std::array<Template, 0> templates{};

}  // namespace

std::span<const Template> host_templates() { return templates; }

}  // namespace zelm
