#include "app/completion.h"

#include "foundation/text_encoding.h"

#include <algorithm>

namespace lorvan {

namespace {

size_t characterLength(unsigned char lead) {
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

// The text split into its UTF-8 characters (a broken sequence is cut at the end of the text).
std::vector<std::string_view> characters(std::string_view text) {
    std::vector<std::string_view> out;
    for (size_t i = 0; i < text.size();) {
        const size_t n = std::min(characterLength(static_cast<unsigned char>(text[i])), text.size() - i);
        out.push_back(text.substr(i, n));
        i += n;
    }
    return out;
}

std::string comparable(std::string_view text, const std::vector<std::string>& ignored) {
    std::string kept;
    kept.reserve(text.size());
    for (std::string_view c : characters(text))
        if (std::find(ignored.begin(), ignored.end(), c) == ignored.end()) kept.append(c);
    return toUpperCp1252(kept);
}

void sortWithoutCase(std::vector<std::string>& words) {
    std::stable_sort(words.begin(), words.end(), [](const std::string& a, const std::string& b) {
        const int r = compareCp1252(toUpperCp1252(a), toUpperCp1252(b));
        return r != 0 ? r < 0 : compareCp1252(a, b) < 0;
    });
}

} // namespace

void CompletionList::setWordList(std::vector<std::string> words) {
    words_ = std::move(words);
}

void CompletionList::setIgnoredCharacters(std::string characters) {
    ignored_.clear();
    for (std::string_view c : lorvan::characters(characters))
        ignored_.emplace_back(c);
}

std::vector<std::string> CompletionList::match(std::string_view text) const {
    const std::string wanted = comparable(text, ignored_);
    std::vector<std::string> found;
    for (const std::string& word : words_)
        if (comparable(word, ignored_).find(wanted) != std::string::npos) found.push_back(word);
    sortWithoutCase(found);
    return found;
}

std::vector<std::string> CompletionList::sortedWords() const {
    std::vector<std::string> all = words_;
    sortWithoutCase(all);
    return all;
}

int CompletionList::visibleRows() const {
    return std::min(static_cast<int>(entries_.size()), kMaxVisibleRows);
}

void CompletionList::openWith(std::vector<std::string> entries) {
    entries_ = std::move(entries);
    selection_ = -1;
    open_ = !entries_.empty();
}

void CompletionList::close() {
    open_ = false;
    selection_ = -1;
}

void CompletionList::textChanged(std::string_view text, bool byUser) {
    if (!byUser) return;
    if (text.empty()) {
        close();
        entries_.clear();
        return;
    }
    openWith(match(text));
}

CompletionKeyResult CompletionList::key(CompletionKey key, std::string_view fieldText) {
    if (key == CompletionKey::Enter || key == CompletionKey::Escape) {
        const bool wasOpen = open_;
        close();
        return {wasOpen, std::nullopt};
    }
    if (!open_) {
        // A closed list opens with the whole word list when the field is empty.
        if (!fieldText.empty() || words_.empty()) return {};
        openWith(sortedWords());
        return {true, std::nullopt};
    }
    const int last = static_cast<int>(entries_.size()) - 1;
    const int page = std::max(visibleRows(), 1);
    int row = selection_;
    switch (key) {
    case CompletionKey::Up:
        row = row - 1;
        break;
    case CompletionKey::Down:
        row = row + 1;
        break;
    case CompletionKey::PageUp:
        row = row - page;
        break;
    case CompletionKey::PageDown:
        row = row < 0 ? page - 1 : row + page;
        break;
    case CompletionKey::Home:
        row = 0;
        break;
    case CompletionKey::End:
        row = last;
        break;
    default:
        break;
    }
    selection_ = std::clamp(row, 0, last);
    return {true, entries_[static_cast<size_t>(selection_)]};
}

std::optional<std::string> CompletionList::take(int row) {
    if (!open_ || row < 0 || row >= static_cast<int>(entries_.size())) return std::nullopt;
    selection_ = row;
    return entries_[static_cast<size_t>(row)];
}

} // namespace lorvan
