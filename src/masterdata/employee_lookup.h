#pragma once

#include "evaluation/evaluation_context.h"

#include <map>
#include <memory>
#include <optional>
#include <string>

// The employment dates of the employee file "Daten.mar" for the evaluations.
namespace lorvan {

class CTwMaDoc;

class EmployeeFileLookup : public EmployeeLookup {
  public:
    // The records of the file; where two records carry the same name, the one with the lower number.
    explicit EmployeeFileLookup(const CTwMaDoc& file);

    // Reads "Daten.mar" in the directory. nullptr when the directory holds no such file: then there
    // is no employee file, and nobody counts as not employed. An unreadable file raises its message.
    static std::unique_ptr<EmployeeFileLookup> open(const std::string& directory);

    std::optional<Employment> employmentOf(const std::string& exactName) const override;

  private:
    std::map<std::string, Employment> byName_;
};

} // namespace lorvan
