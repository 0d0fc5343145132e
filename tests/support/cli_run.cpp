#include "support/cli_run.h"

#include "foundation/file_io.h"

#include <cstdlib>
#include <sys/wait.h>

namespace lorvan::test {

CliRun runCommand(const std::string& command, const std::string& folder, const std::string& input) {
    const std::string out = folder + "/stdout.txt";
    const std::string err = folder + "/stderr.txt";
    std::string line = command + " >'" + out + "' 2>'" + err + "'";
    if (!input.empty()) line += " <'" + input + "'";
    const int raw = std::system(line.c_str());
    CliRun run;
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = readWholeFile(out);
    run.err = readWholeFile(err);
    return run;
}

} // namespace lorvan::test
