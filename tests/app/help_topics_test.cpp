#include "app/help_topics.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

namespace lorvan {
namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<int> numbersOf(const std::vector<HelpSearchHit>& hits) {
    std::vector<int> numbers;
    for (const HelpSearchHit& hit : hits)
        numbers.push_back(hit.topic);
    return numbers;
}

// The help as shipped: every topic the program asks for is there, and no page links into nowhere.
class ShippedHelpTest : public ::testing::Test {
  protected:
    const fs::path directory{LORVAN_HELP_DIR};
    HelpTopics help = HelpTopics::load(directory);
};

TEST_F(ShippedHelpTest, EveryTopicOfTheProgramExists) {
    for (int number :
         {kHelpContents, kHelpStartUp, kHelpGeneralSettings, kHelpOpenYearFile, kHelpYearView, kHelpMonthView,
          kHelpReports, kHelpExport, kHelpAccount, kHelpCommandLine, kHelpUsingHelp, kHelpTimeLine, kHelpQuickEntry,
          kHelpTimeImport, kHelpEmployeeImport, kHelpImportProtocol, kHelpMonthClosing, kHelpBookingExport,
          kHelpAbsenceExport, kHelpClosingLists, kHelpYearEnd, kHelpVehicles, kHelpLogbook, kHelpTripDialog,
          kHelpTripAssistant})
        EXPECT_TRUE(help.topicPath(number).has_value()) << number;
    ASSERT_TRUE(help.topicPath(kHelpContents));
    EXPECT_EQ(*help.topicPath(kHelpContents), help.contentsPage());
}

TEST_F(ShippedHelpTest, EveryPageIsListedAndEveryLinkLeadsToAPage) {
    std::set<std::string> listed;
    for (const HelpTopic& topic : help.topics())
        listed.insert(topic.file);
    const std::regex link(R"re((href|src)="([^"#:]+)(#[^"]*)?")re");
    for (const fs::directory_entry& entry : fs::directory_iterator(directory)) {
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() != ".html") continue;
        EXPECT_EQ(listed.count(name), 1u) << name << " is in no topic";
        const std::string page = readFile(entry.path());
        EXPECT_NE(page.find("<meta charset=\"utf-8\">"), std::string::npos) << name;
        for (std::sregex_iterator it(page.begin(), page.end(), link), end; it != end; ++it)
            EXPECT_TRUE(fs::is_regular_file(directory / (*it)[2].str())) << name << " -> " << (*it)[2];
    }
}

TEST_F(ShippedHelpTest, SearchFindsTheTopicByItsWords) {
    const std::vector<HelpSearchHit> monthView = help.search("angelegte TAGE");
    ASSERT_FALSE(monthView.empty());
    EXPECT_EQ(monthView.front().topic, kHelpMonthView);
    EXPECT_EQ(monthView.front().path, directory / "monatsansicht.html");
    // Markup and style sheet are no text.
    EXPECT_TRUE(help.search("href").empty());
    EXPECT_TRUE(help.search("stylesheet").empty());
}

// A small help folder written by the test.
class HelpFixture : public ::testing::Test {
  protected:
    test::TempDir folder;

    void write(const std::string& name, const std::string& text) const {
        fs::create_directories((folder.path() / name).parent_path());
        test::writeBytes(folder.file(name), text);
    }
    HelpTopics load() const { return HelpTopics::load(folder.path()); }
};

TEST_F(HelpFixture, UnusableEntriesOfTheTableAreLeftOut) {
    write("secret.html", "<p>geheim</p>");
    write("help/a.html", "<p>a</p>");
    write("help/b.html", "<p>b</p>");
    write("help/topics.ini", "\xEF\xBB\xBF; Themen\r\n"
                             "[abc]\r\nfile=a.html\r\n"
                             "[0]\r\nfile=a.html\r\n"
                             "[5]\r\ntitle=Ohne Datei\r\n"
                             "[6]\r\nfile=../secret.html\r\n"
                             "[7]\r\nfile=" +
                                 folder.file("secret.html") +
                                 "\r\n"
                                 "[12]\r\nfile=sub\\..\\..\\secret.html\r\n"
                                 "[8]\r\nfile = a.html\r\ntitle = Thema A\r\nkeywords = Eins ; ; Zwei\r\n"
                                 "[8]\r\nfile=b.html\r\n"
                                 "[ 9 ]\r\nfile=fehlt.html\r\n"
                                 "[10]\r\nfile=b.html\r\n");
    const HelpTopics help = HelpTopics::load(folder.path() / "help");
    std::vector<int> numbers;
    for (const HelpTopic& topic : help.topics())
        numbers.push_back(topic.number);
    EXPECT_EQ(numbers, (std::vector<int>{8, 9, 10}));

    const HelpTopic* first = help.topic(8);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->title, "Thema A");
    EXPECT_EQ(first->keywords, (std::vector<std::string>{"Eins", "Zwei"}));
    EXPECT_EQ(help.topic(10)->title, "b.html"); // no title: the file name
    EXPECT_EQ(help.topicPath(8), folder.path() / "help" / "a.html");
    for (int missing : {6, 7, 9, 12, 99})
        EXPECT_FALSE(help.topicPath(missing)) << missing;
    EXPECT_EQ(missingTopicMessage(9), "Das Hilfethema 9 ist nicht verfügbar.");
}

