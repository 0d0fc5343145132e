#include "app/completion.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lorvan {
namespace {

using Words = std::vector<std::string>;

struct MatchCase {
    const char* name;
    Words words;
    std::string ignored;
    std::string typed;
    Words expected;
};

TEST(CompletionListTest, MatchesSubstringsInUpperCaseAndSortsWithoutCase) {
    const MatchCase cases[] = {
        {"umlauts are not spelled out",
         {"Bäckerei Kunz", "Zentralbaeckerei", "Baecker GmbH"},
         "",
         "baeck",
         {"Baecker GmbH", "Zentralbaeckerei"}},
        {"umlauts meet in upper case",
         {"Bäckerei Kunz", "BÄCKER", "Baecker"},
         "",
         "bäck",
         {"BÄCKER", "Bäckerei Kunz"}},
        {"ignored characters leave both texts", {"A-B/C Bau", "ABD"}, "-/,;", "abc", {"A-B/C Bau"}},
        {"ignored characters in the typed text",
         {"Müller, Anna", "Müller Bau"},
         "-/,;",
         "ller, an",
         {"Müller, Anna"}},
        {"without ignored characters a dash counts", {"A-B/C Bau"}, "", "abc", {}},
        {"an ignored umlaut is one whole character", {"Föhn", "Füh", "Fhn"}, "ö", "fh", {"Fhn", "Föhn"}},
        {"order ignores case",
         {"beta", "Alpha", "ALPHA", "Gamma"},
         "",
         "a",
         {"ALPHA", "Alpha", "beta", "Gamma"}},
        {"nothing matches", {"Kunz"}, "", "x", {}},
    };
    for (const MatchCase& c : cases) {
        CompletionList list;
        list.setWordList(c.words);
        list.setIgnoredCharacters(c.ignored);
        EXPECT_EQ(list.match(c.typed), c.expected) << c.name;
    }
}

TEST(CompletionListTest, OnlyUserChangesRecomputeAndEmptyOrUnmatchedTextCloses) {
    CompletionList list;
    list.setWordList({"Maler Kunz", "Malerei Berg", "Bau"});

    list.textChanged("mal", false);
    EXPECT_FALSE(list.isOpen());

    list.textChanged("mal", true);
    ASSERT_TRUE(list.isOpen());
    EXPECT_EQ(list.entries(), (Words{"Maler Kunz", "Malerei Berg"}));
    EXPECT_EQ(list.selection(), -1);

    list.textChanged("Bau", false); // the list put a text: nothing changes
    EXPECT_EQ(list.entries(), (Words{"Maler Kunz", "Malerei Berg"}));

    list.textChanged("malx", true);
    EXPECT_FALSE(list.isOpen());
    list.textChanged("mal", true);
    list.textChanged("", true);
    EXPECT_FALSE(list.isOpen());
}

TEST(CompletionListTest, NavigationKeysInAnEmptyFieldOpenTheWholeListSorted) {
    CompletionList list;
    list.setWordList({"zeta", "Beta", "alpha"});

    EXPECT_FALSE(list.key(CompletionKey::Down, "al").handled); // not empty: the field's own key
    EXPECT_FALSE(list.isOpen());

    const CompletionKeyResult r = list.key(CompletionKey::Down, "");
    EXPECT_TRUE(r.handled);
    EXPECT_FALSE(r.fieldText);
    ASSERT_TRUE(list.isOpen());
    EXPECT_EQ(list.entries(), (Words{"alpha", "Beta", "zeta"}));
    EXPECT_EQ(list.selection(), -1);

    CompletionList empty;
    EXPECT_FALSE(empty.key(CompletionKey::Down, "").handled);
    EXPECT_FALSE(empty.isOpen());
}

TEST(CompletionListTest, KeysMoveTheSelectionWithinTheListAndYieldItsEntry) {
    Words words;
    for (char c = 'a'; c <= 'l'; ++c)
        words.push_back(std::string("Wort ") + c); // 12 entries
    CompletionList list;
    list.setWordList(words);
    list.textChanged("wort", true);
    ASSERT_EQ(list.visibleRows(), 8);

    struct Step {
        CompletionKey key;
        int row;
    };
    const Step steps[] = {
        {CompletionKey::Down, 0},      {CompletionKey::Down, 1},  {CompletionKey::PageDown, 9},
        {CompletionKey::PageDown, 11}, {CompletionKey::Down, 11}, {CompletionKey::PageUp, 3},
        {CompletionKey::PageUp, 0},    {CompletionKey::Up, 0},    {CompletionKey::End, 11},
        {CompletionKey::Home, 0},
    };
    for (const Step& s : steps) {
        const CompletionKeyResult r = list.key(s.key, "egal");
        EXPECT_TRUE(r.handled);
        ASSERT_EQ(list.selection(), s.row) << static_cast<int>(s.key);
        EXPECT_EQ(r.fieldText, words[static_cast<size_t>(s.row)]);
    }

    EXPECT_TRUE(list.key(CompletionKey::Escape, "Wort a").handled);
    EXPECT_FALSE(list.isOpen());
    EXPECT_FALSE(list.key(CompletionKey::Enter, "Wort a").handled); // closed: Enter goes to the dialog
}

TEST(CompletionListTest, VisibleRowsAreTheEntriesUpToEight) {
    CompletionList list;
    list.setWordList({"Kunz", "Kunze", "Kunzmann"});
    list.textChanged("kun", true);
    EXPECT_EQ(list.visibleRows(), 3);
    list.close();
    EXPECT_EQ(list.visibleRows(), 3);
}

TEST(CompletionListTest, TakingARowSelectsItAndRowsOutsideGiveNothing) {
    CompletionList list;
    list.setWordList({"Kunz", "Kunze"});
    EXPECT_FALSE(list.take(0)); // closed
    list.textChanged("k", true);
    EXPECT_EQ(list.take(1), "Kunze");
    EXPECT_EQ(list.selection(), 1);
    EXPECT_FALSE(list.take(2));
    EXPECT_FALSE(list.take(-1));
}

} // namespace
} // namespace lorvan
