#include "support/xlsx_contents.h"

#include <cstdio>
#include <regex>
#include <stdexcept>
#include <vector>

namespace lorvan::test {

namespace {

std::string unescapeXml(std::string text) {
    const std::pair<const char*, const char*> entities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
    for (const auto& [from, to] : entities) {
        for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + 1)) {
            text.replace(at, std::string(from).size(), to);
        }
    }
    return text;
}

std::string attribute(const std::string& attributes, const std::string& name) {
    std::smatch m;
    const std::regex re("(^|\\s)" + name + "=\"([^\"]*)\"");
    return std::regex_search(attributes, m, re) ? unescapeXml(m[2].str()) : std::string();
}

template <typename F> void forEachMatch(const std::string& text, const std::regex& re, F f) {
    for (std::sregex_iterator it(text.begin(), text.end(), re), end; it != end; ++it)
        f(*it);
}

// Format codes that a file may use without listing them.
std::string builtInFormat(int id) {
    static const std::map<int, std::string> builtIn = {
        {0, ""}, {1, "0"}, {2, "0.00"}, {3, "#,##0"}, {4, "#,##0.00"}};
    const auto it = builtIn.find(id);
    return it == builtIn.end() ? "builtin " + std::to_string(id) : it->second;
}

} // namespace

std::string XlsxContents::part(const std::string& path, const std::string& member) {
    const std::string command = "unzip -p '" + path + "' '" + member + "'";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) throw std::runtime_error("cannot run " + command);
    std::string text;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        text.append(buffer, n);
    if (::pclose(pipe) != 0) throw std::runtime_error("failed: " + command);
    return text;
}

XlsxContents::XlsxContents(const std::string& path) {
    std::smatch m;
    const std::string workbook = part(path, "xl/workbook.xml");
    if (std::regex_search(workbook, m, std::regex("<sheet ([^>]*)/>")))
        sheetName_ = attribute(m[1].str(), "name");

    std::vector<std::string> strings;
    std::string shared; // a workbook without texts has no shared strings
    if (part(path, "\\[Content_Types].xml").find("/xl/sharedStrings.xml") != std::string::npos) {
        shared = part(path, "xl/sharedStrings.xml");
    }
    forEachMatch(shared, std::regex("<si>([\\s\\S]*?)</si>"), [&](const std::smatch& si) {
        std::string text;
        const std::string item = si[1].str();
        forEachMatch(item, std::regex("<t[^>]*>([\\s\\S]*?)</t>"),
                     [&](const std::smatch& t) { text += t[1].str(); });
        strings.push_back(unescapeXml(text));
    });

    const std::string styles = part(path, "xl/styles.xml");
    std::map<int, std::string> formats;
    forEachMatch(styles, std::regex("<numFmt ([^>]*)/>"), [&](const std::smatch& f) {
        formats[std::stoi(attribute(f[1].str(), "numFmtId"))] = attribute(f[1].str(), "formatCode");
    });
    if (std::regex_search(styles, m, std::regex("<cellXfs[^>]*>([\\s\\S]*?)</cellXfs>"))) {
        const std::string xfs = m[1].str();
        int index = 0;
        forEachMatch(xfs, std::regex("<xf ([^>]*?)(/>|>([\\s\\S]*?)</xf>)"), [&](const std::smatch& xf) {
            const int id = std::stoi(attribute(xf[1].str(), "numFmtId"));
            Style s;
            s.numberFormat = formats.count(id) ? formats[id] : builtInFormat(id);
            std::smatch a;
            const std::string inner = xf[3].str();
            if (std::regex_search(inner, a, std::regex("<alignment ([^>]*)/>"))) {
                s.alignment = attribute(a[1].str(), "horizontal");
            }
            styles_[index++] = s;
        });
    }

    const std::string sheet = part(path, "xl/worksheets/sheet1.xml");
    forEachMatch(sheet, std::regex("<col ([^>]*)/>"), [&](const std::smatch& c) {
        const std::string a = c[1].str();
        const std::string styleIndex = attribute(a, "style");
        const Style s = style(styleIndex.empty() ? 0 : std::stoi(styleIndex));
        Column column{std::stod(attribute(a, "width")), s.numberFormat, s.alignment};
        for (int n = std::stoi(attribute(a, "min")); n <= std::stoi(attribute(a, "max")); ++n)
            columns_[n] = column;
    });
    forEachMatch(sheet, std::regex("<c ([^>]*?)(/>|>([\\s\\S]*?)</c>)"), [&](const std::smatch& c) {
        const std::string a = c[1].str();
        const std::string styleIndex = attribute(a, "s");
        const Style s = style(styleIndex.empty() ? 0 : std::stoi(styleIndex));
        Cell cell;
        cell.isString = attribute(a, "t") == "s";
        std::smatch v;
        const std::string inner = c[3].str();
        if (std::regex_search(inner, v, std::regex("<v>([^<]*)</v>"))) cell.value = unescapeXml(v[1].str());
        if (cell.isString) cell.value = strings.at(std::stoul(cell.value));
        cell.numberFormat = s.numberFormat;
        cell.alignment = s.alignment;
        cells_[attribute(a, "r")] = cell;
    });
}

std::optional<XlsxContents::Cell> XlsxContents::cell(const std::string& ref) const {
    const auto it = cells_.find(ref);
    if (it == cells_.end()) return std::nullopt;
    return it->second;
}

std::optional<XlsxContents::Column> XlsxContents::column(int number) const {
    const auto it = columns_.find(number);
    if (it == columns_.end()) return std::nullopt;
    return it->second;
}

XlsxContents::Style XlsxContents::style(int index) const {
    const auto it = styles_.find(index);
    return it == styles_.end() ? Style{} : it->second;
}

} // namespace lorvan::test
