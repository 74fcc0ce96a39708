#include "files/failure.hpp"

#include <string>

namespace zelm {
namespace {

// The file as the user named it ("name"), and whether it is standard output, named "-" on
// the command line ("output").
std::vector<Arg> named(const Target& target) {
    return {{"name", Text{target.name}},
            {"output", Flag{target.kind == TargetKind::standard_output && target.name == "-"}}};
}

}  // namespace

Value reason_of(const Failure& failure) {
    if (failure.why) {
        return Clauses{{*failure.why}};
    }
    if (failure.stopped) {
        return Clauses{{Diagnostic{Said::file_stopped}}};
    }
    return Text{failure.error.message()};  // the system's own words
}

Diagnostic not_written(const Target& target, const Failure& failure, WhichFile what) {
    const bool output = target.kind == TargetKind::standard_output;
    Diagnostic said{output                           ? Said::result_not_written_to_output
                    : what == WhichFile::result_file ? Said::result_not_written
                                                     : Said::workbook_not_written,
                    Field::none, named(target)};
    said.args.push_back({"reason", reason_of(failure)});
    if (failure.found) {
        said.args.push_back({"found", Clauses{{*failure.found}}});
    }
    return said;
}

Diagnostic files_written(const Target& result, const std::optional<Target>& workbook, std::int32_t rows) {
    Diagnostic said{Said::files_written, Field::none, named(result)};
    said.args.push_back({"rows", Count{rows}});
    if (workbook) {
        said.args.push_back({"workbook", Text{workbook->name}});
    }
    return said;
}

Diagnostic refused_before_asking(const Target& target, const Failure& refused) {
    Diagnostic said{Said::refused_before_asking, Field::none, named(target)};
    said.args.push_back({"reason", reason_of(refused)});
    return said;
}

}  // namespace zelm
