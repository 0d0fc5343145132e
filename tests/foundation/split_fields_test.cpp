#include "foundation/split_fields.h"
#include "foundation/text_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <deque>
#include <vector>

namespace lorvan {
namespace {

struct Case {
    const char* name;
    std::string line;
    std::vector<std::string> following; // the next lines of the file
    SplitVariant variant;
    int padTo;
    bool ok;
    std::vector<std::string> fields;
    std::string message;
    size_t linesLeft; // following lines not taken
};

std::vector<std::string> numbered(const std::map<int, std::string>& fields) {
    std::vector<std::string> out;
    for (const auto& [number, text] : fields) {
        EXPECT_EQ(number, static_cast<int>(out.size()) + 1);
        out.push_back(text);
    }
    return out;
}

TEST(SplitFields, Table) {
    using V = SplitVariant;
    const std::string e; // an empty field
    const Case cases[] = {
        {"padded", "a;b;c", {}, V::TimeImport, 9, true, {"a", "b", "c", e, e, e, e, e, e}, "", 0},
        {"no padding", "a;b;c", {}, V::TimeImport, 0, true, {"a", "b", "c"}, "", 0},
        {"more fields than padding", "1;2;3", {}, V::PotentialAnalysis, 2, true, {"1", "2", "3"}, "", 0},
        {"empty line", "", {}, V::EmployeeImport, 3, true, {e, e, e}, "", 0},
        {"empty fields, final ; adds none", "a;;b;", {}, V::TimeImport, 0, true, {"a", e, "b"}, "", 0},
        {"blanks trimmed outside quotes only", "  a  ; \" b \" ;c", {}, V::TimeImport, 0, true,
         {"a", " b ", "c"}, "", 0},
        {"; inside quotes", "\"x;y\"", {}, V::TimeImport, 0, true, {"x;y"}, "", 0},
        {"doubled quote stays", "\"ab\"\"c\";d", {}, V::TimeImport, 0, true, {"ab\"\"c", "d"}, "", 0},
        {"quote inside an unquoted field", "ab\"c;d", {}, V::TimeImport, 0, true, {"ab\"c", "d"}, "", 0},
        {"continued field", "1;\"abc", {"def\";2", "nicht gelesen"}, V::TimeImport, 0, true,
         {"1", "abc def", "2"}, "", 1},
        {"continued field with ;", "\"a;b", {"c\";2"}, V::TimeImport, 0, true, {"a;b c", "2"}, "", 0},
        {"continued over several lines", "\"a", {"b", "c;d\";e"}, V::TimeImport, 0, true, {"a b c;d", "e"},
         "", 0},
        {"open at the end of the file", "x;\"abc", {"def"}, V::TimeImport, 9, false, {"x"},
         "Bei Feld 2 fehlt der abschließende Feldbegrenzer \":\n\"abc def\n", 0},
        {"employee import does not continue", "\"a;b", {"c\""}, V::EmployeeImport, 9, false, {},
         "FEHLER: Bei Feld 1 fehlt der abschließende Feldbegrenzer \":\n\"a;b\n", 1},
        {"potential analysis does not continue", "1;2; \"a", {"b\""}, V::PotentialAnalysis, 5, false,
         {"1", "2"}, "Bei Feld 3 fehlt der abschließende Feldbegrenzer:\n\"a\n", 1},
        {"Umlaute", "Müller;\"Köln\"", {}, V::EmployeeImport, 0, true, {"Müller", "Köln"}, "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::deque<std::string> following(c.following.begin(), c.following.end());
        const NextLine next = [&following](std::string& line) {
            if (following.empty()) return false;
            line = following.front();
            following.pop_front();
            return true;
        };
        std::map<int, std::string> fields{{7, "alt"}};
        std::string message = "alt";
        EXPECT_EQ(SplitFields(c.line, c.variant, next, c.padTo, fields, message), c.ok);
        EXPECT_EQ(numbered(fields), c.fields);
        EXPECT_EQ(message, c.message);
        EXPECT_EQ(following.size(), c.linesLeft);
    }
}

TEST(SplitFields, ContinuesWithTheLinesOfATextFile) {
    test::TempDir dir;
    test::writeBytes(dir.file("import.csv"), "Meier;\"Zeile 1\r\nZeile 2\";3\r\nSchulz;x\r\n");
    TextFile file(dir.file("import.csv"));
    ASSERT_TRUE(file.open(TextFile::Mode::Read));
    std::string line;
    std::map<int, std::string> fields;
    std::string message;
    ASSERT_TRUE(file.readLine(line));
    EXPECT_TRUE(SplitFields(line, SplitVariant::TimeImport, nextLineOf(file), 0, fields, message));
    EXPECT_EQ(numbered(fields), (std::vector<std::string>{"Meier", "Zeile 1 Zeile 2", "3"}));
    ASSERT_TRUE(file.readLine(line));
    EXPECT_EQ(line, "Schulz;x");
}

TEST(SplitFields, UnclosedQuoteOverAWholeFileStaysLinear) {
    // Every line of a large file joins the open field; this must not re-read what was collected.
    size_t remaining = 200000;
    const NextLine next = [&remaining](std::string& line) {
        if (remaining == 0) return false;
        --remaining;
        line = "0123456789;0123456789;0123456789";
        return true;
    };
    std::map<int, std::string> fields;
    std::string message;
    EXPECT_FALSE(SplitFields("\"offen", SplitVariant::TimeImport, next, 9, fields, message));
    const std::string start = "Bei Feld 1 fehlt der abschließende Feldbegrenzer \":\n\"offen 0123456789;";
    EXPECT_EQ(message.substr(0, start.size()), start);
    EXPECT_EQ(remaining, 0u);
}

} // namespace
} // namespace lorvan
