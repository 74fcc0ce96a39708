// Bishop's method as what is said of it (entries/diagnostic.hpp): the line --bishop gives
// a slope, why the method refuses a slope's values or fails on it, and what a design
// run's workbook says of its Bishop cells. The words are the templates'
// (messages/templates_answers.cpp).
#pragma once

#include "entries/diagnostic.hpp"
#include "slices/bishop.hpp"
#include "sweep/bishop_columns.hpp"
#include "sweep/chart_inputs.hpp"
#include "sweep/check.hpp"
#include "sweep/conditions.hpp"

#include <optional>
#include <vector>

namespace zelm {

// Why the method fails on a slope that is one, as a clause for a sentence that has
// already named the method: "m_alpha falls to 0.15, below 0.2, on a slice ...".
Diagnostic method_fails(const BishopResult& result);

// Why there is no factor of safety, as a clause: "the friction angle 90 is not at least 0
// and below 90 degrees", or "Bishop's method does not apply: m_alpha falls ...". Only for
// a result whose reason is not none.
Diagnostic bishop_refusal(const SlopeToCheck& slope, const BishopResult& result);

// What else the engineer should know of an answer (see cautions): below 1, and the
// slices under the crest in tension, which a tension crack there would relieve at the
// cost of their resistance.
Diagnostic bishop_cautions(const BishopResult& result);

// The answer in one line, its factor of safety rounded down to three decimals and the
// critical circle to the centimetre:
// "FS 0.985 (Bishop's method; critical circle, in m from the toe: centre x = -0.47,
// y = 28.65, radius 28.65, entering the crest at x = 21.28, leaving the ground at
// x = 0.00)", then the cautions. Where the method gives no factor of safety, the refusal.
// The conditions a slope stands under, as clauses: "pore pressure ru 0.25, a water table
// reaching the ground 4 heights behind the toe and seismic coefficient kh 0.1"; an
// automatic crack by its depth where found, otherwise by how deep it goes.
Clauses conditions_said(const GivenConditions& given, std::optional<double> crack_found = std::nullopt);

// Under conditions other than dry and still, the line names them after the method; with
// the critical seismic coefficient, it ends with it.
Diagnostic bishop_line(const SlopeToCheck& slope, const BishopResult& result, const SlopeConditions& on = {},
                       const std::optional<CriticalKh>& critical = std::nullopt);

// What the workbook of a run says of its Bishop cells: the rows left empty and why, and
// the rows whose factor of safety counts on tension under the crest.
std::vector<Diagnostic> bishop_notes(const BishopFindings& findings, const ChartInputs& entered);

}  // namespace zelm
