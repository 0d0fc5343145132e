#include "foundation/split_fields.h"

#include "foundation/format.h"
#include "foundation/text_file.h"

#include <algorithm>

namespace lorvan {
namespace {

constexpr std::string_view kBlanks = " \t\r\n\v\f";

std::string_view trimLeft(std::string_view text) {
    const size_t first = text.find_first_not_of(kBlanks);
    return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

// Cuts rest at its first ";": returns the part before it, rest keeps the part after it.
std::string_view cutField(std::string_view& rest) {
    const size_t semicolon = rest.find(';');
    if (semicolon == std::string_view::npos) {
        const std::string_view field = rest;
        rest = {};
        return field;
    }
    const std::string_view field = rest.substr(0, semicolon);
    rest.remove_prefix(semicolon + 1);
    return field;
}

size_t quoteCount(std::string_view text) {
    return static_cast<size_t>(std::count(text.begin(), text.end(), '"'));
}

std::string unterminatedMessage(SplitVariant variant, long fieldNumber, const std::string& collected) {
    switch (variant) {
    case SplitVariant::TimeImport:
        return format("Bei Feld %ld fehlt der abschließende Feldbegrenzer %s:\n%s\n", fieldNumber, "\"",
                      collected.c_str());
    case SplitVariant::EmployeeImport:
        return format("FEHLER: Bei Feld %ld fehlt der abschließende Feldbegrenzer %s:\n%s\n", fieldNumber,
                      "\"", collected.c_str());
    case SplitVariant::PotentialAnalysis:
        break;
    }
    return format("Bei Feld %ld fehlt der abschließende Feldbegrenzer:\n%s\n", fieldNumber,
                  collected.c_str());
}

} // namespace

NextLine nextLineOf(TextFile& file) {
    return [&file](std::string& line) { return file.readLine(line); };
}

bool SplitFields(std::string_view line, SplitVariant variant, const NextLine& nextLine, int padTo,
                 std::map<int, std::string>& fields, std::string& message) {
    fields.clear();
    message.clear();
    const bool continues = variant == SplitVariant::TimeImport && nextLine;
    std::string continuation; // the current continuation line; rest may point into it
    std::string_view rest = line;
    int n = 0;
    while (!rest.empty()) {
        std::string_view part = trimLeft(cutField(rest));
        std::string quoted;
        if (!part.empty() && part.front() == '"' && quoteCount(part) % 2 == 1) {
            // An open quoted field: collect the following parts, and the following lines where
            // allowed, until the quotes pair up. The count is kept as the text grows, so a quote
            // that never closes costs one pass over the rest of the file.
            quoted.assign(part);
            size_t quotes = quoteCount(part);
            for (;;) {
                while (quotes % 2 == 1 && !rest.empty()) {
                    const std::string_view next = cutField(rest);
                    quoted += ';';
                    quoted.append(next);
                    quotes += quoteCount(next);
                }
                if (quotes % 2 == 0) break;
                if (!continues || !nextLine(continuation)) {
                    message = unterminatedMessage(variant, n + 1, quoted);
                    return false;
                }
                rest = continuation;
                const std::string_view next = cutField(rest);
                quoted += ' ';
                quoted.append(next);
                quotes += quoteCount(next);
            }
            part = quoted;
        }
        std::string_view field = trimWhiteSpace(part);
        if (field.size() >= 2 && field.front() == '"' && field.back() == '"')
            field = field.substr(1, field.size() - 2);
        fields[++n] = std::string(field);
        rest = trimLeft(rest);
    }
    for (int i = n + 1; i <= padTo; ++i) fields[i] = "";
    return true;
}

} // namespace lorvan
