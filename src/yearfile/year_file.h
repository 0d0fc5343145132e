#pragma once

#include "foundation/datum.h"
#include "yearfile/year_document.h"
#include "yearfile/settings.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <vector>

// The working-time year file: all times of one employee for one calendar year. The document owns
// its settings and up to twelve months, a month owns its days, a day owns its time lines; every
// child points back to its parent (time line -> day -> month -> document).
//
// Copying: a copy-constructed record points to the same parent as its source (a dialog copy of a
// day still reaches the settings); an assigned record keeps its own parent and number and takes
// only the contents. Either way the copied children point to their new owner.
namespace lorvan {

class CLorvanDoc;
class CMonatDoc;
class CTagDoc;

// The elements of a keyed collection for changing them in place; elements are added and removed
// only through their owner, which keeps the back references valid.
template <typename Map> class MapElements {
  public:
    explicit MapElements(Map& map) : map_(&map) {}
    typename Map::iterator begin() const { return map_->begin(); }
    typename Map::iterator end() const { return map_->end(); }
    size_t size() const { return map_->size(); }
    bool empty() const { return map_->empty(); }

  private:
    Map* map_;
};

// Day kinds ("Art wählen").
enum DayKind : int32_t {
    kNormalWorkingDay = 0,  // "Normaler Arbeitstag"
    kStandbyDuty = 1,       // "Stördienst"
    kVacation = 2,          // "Urlaub"
    kSickWithPay = 3,       // "Krank mit Lohnfortzahlung"
    kDoubleStandbyDuty = 4, // "Stördienst-Doppelt"
    kTimeOff = 5,           // "Zeitausgleich"
    kHalfVacationDay = 6,   // "Halber Urlaubstag"
    kDayOff = 7,            // "Freier Tag"
    kSickWithSickPay = 8,   // "Krank mit Krankengeld"
    kChildSick = 9,         // "Krankheit Kind"
    kParentalLeave = 10,    // "Elternzeit"
    kNotEmployed = 11,      // "Nicht beschäftigt"
};

// The short code of an absence in the clock and payroll files: "U" (a vacation day, "UH" on a half
// working day), "UH", "K", "KG", "KK", "EZ", "ZA"; "" for the kinds that are no absence.
const char* absenceCode(int32_t dayKind, bool halfWorkingDay);

// Cost kinds of a time line ("Kosten").
enum CostKind : int32_t {
    kCostFromHourlyWage = 0, // "Aus Stundenlohn"
    kCostPerHour = 1,        // "Je Stunde"
    kCostFixedAmount = 2,    // "Fester Betrag"
};

// The kinds of a time line, in the order of the entry dialog.
inline constexpr const char* kKindCustomer = "Kunde";
inline constexpr const char* kKindBreak = "Pause";
inline constexpr const char* kKindOffice = "Büro";
inline constexpr const char* kKindWorkingTime = "Arbeitszeit";
inline constexpr const char* kKindTravel = "Fahrt";
inline constexpr const char* kKindStandby = "Bereitschaft";
inline constexpr std::array<const char*, 6> kTimeLineKinds = {kKindCustomer,    kKindBreak,  kKindOffice,
                                                              kKindWorkingTime, kKindTravel, kKindStandby};

// Files before version 5 stored short kind codes ("K", "P", "AZ", ...); their kind, compared without
// regard to case. Other codes stay as they are.
std::string kindFromOldCode(const std::string& code);

// One from-to entry of a day.
class CZeitZeile {
  public:
    // A free line with the plain defaults (cost kind 0). Lines of a day come from CTagDoc::addLine,
    // which applies the defaults of the year file's settings.
    CZeitZeile() = default;
    CZeitZeile(const CZeitZeile&) = default;
    CZeitZeile(CZeitZeile&&) noexcept = default;
    CZeitZeile& operator=(const CZeitZeile& other);
    CZeitZeile& operator=(CZeitZeile&& other) noexcept;

