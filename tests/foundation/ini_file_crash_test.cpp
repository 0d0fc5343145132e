#include "foundation/file_io.h"
#include "foundation/ini_file.h"
#include "support/crash_trials.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>

namespace lorvan {
namespace {

// A section with many entries, so that a rewrite takes measurable time.
IniSection manyEntries(const std::string& remark) {
    IniSection section;
    for (int i = 1; i <= 30000; ++i)
        section["Eintrag" + std::to_string(i)] = remark + " " + std::to_string(i);
    return section;
}

// A rewrite of a section of "Lorvan.ini" killed at any moment leaves the file whole in its old or
// new version, with the other sections in it.
TEST(IniFileCrash, KilledSectionRewriteNeverTearsTheFile) {
    test::TempDir dir;
    const std::string path = dir.file("Lorvan.ini");
    test::writeBytes(path, "[Allgemein]\r\nMonatsabschluss=03.2024\r\n[Andere]\r\nWert=1\r\n");
    const IniSection versions[] = {manyEntries("erste Fassung"), manyEntries("zweite Fassung, etwas länger")};
    const auto save = [&](int version) {
        IniFile file(path);
        if (!file.writeSection("Daten", versions[version - 1]))
            throw std::runtime_error(file.fullErrorText());
    };
    save(1);
    const std::string first = readWholeFile(path);
    save(2);
    test::CrashTrialTarget target{path, first, readWholeFile(path), save};
    ASSERT_GT(target.first.size(), 512u << 10);
    ASSERT_NE(target.first.find("[Andere]\r\nWert=1"), std::string::npos);
    test::runCrashTrials(target);
}

} // namespace
} // namespace lorvan
