#include "app/help_topics.h"

#include "foundation/format.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

namespace lorvan {

namespace fs = std::filesystem;

namespace {

std::string trim(std::string_view text) {
    const auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && isSpace(text[begin]))
        ++begin;
    while (end > begin && isSpace(text[end - 1]))
        --end;
    return std::string(text.substr(begin, end - begin));
}

std::optional<std::string> readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) bytes.erase(0, 3);
    return bytes;
}

std::optional<int> positiveNumber(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value <= 0) return std::nullopt;
    return value;
}

// Only a plain relative path inside the help folder may be shown.
bool insideFolder(const std::string& file) {
    if (file.empty() || file.find('\\') != std::string::npos) return false;
    const fs::path path(file);
    if (path.is_absolute() || path.has_root_name() || path.has_root_directory()) return false;
    for (const fs::path& part : path)
        if (part == "..") return false;
    return true;
}

std::vector<std::string> splitKeywords(std::string_view text) {
    std::vector<std::string> keywords;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(';', start);
        if (end == std::string_view::npos) end = text.size();
        std::string keyword = trim(text.substr(start, end - start));
        if (!keyword.empty()) keywords.push_back(std::move(keyword));
        start = end + 1;
    }
    return keywords;
}

// The topic table: "[number]" sections with "file", "title" and "keywords" (separated by ";").
std::vector<HelpTopic> parseTable(const std::string& text) {
    std::vector<HelpTopic> topics;
    std::set<int> seen;
    std::optional<HelpTopic> current;
    const auto finish = [&] {
        if (current && insideFolder(current->file) && seen.insert(current->number).second) {
            if (current->title.empty()) current->title = current->file;
            topics.push_back(std::move(*current));
        }
        current.reset();
    };
    std::istringstream lines(text);
    std::string raw;
    bool inTopic = false;
    while (std::getline(lines, raw)) {
        const std::string line = trim(raw);
        if (line.empty() || line[0] == ';' || line[0] == '#') continue;
        if (line.front() == '[') {
            finish();
            inTopic = false;
            if (line.back() != ']') continue;
            if (const std::optional<int> number = positiveNumber(trim(line.substr(1, line.size() - 2)))) {
                current = HelpTopic{};
                current->number = *number;
                inTopic = true;
            }
            continue;
        }
        if (!inTopic) continue;
        const size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        const std::string key = trim(line.substr(0, equals));
        const std::string value = trim(line.substr(equals + 1));
        if (key == "file")
            current->file = value;
        else if (key == "title")
            current->title = value;
        else if (key == "keywords")
            current->keywords = splitKeywords(value);
    }
    finish();
    return topics;
}

struct Replacement {
    std::string_view from;
    std::string_view to;
};

// Upper-case umlauts to lower case; the rest of UTF-8 stays as it is.
constexpr Replacement kLowerUmlauts[] = {{"Ä", "ä"}, {"Ö", "ö"}, {"Ü", "ü"}, {"ẞ", "ß"}};
// The German index folds umlauts into their base letters.
constexpr Replacement kIndexLetters[] = {{"ä", "a"}, {"ö", "o"}, {"ü", "u"}, {"ß", "ss"}};

std::string replaceAll(std::string_view text, const Replacement* begin, const Replacement* end) {
    std::string result;
    result.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const Replacement* match = std::find_if(
            begin, end, [&](const Replacement& r) { return text.substr(i, r.from.size()) == r.from; });
        if (match != end) {
            result += match->to;
            i += match->from.size();
        } else {
            result += text[i++];
        }
    }
    return result;
}

std::string indexKey(std::string_view text) {
    return replaceAll(foldCase(text), std::begin(kIndexLetters), std::end(kIndexLetters));
}

