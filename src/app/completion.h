#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The logic of the completion field: which entries of its word list match the typed text, the
// list's rows and selection, and what the keys of the field do to them. The window that shows the
// list (src/gui/completion_field.h) follows this state.
namespace lorvan {

enum class CompletionKey { Up, Down, PageUp, PageDown, Home, End, Enter, Escape };

// What a key in the field did.
struct CompletionKeyResult {
    bool handled = false;                 // the key belongs to the list and goes no further
    std::optional<std::string> fieldText; // the entry to put into the field
};

class CompletionList {
  public:
    static constexpr int kMaxVisibleRows = 8;

    void setWordList(std::vector<std::string> words);
    const std::vector<std::string>& wordList() const { return words_; }
    // Characters (UTF-8, each one counts) left out of both texts when matching, "-/,;" for example.
    void setIgnoredCharacters(std::string characters);

    // The entries of the word list that hold the text anywhere, compared in upper case without the
    // ignored characters, sorted without regard to case. Umlauts are compared as they are.
    std::vector<std::string> match(std::string_view text) const;
    // The whole word list in that order.
    std::vector<std::string> sortedWords() const;

    // A change of the field text. Only changes the user made recompute the list: an empty text or
    // no match closes it, otherwise it shows the matches without a selection.
    void textChanged(std::string_view text, bool byUser);
    // A key in the field holding fieldText.
    CompletionKeyResult key(CompletionKey key, std::string_view fieldText);
    // A click on a row: selects it and gives its entry, nothing for a row outside the list.
    std::optional<std::string> take(int row);
    void close();

    bool isOpen() const { return open_; }
    const std::vector<std::string>& entries() const { return entries_; }
    int selection() const { return selection_; } // -1: none
    int visibleRows() const;

  private:
    void openWith(std::vector<std::string> entries);

    std::vector<std::string> words_;
    std::vector<std::string> ignored_; // one UTF-8 character each
    std::vector<std::string> entries_;
    int selection_ = -1;
    bool open_ = false;
};

} // namespace lorvan
