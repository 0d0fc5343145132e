#pragma once

#include "yearfile/year_file.h"

#include <cstdint>
#include <functional>
#include <string>

namespace lorvan::test {

// Builds the year file of a test in a few lines:
//
//   const CLorvanDoc doc = YearFileBuilder("Anna Berg", 2024)
//                              .settings([](CEinstArbzt& s) { s.keepWorkingTimeAccount = 1; })
//                              .day(3, 14).work("7:00", "16:00")
//                              .day(3, 15).line(kKindCustomer, "8:00", "12:00").service("Montage")
//                              .day(3, 18, kVacation)
//                              .build();
//
// Months, days and lines are created as the program creates them (addMonth, addDay, addLine with
// the defaults of the settings given so far). A line's duration is its span from "from" to "to",
// the pause included.
class YearFileBuilder {
  public:
    YearFileBuilder(const std::string& name, int32_t year);
    // Goes on building a year file that a test prepared otherwise.
    explicit YearFileBuilder(CLorvanDoc start);

    // Changes the settings; days and lines added later see the change.
    YearFileBuilder& settings(const std::function<void(CEinstArbzt&)>& change);
    // Creates the month (when missing) and changes it, e.g. its account correction.
    YearFileBuilder& month(int32_t number, const std::function<void(CMonatDoc&)>& change = {});
    // Creates the day (when missing) and gives it the day kind; lines and changes that follow go to
    // this day.
    YearFileBuilder& day(int32_t month, int32_t day, int32_t kind = kNormalWorkingDay);
    // The same for a day past the month's end, as a stored file may hold one.
    YearFileBuilder& storedDay(int32_t month, int32_t day, int32_t kind = kNormalWorkingDay);
    // Marks the current day as a public holiday.
    YearFileBuilder& holiday();
    // Changes the current day.
    YearFileBuilder& withDay(const std::function<void(CTagDoc&)>& change);

    // Appends a time line to the current day.
    YearFileBuilder& line(const std::string& kind, const std::string& from, const std::string& to,
                          int32_t pause = 0);
    // A line of kind "Arbeitszeit".
    YearFileBuilder& work(const std::string& from, const std::string& to, int32_t pause = 0);
    // Sets the service of the current day's last line.
    YearFileBuilder& service(const std::string& name);
    // Changes the current day's last line.
    YearFileBuilder& withLine(const std::function<void(CZeitZeile&)>& change);

    const CLorvanDoc& doc() const { return doc_; }
    CLorvanDoc build() const { return doc_; }
    // Writes the year file (without questions) and returns its path.
    std::string saveAs(const std::string& path);

  private:
    CTagDoc& currentDay();
    CZeitZeile& lastLine();

    CLorvanDoc doc_;
    int32_t month_ = 0;
    int32_t day_ = 0;
};

} // namespace lorvan::test
