#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace lorvan {

class TextFile;

// The callers of the field splitter; they differ in continuation lines and in the message for an
// unterminated quote.
enum class SplitVariant {
    TimeImport,        // import of working times and absences: a quoted field may go on in the next line
    EmployeeImport,    // employee import
    PotentialAnalysis, // weekly potential analysis
};

// Fetches the next line of the file a line came from; false at the end of the file.
using NextLine = std::function<bool(std::string& line)>;

// The next lines of a text file, for continuation lines.
NextLine nextLineOf(TextFile& file);

// Splits a line at ";" into fields numbered from 1, with "\"" as text qualifier (a doubled quote
// inside a quoted field stays as it is). Missing fields are filled with empty texts up to padTo
// (0: no padding). In the TimeImport variant a quoted field still open at the end of the line
// continues with the next line from nextLine (the line break becomes one blank). False after an
// unterminated quote: fields then holds the fields before it and message the variant's text.
bool SplitFields(std::string_view line, SplitVariant variant, const NextLine& nextLine, int padTo,
                 std::map<int, std::string>& fields, std::string& message);

} // namespace lorvan
