#pragma once

#include "evaluation/evaluation_context.h"
#include "masterdata/employee_lookup.h"
#include "yearfile/year_file.h"

#include <memory>
#include <string>

namespace lorvan {

// A year file opened for work, with what its evaluation needs from outside: the employee file
// "Daten.mar" and the previous years beside the file. The desktop's views, the command line and the
// demo all open year files through this, so that every front end evaluates a file alike.
struct OpenYearFile {
    std::string path;
    CLorvanDoc document;
    // nullptr when the folder holds no employee file (nobody counts as not employed then).
    std::unique_ptr<EmployeeFileLookup> employees;
    FilePreviousYearSource previousYears;

    // Reads the year file and the employee file; raises LorvanError with the reader's message.
    OpenYearFile(const std::string& path, const std::string& dataDirectory);
    // A new year file that is not written yet (the next year's file made from this year's): it is
    // written to path at its first save.
    OpenYearFile(const std::string& path, CLorvanDoc newDocument, const std::string& dataDirectory);
    OpenYearFile(const OpenYearFile&) = delete;
    OpenYearFile& operator=(const OpenYearFile&) = delete;

    EvaluationContext context() const { return EvaluationContext{employees.get(), &previousYears}; }

    // The folder whose "Daten.mar" applies: the data directory when there is one, else the folder
    // of the year file ("." for a bare file name).
    static std::string employeeFileFolder(const std::string& path, const std::string& dataDirectory);
};

} // namespace lorvan
