// The check of a slope that stands, as what is said of it (entries/diagnostic.hpp): the
// one line the console, the page and Python give for it, and why there is none. The
// words are the templates' (messages/templates_answers.cpp).
#pragma once

#include "entries/diagnostic.hpp"
#include "sweep/check.hpp"

#include <vector>

namespace zelm {

// Why the check has no answer, as a clause: the value that breaks its rule ("the
// cohesion -2 is below 0"), or a friction angle too small for the chart's rows to be
// told apart. Only for an answer whose verdict is no_answer.
Diagnostic check_refusal(const SlopeToCheck& slope, const CheckAnswer& answer);

// The answer in one line: "FS 1.33 to 1.35 (chart 1, x = 0.43)", "FS 0.80 (...)" for a
// row that holds one printed FS, "FS below 0.72 (...)", "FS above 2.96 (...)", the exact
// FS of a dry slope first where the chart's states more, then what else the engineer
// should know: below 1, and where the chart's rows cross. For no answer, the refusal as
// a sentence.
Diagnostic check_line(const SlopeToCheck& slope, const CheckAnswer& answer);

// The line after the slope it answers, as the console prints each of a run's answers:
// "H 20 m at 35 degrees: FS 1.33 to 1.35 (chart 1, x = 0.43)"; `line` is the check's or
// Bishop's.
Diagnostic slope_answered(const SlopeToCheck& slope, Diagnostic line);

// A clause said as a sentence of its own: with its full stop.
Diagnostic as_sentence(Diagnostic clause);

// What else the engineer should know of an answer, clause after clause, each after "; ":
// nothing where there is nothing to add.
Diagnostic cautions(std::vector<Diagnostic> clauses);

}  // namespace zelm
