// Placeholder until the employee import arrives: "import employees" says that it is not there yet.
// The employee import's own file replaces this one.
#include "cli/commands.h"

#include "foundation/error.h"

namespace lorvan::cli {

int runImportEmployees(const Options&, const std::vector<std::string>&, std::istream&, std::ostream&,
                       std::ostream&) {
    throw LorvanError("Der Mitarbeiterimport ist in dieser Version noch nicht enthalten.");
}

} // namespace lorvan::cli