    std::string kind;         // "Art": one of kTimeLineKinds
    std::string customer;     // required for kind "Kunde"
    std::string from;         // h:mm, may be empty while incomplete
    std::string to;           // h:mm, hours up to 47 mean the following day
    int32_t duration = 0;     // minutes, the pause included
    std::string durationText; // not stored: rebuilt from duration (updateDurationText)
    std::string remark;       // "Anmerkung für Tageszettel"
    int32_t pause = 0;        // minutes, part of the duration
    int32_t fromFixed = 0;
    int32_t toFixed = 0;
    int32_t durationFixed = 0;
    std::array<double, 3> calculationFields{};
    std::string service;
    int32_t costKind = kCostFromHourlyWage;
    double costAmount = 0.0; // per hour for cost kind 1, fixed amount for cost kind 2
    std::string vehicle;
    double kilometresDriven = 0.0;
    double odometerAfter = 0.0;

    CTagDoc* day() const { return day_; }

    // No kind, customer, times, remark or service, and zero duration, pause and calculation fields.
    bool isEmpty() const;
    // durationText = the duration as at least two hour digits and two minute digits.
    void updateDurationText();

    void store(ArchiveWriter& ar) const;
    void load(ArchiveReader& ar, int32_t version);
    // The fewest bytes one line of that file version takes.
    static size_t minimumBytes(int32_t version);

  private:
    friend class CTagDoc;
    CTagDoc* day_ = nullptr;
};

// One day of a month.
class CTagDoc {
  public:
    explicit CTagDoc(CMonatDoc* month = nullptr, int32_t number = 0) : month_(month), number_(number) {}
    CTagDoc(const CTagDoc& other);
    CTagDoc(CTagDoc&& other) noexcept;
    CTagDoc& operator=(const CTagDoc& other);
    CTagDoc& operator=(CTagDoc&& other) noexcept;
    ~CTagDoc() = default;

    std::string furtherEmployees; // "+ weitere Mitarbeiter"
    int32_t dayKind = kNormalWorkingDay;
    std::string reportRemark;   // "Anmerkung für Monats- bzw. Wochenauswertung"
    std::string internalRemark; // "Anmerkung intern"
    int32_t publicHoliday = 0;
    int32_t complete = 1;
    int32_t checkedAndClosed = 0;

    int32_t number() const { return number_; }
    CMonatDoc* month() const { return month_; }
    CLorvanDoc* document() const;
    // Year of the document, the month's number and the day number (year 1 without a document).
    Datum date() const;

    // The time lines in list order.
    std::span<const CZeitZeile> lines() const { return lines_; }
    std::span<CZeitZeile> lines() { return lines_; }
    CZeitZeile& line(size_t index) { return lines_.at(index); }
    const CZeitZeile& line(size_t index) const { return lines_.at(index); }
    size_t lineCount() const { return lines_.size(); }
    // Appends a new line with the defaults of a new line; cost kind 2 ("Fester Betrag") when the
    // settings do not allow wages as costs in the customer query.
    CZeitZeile& addLine();
    // Appends a copy of the line, which then belongs to this day.
    CZeitZeile& addLine(const CZeitZeile& line);
    void removeLine(size_t index);
    // Replaces all lines (e.g. by the sorted lines of the day entry).
    void setLines(std::vector<CZeitZeile> lines);
    void removeEmptyLines();

    void store(ArchiveWriter& ar) const;
    void load(ArchiveReader& ar, int32_t version);
    // The fewest bytes one day of that file version takes, its int32 key included.
    static size_t minimumBytes(int32_t version);

  private:
    friend class CMonatDoc;
    void adoptLines();

    CMonatDoc* month_ = nullptr;
    int32_t number_ = 0;
    std::vector<CZeitZeile> lines_;
};

// One month of the year file with the cached results of its evaluation.
class CMonatDoc {
  public:
    explicit CMonatDoc(CLorvanDoc* document = nullptr, int32_t number = 0)
        : document_(document), number_(number) {}
    CMonatDoc(const CMonatDoc& other);
    CMonatDoc(CMonatDoc&& other) noexcept;
    CMonatDoc& operator=(const CMonatDoc& other);
    CMonatDoc& operator=(CMonatDoc&& other) noexcept;
    ~CMonatDoc() = default;

