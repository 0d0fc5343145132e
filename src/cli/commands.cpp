#include "cli/commands.h"

#include "foundation/error.h"

namespace lorvan::cli {

// PLACEHOLDER until the document kinds are wired in.
int runShow(const Options&, const std::vector<std::string>&, std::ostream&) {
    throw LorvanError("show: noch nicht verfügbar");
}
int runWrite(const Options&, const std::vector<std::string>&, std::istream&, std::ostream&) {
    throw LorvanError("write: noch nicht verfügbar");
}
int runDemo(const Options&, const std::vector<std::string>&, std::ostream&) {
    throw LorvanError("demo: noch nicht verfügbar");
}

} // namespace lorvan::cli
