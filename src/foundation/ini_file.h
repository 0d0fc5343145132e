#pragma once

#include "foundation/text_file.h"

#include <map>
#include <string>

namespace lorvan {

// The entries of one INI section, ordered by key (case-sensitive, byte order).
using IniSection = std::map<std::string, std::string>;

// Reads or replaces one "[name]" section of an INI file (Windows-1252 on disk). Values may hold
// line breaks: on disk each one is the literal "$$NEWLINE$$", in memory CR LF.
class IniFile : public TextFile {
public:
    explicit IniFile(std::string fileName, RetryQuestion askRetry = {});

    // True when the section header was found; entries then holds its entries (and nothing else).
    // False when the file is missing, is a directory, cannot be opened or lacks the section.
    bool readSection(const std::string& section, IniSection& entries);

    // Replaces the section with exactly these entries; the section moves to the top of the file,
    // every other line comes back trimmed. A missing file is created. False (with the error texts
    // set) when the file could not be read or written; the file then stays as it was.
    bool writeSection(const std::string& section, const IniSection& entries);
};

} // namespace lorvan
