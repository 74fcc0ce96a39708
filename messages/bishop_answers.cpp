#include "messages/bishop_answers.hpp"

#include "messages/bishop.hpp"

namespace zelm {

// The values the method refuses are those of bishop_refusal; the rest are the method's own.
std::size_t bishop_argument(BishopReason why) {
    switch (why) {
        case BishopReason::small_m_alpha:
        case BishopReason::no_convergence:
        case BishopReason::no_slip_circle:
        case BishopReason::none:
            return 5;
        default:
            break;
    }
    return bishop_typed_position(why);
}

std::string bishop_refusal(const SlopeToCheck& slope, const BishopResult& result) {
    if (bishop_argument(result.reason) == 5) {
        return why_bishop_gives_none(result) + ".";
    }
    return bishop_refusal(slope, result.reason);
}

}  // namespace zelm
