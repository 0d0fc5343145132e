#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The evaluation of one day: the credited minutes and the cost of a time line, the day's work blocks
// with their work, pause and standby minutes, the minutes of a block inside a clock window (night,
// Saturday), and the day's status text and category. The month evaluation sums these values.
namespace lorvan {

class CEinstArbzt;
class CTagDoc;
class CZeitZeile;

// Turns a customer number into the text evaluations show for it (served by the customer file).
class CustomerLookup {
  public:
    virtual ~CustomerLookup() = default;
    // The text of the customer with that number; nullopt when there is no such customer.
    virtual std::optional<std::string> customerText(int32_t number) const = 0;
};

// The text evaluations and lists show for a line's customer entry: an entry that begins with a digit
// names a customer by the number its digits form and shows that customer's text; any other entry,
// and a number without customer (or without lookup), as it stands.
std::string customerDisplayText(const std::string& entry, const CustomerLookup* customers);

// A block in the form the month evaluation takes it.
struct ExportedBlock {
    int32_t startHour = 0; // from hour, reduced by 24 from 24:00 on
    int32_t fromMinute = 0;
    int32_t endHour = 0; // to hour, reduced by 24 when the end lies after 24:00
    int32_t toMinute = 0;
    int32_t pause = 0; // minutes
    double creditedMinutes = 0.0;
    int32_t workMinutes = 0;
    // The block as it stands (hours may exceed 23).
    int32_t rawFromHour = 0;
    int32_t rawFromMinute = 0;
    int32_t rawToHour = 0;
    int32_t rawToMinute = 0;
    int32_t span = 0;
    int32_t rawPause = 0;
    std::string text;
    std::string service;
    std::string remark;
    bool standby = false;
    int32_t standbyMinutes = 0;
    std::array<double, 3> calculationSums{};
};

// A work block: one or more consecutive time lines of a day taken together.
class CArbzt {
  public:
    int32_t fromHour = -1; // -1: not set yet
    int32_t fromMinute = 0;
    int32_t toHour = 0; // may exceed 23 for times after midnight
    int32_t toMinute = 0;
    int32_t span = 0;  // minutes from..to, 0 when the end lies before the start
    int32_t pause = 0; // sum of the pause minutes of the block's lines
    std::array<double, 3> calculationSums{};
    std::string text;           // customer text or kind (detailed blocks only)
    std::string service;        // (detailed blocks only)
    std::string remark;         // (detailed blocks only)
    int32_t standby = 0;        // the block consists of "Bereitschaft" lines
    double standbyRating = 0.0; // percent, copied from the settings for a standby block

    // 0 for a standby block, else span - pause.
    int32_t workMinutes() const;
    // span - pause for a standby block, else 0.
    int32_t standbyMinutes() const;
    // A standby block counts (span - pause) x rating / 100; any other block span - pause.
    double creditedMinutes() const;

    // Sets the start from an h:mm text; a text without colon leaves the start unset (hour -1).
    void setFrom(std::string_view text);
    // Sets the end from an h:mm text (a text without colon makes the end equal to the start, an unset
    // start becoming 0:00; an unset start becomes the end) and recomputes the span.
    void setTo(std::string_view text);

    ExportedBlock exported() const;
};

// duration - pause; a "Bereitschaft" line counts (duration - pause) x the standby rating / 100,
// truncated toward zero. The rating comes from the line's year file (LorvanError kPointerNotSet for a
// standby line that belongs to no year file).
int32_t lineNetMinutes(const CZeitZeile& line);
int32_t lineNetMinutes(const CZeitZeile& line, const CEinstArbzt& settings);

// The cost of a time line by its cost kind. For cost kind 0 ("Aus Stundenlohn") while the settings do
// not allow wages as costs in the customer query, the cost is 0 and notAvailable is set to true;
// notAvailable is left as it is otherwise, so one flag can collect a whole list of lines.
// Cost kind 0 needs the line's year file (LorvanError kPointerNotSet without one) and a wage period.
double lineCost(const CZeitZeile& line, bool& notAvailable);
// The same from a line's values: settings and month are those of the line's year file and month, read
// only for cost kind 0.
double lineCost(int32_t costKind, double costAmount, int32_t duration, std::string_view service,
                const CEinstArbzt* settings, int32_t month, bool& notAvailable);

// The work blocks of the day in line order. Not detailed: consecutive lines whose times join form one
// block (split where standby starts or ends, and at every "Pause" line while the night surcharge is
// on); serviceMinutes, when given, gets the net minutes of each line per service. Detailed: one block
// per line with its customer text (customer numbers through customers, when given), service and
// remark; serviceMinutes is not touched. Needs the day's year file (LorvanError kPointerNotSet).
std::vector<CArbzt> buildBlocks(const CTagDoc& day, bool detailed,
                                std::map<std::string, int32_t>* serviceMinutes = nullptr,
                                const CustomerLookup* customers = nullptr);

// The minutes of the block inside the daily clock window windowStart..windowEnd (h:mm texts; an end
// of 0:00 means 24:00, an end before the start wraps past midnight). A block from 24:00 on is moved
// back a day, a block across midnight is counted on the same clock after midnight. With
// subtractPause, a pause above 0 and below the result is taken off.
int32_t windowMinutes(const CArbzt& block, std::string_view windowStart, std::string_view windowEnd,
                      bool subtractPause);

// Such a window read once into minutes after midnight (the end of 0:00 as 24:00): the month
// evaluation asks every block of the month for the same windows.
struct ClockWindow {
    int64_t start = 0;
    int64_t end = 0;
};
ClockWindow clockWindow(std::string_view windowStart, std::string_view windowEnd);
int32_t windowMinutes(const CArbzt& block, const ClockWindow& window, bool subtractPause);

// "Unvollständig", "Feiertag", the absence kind, "Keine Zeiten" for a working day without lines, then
// " / " and the internal remark.
std::string statusText(const CTagDoc& day);
// The marking of the day in lists: 1 incomplete, 2 holiday, 3 vacation, 4 half vacation day,
// 5 sick, 6 time off, 7 day off / parental leave / not employed, 8 working day without lines, else 0.
int32_t statusCategory(const CTagDoc& day);

} // namespace lorvan
