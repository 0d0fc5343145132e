#include "support/year_file_builder.h"

#include "foundation/time_text.h"

#include <stdexcept>
#include <utility>

namespace lorvan::test {

YearFileBuilder::YearFileBuilder(const std::string& name, int32_t year) {
    doc_.settings().name = name;
    doc_.settings().year = year;
}

YearFileBuilder::YearFileBuilder(CLorvanDoc start) : doc_(std::move(start)) {}

YearFileBuilder& YearFileBuilder::settings(const std::function<void(CEinstArbzt&)>& change) {
    change(doc_.settings());
    return *this;
}

YearFileBuilder& YearFileBuilder::month(int32_t number, const std::function<void(CMonatDoc&)>& change) {
    CMonatDoc& month = doc_.addMonth(number);
    if (change) change(month);
    return *this;
}

YearFileBuilder& YearFileBuilder::day(int32_t month, int32_t day, int32_t kind) {
    doc_.addMonth(month).addDay(day).dayKind = kind;
    month_ = month;
    day_ = day;
    return *this;
}

YearFileBuilder& YearFileBuilder::storedDay(int32_t month, int32_t day, int32_t kind) {
    doc_.addMonth(month).addStoredDay(day).dayKind = kind;
    month_ = month;
    day_ = day;
    return *this;
}

YearFileBuilder& YearFileBuilder::holiday() {
    currentDay().publicHoliday = 1;
    return *this;
}

YearFileBuilder& YearFileBuilder::withDay(const std::function<void(CTagDoc&)>& change) {
    change(currentDay());
    return *this;
}

YearFileBuilder& YearFileBuilder::line(const std::string& kind, const std::string& from,
                                       const std::string& to, int32_t pause) {
    CZeitZeile& line = currentDay().addLine();
    line.kind = kind;
    line.from = from;
    line.to = to;
    line.duration = parseClock(spanText(from, to));
    line.pause = pause;
    return *this;
}

YearFileBuilder& YearFileBuilder::work(const std::string& from, const std::string& to, int32_t pause) {
    return line(kKindWorkingTime, from, to, pause);
}

YearFileBuilder& YearFileBuilder::service(const std::string& name) {
    lastLine().service = name;
    return *this;
}

YearFileBuilder& YearFileBuilder::withLine(const std::function<void(CZeitZeile&)>& change) {
    change(lastLine());
    return *this;
}

std::string YearFileBuilder::saveAs(const std::string& path) {
    doc_.save(path);
    return path;
}

CTagDoc& YearFileBuilder::currentDay() {
    CMonatDoc* month = doc_.month(month_);
    CTagDoc* day = month ? month->day(day_) : nullptr;
    if (!day) throw std::logic_error("YearFileBuilder: day() first");
    return *day;
}

CZeitZeile& YearFileBuilder::lastLine() {
    CTagDoc& day = currentDay();
    if (day.lineCount() == 0) throw std::logic_error("YearFileBuilder: line() first");
    return day.line(day.lineCount() - 1);
}

} // namespace lorvan::test
