#pragma once

#include "cli/commands.h"
#include "closing/month_collection.h"

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

// The choice of month and employees that the month-closing commands share: --month MM.YYYY or
// --period last|current, --employee NR and --department TEXT (repeatable), --include-inactive.
namespace lorvan::cli {

// Takes --employee, --department and --include-inactive out of args and gives the chosen employees of
// "Daten.mar" in the data directory in the wizard's order.
std::vector<CMitarbeiterDoc> takeEmployeeSelection(const Options& options, std::vector<std::string>& args,
                                                  const char* command);

// Takes the selection options out of args, reads "Daten.mar" of the data directory and collects the
// months as the wizard does. Refuses a month without data ("Es sind keine Monatsdaten ...").
std::unique_ptr<MonthCollection> takeClosingSelection(const Options& options, std::vector<std::string>& args,
                                                      const char* command);

// The collection's skipped files and clashes on err, one line each.
void reportCollectionProblems(const MonthCollection& collection, std::ostream& err);

} // namespace lorvan::cli
