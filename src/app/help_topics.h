#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The program's help: HTML topics in one folder with a topic table "topics.ini" that gives every
// topic its number, file, title and index keywords. The help window shows them by number, with
// contents, index and full-text search.
namespace lorvan {

// Topic numbers the program asks for (context help of its windows).
inline constexpr int kHelpContents = 1;
inline constexpr int kHelpStartUp = 10;
inline constexpr int kHelpGeneralSettings = 11;
inline constexpr int kHelpOpenYearFile = 20;
inline constexpr int kHelpYearView = 21;
inline constexpr int kHelpMonthView = 22;
inline constexpr int kHelpQuickEntry = 23;
inline constexpr int kHelpTimeLine = 24;
inline constexpr int kHelpDayView = 25;
inline constexpr int kHelpFileSettings = 26;
inline constexpr int kHelpReports = 30;
inline constexpr int kHelpExport = 31;
inline constexpr int kHelpAccount = 32;
inline constexpr int kHelpCommandLine = 40;
inline constexpr int kHelpUsingHelp = 50;
inline constexpr int kHelpEmployees = 60;
inline constexpr int kHelpCustomers = 62;
inline constexpr int kHelpServices = 63;
inline constexpr int kHelpTimeImport = 69;
inline constexpr int kHelpEmployeeImport = 70;
inline constexpr int kHelpImportProtocol = 71;
inline constexpr int kHelpCustomerQuery = 80;
inline constexpr int kHelpMonthClosing = 85;
inline constexpr int kHelpBookingExport = 86;
inline constexpr int kHelpAbsenceExport = 87;
inline constexpr int kHelpClosingLists = 88;
inline constexpr int kHelpYearEnd = 89;
inline constexpr int kHelpPotentialAnalysis = 90;
inline constexpr int kHelpDaySheet = 95;
inline constexpr int kHelpWeeklyProof = 96;
inline constexpr int kHelpVehicles = 100;
inline constexpr int kHelpLogbook = 101;
inline constexpr int kHelpTripDialog = 102;
inline constexpr int kHelpTripAssistant = 104;

inline constexpr const char* kHelpTableName = "topics.ini";
inline constexpr const char* kHelpContentsName = "index.html";

struct HelpTopic {
    int number = 0;
    std::string file; // relative to the help folder
    std::string title;
    std::vector<std::string> keywords;
};

struct HelpIndexEntry {
    std::string keyword;
    int topic = 0;
    std::string title; // the topic's title, to tell entries with the same keyword apart
};

struct HelpSearchHit {
    int topic = 0;
    std::string title;
    std::filesystem::path path;
    int score = 0; // hits in the title count ten times
};

// "Das Hilfethema 42 ist nicht verfügbar."
std::string missingTopicMessage(int number);

class HelpTopics {
  public:
    // No help folder: no topics, every topic missing.
    HelpTopics() = default;

    // Reads the topic table of the folder and the text of its topics. A missing table gives no
    // topics. Entries of the table that cannot be used are left out: a section whose name is not a
    // positive number, a topic without file, a file outside the folder (absolute or with ".."),
    // a number that came before.
    static HelpTopics load(const std::filesystem::path& directory);

    const std::filesystem::path& directory() const { return directory_; }
    std::filesystem::path contentsPage() const;

    // In the order of the table.
    const std::vector<HelpTopic>& topics() const { return topics_; }
    const HelpTopic* topic(int number) const;
    // The topic's file when the table names it and the file exists.
    std::optional<std::filesystem::path> topicPath(int number) const;

    // Every keyword of every topic, in German alphabetical order regardless of letter case (umlauts
    // sorted with their base letter, ß as ss); the same keyword of several topics by topic title.
    std::vector<HelpIndexEntry> index() const;

    // Topics that hold every word of the query in their title or text (tags left out), regardless of
    // letter case, umlauts included; best first, then by title.
    std::vector<HelpSearchHit> search(std::string_view query) const;

  private:
    std::filesystem::path directory_;
    std::vector<HelpTopic> topics_;
    std::vector<std::string> foldedTitles_; // per topic, lower case
    std::vector<std::string> foldedTexts_;  // per topic, lower case text without tags
};

// The readable text of an HTML page: tags, comments, style and script left out, the usual entities
// replaced, white space collapsed.
std::string htmlToText(std::string_view html);

// Lower case of UTF-8 text for ASCII letters and the German umlauts.
std::string foldCase(std::string_view text);

// Orders two texts as a German index: regardless of letter case, "ä" as "a", "ß" as "ss".
bool germanLess(std::string_view a, std::string_view b);

// Where the help folder is looked for, in this order: "help" beside the program, the installed
// "share/lorvan/help" beside the program's "bin", and the source tree's folder of this build.
std::vector<std::filesystem::path> helpDirectoryCandidates(const std::filesystem::path& executableDir);
// The first candidate that holds a topic table.
std::optional<std::filesystem::path> helpDirectory(const std::filesystem::path& executableDir);

} // namespace lorvan