    double accountCorrection = 0.0; // "Korrektur um" (hours)
    std::string correctionComment;  // "Kommentar", at most 100 characters
    int32_t resultsValid = 0;       // the cached results below are up to date
    // Cached results of the month evaluation (hours).
    double accountChange = 0.0;
    double surchargeHoursOvertime1 = 0.0;
    double surchargeHoursOvertime2 = 0.0;
    double surchargeHoursNight = 0.0;
    double surchargeHoursSaturday = 0.0;
    double surchargeHoursHoliday = 0.0;
    double surchargeHoursSunday = 0.0;
    double accountPayout = 0.0;

    int32_t number() const { return number_; }
    CLorvanDoc* document() const { return document_; }
    // The calendar year of the document's settings (0 without a document).
    int32_t year() const;

    // The days in day order; only days that were created exist.
    const std::map<int32_t, CTagDoc>& days() const { return days_; }
    MapElements<std::map<int32_t, CTagDoc>> days() { return MapElements(days_); }
    CTagDoc* day(int32_t number);
    const CTagDoc* day(int32_t number) const;
    // The day with that number, created when it does not exist. Raises std::invalid_argument for a
    // number outside 1 to the month's length (1 to 31 without a document).
    CTagDoc& addDay(int32_t number);
    // The same for a day as a stored file may hold it: 1 to 31 whatever the month's length (a file
    // whose year was changed may hold 30 February), so that such a file is written back unchanged.
    CTagDoc& addStoredDay(int32_t number);
    void removeDay(int32_t number);

    // Marks the cached results out of date and sets them to 0.
    void resetResults();

    void store(ArchiveWriter& ar) const;
    void load(ArchiveReader& ar, int32_t version);
    // The fewest bytes one month of that file version takes, its int32 key included.
    static size_t minimumBytes(int32_t version);

  private:
    friend class CLorvanDoc;
    void adoptDays();

    CLorvanDoc* document_ = nullptr;
    int32_t number_ = 0;
    std::map<int32_t, CTagDoc> days_;
};

// The document of one year file (extension "azr").
class CLorvanDoc : public CTwDoc {
  public:
    static constexpr int32_t kCurrentVersion = 44;

    CLorvanDoc() = default;
    CLorvanDoc(const CLorvanDoc& other);
    CLorvanDoc(CLorvanDoc&& other) noexcept;
    CLorvanDoc& operator=(const CLorvanDoc& other);
    CLorvanDoc& operator=(CLorvanDoc&& other) noexcept;
    ~CLorvanDoc() override = default;

    int32_t currentVersion() const override { return kCurrentVersion; }

    CEinstArbzt& settings() { return settings_; }
    const CEinstArbzt& settings() const { return settings_; }

    // The months in number order.
    const std::map<int32_t, CMonatDoc>& months() const { return months_; }
    MapElements<std::map<int32_t, CMonatDoc>> months() { return MapElements(months_); }
    CMonatDoc* month(int32_t number);
    const CMonatDoc* month(int32_t number) const;
    // The month with that number, created when it does not exist; std::invalid_argument outside 1-12.
    CMonatDoc& addMonth(int32_t number);
    void removeMonth(int32_t number);

    // Resets the cached results of month m and of every later month (the account carries on from
    // month to month).
    void resetFromMonth(int32_t m);
    // A day of month m was saved: when m's results are valid they go out of date, together with
    // every later month.
    void dayOfMonthSaved(int32_t m);
    // The account correction of month m was saved: only month m goes out of date.
    void correctionSaved(int32_t m);
    // The file's settings were confirmed: every month goes out of date and the file needs saving.
    void settingsConfirmed();

    bool isModified() const { return modified_; }
    void setModified(bool modified = true) { modified_ = modified; }

    void store(ArchiveWriter& ar) const override;
    int32_t load(ArchiveReader& ar) override;
    void clear() override;

  protected:
    CEinst& ownerSettings() override { return settings_; }
    const CEinst& ownerSettings() const override { return settings_; }

  private:
    void adoptMonths();

    CEinstArbzt settings_;
    std::map<int32_t, CMonatDoc> months_;
    bool modified_ = false;
};

} // namespace lorvan