constexpr Replacement kEntities[] = {
    {"&amp;", "&"},   {"&lt;", "<"},    {"&gt;", ">"},    {"&quot;", "\""}, {"&#39;", "'"},   {"&nbsp;", " "},
    {"&auml;", "ä"},  {"&ouml;", "ö"},  {"&uuml;", "ü"},  {"&Auml;", "Ä"},  {"&Ouml;", "Ö"},  {"&Uuml;", "Ü"},
    {"&szlig;", "ß"}, {"&ndash;", "–"}, {"&mdash;", "—"}, {"&bdquo;", "„"}, {"&ldquo;", "“"}, {"&rarr;", "→"},
};

size_t countOccurrences(const std::string& text, const std::string& word) {
    size_t count = 0;
    for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + word.size()))
        ++count;
    return count;
}

bool startsWithTag(std::string_view html, size_t at, std::string_view name) {
    if (html.size() < at + 1 + name.size()) return false;
    for (size_t i = 0; i < name.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(html[at + 1 + i])) != name[i]) return false;
    const size_t after = at + 1 + name.size();
    return after == html.size() || html[after] == '>' || html[after] == ' ' || html[after] == '\t' ||
           html[after] == '\n' || html[after] == '\r' || html[after] == '/';
}

size_t findCaseless(std::string_view html, std::string_view what, size_t from) {
    for (size_t i = from; i + what.size() <= html.size(); ++i) {
        bool equal = true;
        for (size_t j = 0; j < what.size() && equal; ++j)
            equal = std::tolower(static_cast<unsigned char>(html[i + j])) == what[j];
        if (equal) return i;
    }
    return std::string_view::npos;
}

} // namespace

std::string missingTopicMessage(int number) {
    return format("Das Hilfethema %s ist nicht verfügbar.", std::to_string(number).c_str());
}