TEST_F(HelpFixture, AFolderWithoutTableHasNoTopics) {
    write("index.html", "<p>Inhalt</p>");
    const HelpTopics help = load();
    EXPECT_TRUE(help.topics().empty());
    EXPECT_FALSE(help.topicPath(kHelpContents));
    EXPECT_TRUE(help.search("Inhalt").empty());
    EXPECT_EQ(help.contentsPage(), folder.path() / "index.html");
}

TEST_F(HelpFixture, IndexIsInGermanOrderRegardlessOfCase) {
    write("a.html", "");
    write("b.html", "");
    write("topics.ini", "[1]\nfile=a.html\ntitle=Zweites\nkeywords=Zeit; Übersicht; abc; Urlaub; Maße\n"
                        "[2]\nfile=b.html\ntitle=Erstes\nkeywords=Ärger; Masse; Urlaub; Bäcker; Backen\n");
    std::vector<std::string> keywords;
    std::vector<int> topics;
    for (const HelpIndexEntry& entry : load().index()) {
        keywords.push_back(entry.keyword);
        topics.push_back(entry.topic);
    }
    EXPECT_EQ(keywords, (std::vector<std::string>{"abc", "Ärger", "Backen", "Bäcker", "Masse", "Maße",
                                                  "Übersicht", "Urlaub", "Urlaub", "Zeit"}));
    // The same keyword twice: by the title of its topic, not by the order of the table.
    EXPECT_EQ(topics[7], 2);
    EXPECT_EQ(topics[8], 1);
}

TEST_F(HelpFixture, SearchNeedsEveryWordAndRanksTitlesFirst) {
    write("ueber.html", "<html><head><title>Überstunden</title><style>p { color: red; }</style></head>"
                        "<body><p class=\"gross\">Mehrarbeit &amp; Konto</p><!-- Urlaub --></body></html>");
    write("konto.html", "<p>Das Konto sammelt Überstunden. Überstunden und nochmals ÜBERSTUNDEN.</p>");
    write("urlaub.html", "<p>Urlaub&nbsp;und Überstunden im Jahr</p>");
    write("topics.ini", "[1]\nfile=ueber.html\ntitle=Überstunden\n"
                        "[2]\nfile=konto.html\ntitle=Arbeitszeitkonto\n"
                        "[3]\nfile=urlaub.html\ntitle=Urlaub\n"
                        "[4]\nfile=fehlt.html\ntitle=Überstunden fehlen\n");
    const HelpTopics help = load();
    struct Case {
        const char* query;
        std::vector<int> topics;
    };
    const Case cases[] = {
        {"überstunden", {1, 2, 3}}, // title first, then by count; a missing file is never a hit
        {"ÜBERSTUNDEN", {1, 2, 3}},
        {"  Überstunden   urlaub ", {3}},
        {"mehrarbeit & konto", {1}},
        {"urlaub und", {3}},
        {"gross", {}}, // an attribute
        {"color", {}}, // the style sheet
        {"title", {}}, // a tag name
        {"nichts", {}},
        {"", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(numbersOf(help.search(c.query)), c.topics) << c.query;
    const std::vector<HelpSearchHit> hits = help.search("Überstunden");
    ASSERT_EQ(hits.size(), 3u);
    EXPECT_EQ(hits[0].title, "Überstunden");
    EXPECT_EQ(hits[0].path, folder.path() / "ueber.html");
}

TEST(HelpDirectory, FirstFolderWithATopicTable) {
    const test::TempDir root;
    const fs::path bin = root.path() / "bin";
    const fs::path besideProgram = bin / "help";
    const fs::path installed = root.path() / "share" / "lorvan" / "help";
    EXPECT_EQ(helpDirectoryCandidates(bin),
              (std::vector<fs::path>{besideProgram, installed, fs::path(LORVAN_HELP_DIR)}));

    // Nothing beside the program: the source tree's help of this build.
    fs::create_directories(besideProgram);
    EXPECT_EQ(helpDirectory(bin), fs::path(LORVAN_HELP_DIR));
    fs::create_directories(installed);
    test::writeBytes((installed / kHelpTableName).string(), "[1]\nfile=index.html\n");
    EXPECT_EQ(helpDirectory(bin), installed);
    test::writeBytes((besideProgram / kHelpTableName).string(), "[1]\nfile=index.html\n");
    EXPECT_EQ(helpDirectory(bin), besideProgram);
}

} // namespace
} // namespace lorvan