std::string foldCase(std::string_view text) {
    std::string lower = replaceAll(text, std::begin(kLowerUmlauts), std::end(kLowerUmlauts));
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

bool germanLess(std::string_view a, std::string_view b) {
    const std::string keyA = indexKey(a);
    const std::string keyB = indexKey(b);
    if (keyA != keyB) return keyA < keyB;
    // Equal apart from umlauts and case: the plain letter first, then lower case first, so that the
    // order is total and the same on every run.
    const std::string foldedA = foldCase(a);
    const std::string foldedB = foldCase(b);
    if (foldedA != foldedB) return foldedA < foldedB;
    return a > b;
}

std::string htmlToText(std::string_view html) {
    std::string text;
    text.reserve(html.size());
    size_t i = 0;
    while (i < html.size()) {
        const char c = html[i];
        if (c == '<') {
            if (html.substr(i, 4) == "<!--") {
                const size_t end = html.find("-->", i + 4);
                i = end == std::string_view::npos ? html.size() : end + 3;
                text += ' ';
                continue;
            }
            // The contents of style and script are no text.
            bool skipped = false;
            for (std::string_view element : {std::string_view("style"), std::string_view("script")}) {
                if (!startsWithTag(html, i, element)) continue;
                const std::string closing = "</" + std::string(element);
                const size_t end = findCaseless(html, closing, i);
                const size_t close = end == std::string_view::npos ? end : html.find('>', end);
                i = close == std::string_view::npos ? html.size() : close + 1;
                skipped = true;
                break;
            }
            if (!skipped) {
                const size_t end = html.find('>', i);
                i = end == std::string_view::npos ? html.size() : end + 1;
            }
            text += ' ';
            continue;
        }
        if (c == '&') {
            const Replacement* entity =
                std::find_if(std::begin(kEntities), std::end(kEntities),
                             [&](const Replacement& r) { return html.substr(i, r.from.size()) == r.from; });
            if (entity != std::end(kEntities)) {
                text += entity->to;
                i += entity->from.size();
                continue;
            }
        }
        text += c;
        ++i;
    }
    // Collapse white space.
    std::string collapsed;
    collapsed.reserve(text.size());
    bool space = true;
    for (char ch : text) {
        const bool isSpace = ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n';
        if (isSpace) {
            if (!space) collapsed += ' ';
        } else {
            collapsed += ch;
        }
        space = isSpace;
    }
    if (!collapsed.empty() && collapsed.back() == ' ') collapsed.pop_back();
    return collapsed;
}

HelpTopics HelpTopics::load(const fs::path& directory) {
    HelpTopics help;
    help.directory_ = directory;
    const std::optional<std::string> table = readText(directory / kHelpTableName);
    if (!table) return help;
    help.topics_ = parseTable(*table);
    for (const HelpTopic& topic : help.topics_) {
        help.foldedTitles_.push_back(foldCase(topic.title));
        const std::optional<std::string> page = readText(directory / topic.file);
        help.foldedTexts_.push_back(page ? foldCase(htmlToText(*page)) : std::string());
    }
    return help;
}

fs::path HelpTopics::contentsPage() const {
    return directory_ / kHelpContentsName;
}

const HelpTopic* HelpTopics::topic(int number) const {
    const auto found = std::find_if(topics_.begin(), topics_.end(),
                                    [number](const HelpTopic& t) { return t.number == number; });
    return found != topics_.end() ? &*found : nullptr;
}

std::optional<fs::path> HelpTopics::topicPath(int number) const {
    const HelpTopic* found = topic(number);
    if (found == nullptr) return std::nullopt;
    const fs::path path = directory_ / found->file;
    std::error_code error;
    if (!fs::is_regular_file(path, error)) return std::nullopt;
    return path;
}

std::vector<HelpIndexEntry> HelpTopics::index() const {
    std::vector<HelpIndexEntry> entries;
    for (const HelpTopic& topic : topics_)
        for (const std::string& keyword : topic.keywords)
            entries.push_back({keyword, topic.number, topic.title});
    std::stable_sort(entries.begin(), entries.end(), [](const HelpIndexEntry& a, const HelpIndexEntry& b) {
        if (germanLess(a.keyword, b.keyword)) return true;
        if (germanLess(b.keyword, a.keyword)) return false;
        return germanLess(a.title, b.title);
    });
    return entries;
}

std::vector<HelpSearchHit> HelpTopics::search(std::string_view query) const {
    std::vector<std::string> words;
    std::istringstream split{foldCase(query)};
    for (std::string word; split >> word;)
        words.push_back(word);
    std::vector<HelpSearchHit> hits;
    if (words.empty()) return hits;
    for (size_t i = 0; i < topics_.size(); ++i) {
        int score = 0;
        bool all = true;
        for (const std::string& word : words) {
            const size_t inTitle = countOccurrences(foldedTitles_[i], word);
            const size_t inText = countOccurrences(foldedTexts_[i], word);
            if (inTitle + inText == 0) {
                all = false;
                break;
            }
            score += static_cast<int>(inTitle * 10 + inText);
        }
        if (!all) continue;
        const std::optional<fs::path> path = topicPath(topics_[i].number);
        if (!path) continue;
        hits.push_back({topics_[i].number, topics_[i].title, *path, score});
    }
    std::stable_sort(hits.begin(), hits.end(), [](const HelpSearchHit& a, const HelpSearchHit& b) {
        if (a.score != b.score) return a.score > b.score;
        return germanLess(a.title, b.title);
    });
    return hits;
}

std::vector<fs::path> helpDirectoryCandidates(const fs::path& executableDir) {
    std::vector<fs::path> candidates{executableDir / "help",
                                     (executableDir / ".." / "share" / "lorvan" / "help").lexically_normal()};
#ifdef LORVAN_HELP_SOURCE_DIR
    candidates.emplace_back(LORVAN_HELP_SOURCE_DIR);
#endif
    return candidates;
}

std::optional<fs::path> helpDirectory(const fs::path& executableDir) {
    for (const fs::path& candidate : helpDirectoryCandidates(executableDir)) {
        std::error_code error;
        if (fs::is_regular_file(candidate / kHelpTableName, error)) return candidate;
    }
    return std::nullopt;
}

} // namespace lorvan
