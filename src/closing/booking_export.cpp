#include "closing/booking_export.h"

#include "closing/export_files.h"
#include "closing/month_collection.h"
#include "evaluation/month_evaluation.h"
#include "evaluation/wages.h"
#include "foundation/calendar.h"
#include "foundation/error.h"
#include "foundation/format.h"
#include "foundation/number_text.h"
#include "masterdata/year_file_creation.h"
#include "platform/clock.h"
#include "platform/prompter.h"
#include "platform/user_store.h"
#include "yearfile/document_base.h"

#include <map>

namespace lorvan {

std::string bookingHeaderLine(const std::string& consultant, const std::string& client,
                              const std::string& accountingDate) {
    return consultant + ";" + client + ";" + accountingDate + "\n";
}

namespace {

std::string hoursWithComma(double hours) {
    return decimalPointToComma(format("%.2f", hours));
}

} // namespace

int32_t writeBookings(std::string& out, const CollectedMonth& m, std::vector<std::string>& warnings) {
    YearEvaluator& evaluator = m.evaluator();
    const MonthEvaluation& e = evaluator.evaluate(m.month);
    const CLorvanDoc& document = m.document();
    const CEinstArbzt& s = document.settings();
    const std::string number = format("%d", m.employee().number);
    int32_t count = 0;
    auto line = [&](const std::string& wageType, double hours) {
        if (hasLineBreak(wageType))
            throw LorvanError("Die Lohnart '" + wageType + "' von " + m.employee().displayText() +
                              " enthält einen Zeilenumbruch.");
        if (wageType.find(';') != std::string::npos)
            warnings.push_back("Die Lohnart '" + wageType + "' von " + m.employee().displayText() +
                               " enthält ein ';' und wurde so geschrieben; die Zeile hat dadurch ein Feld mehr.");
        out += number + ";" + wageType + ";" + hoursWithComma(hours) + "\n";
        ++count;
    };
    double monthlyPayout = 0.0;
    evaluator.accountBalance(m.month, &monthlyPayout);
    if (!s.wageTypeMonthlyPayout.empty() && monthlyPayout > 0) line(s.wageTypeMonthlyPayout, monthlyPayout);
    const CMonatDoc* record = document.month(m.month);
    const double weeklyPayout = record ? record->accountPayout : 0.0;
    const bool weeklyWritten = weeklyPayout != 0 && !s.wageTypeWeeklyPayout.empty();
    if (weeklyWritten) line(s.wageTypeWeeklyPayout, weeklyPayout);
    if (!(weeklyWritten && s.wageTypeWeeklyPayout == s.wageTypeSurcharge1) && e.surcharge1Minutes > 0 &&
        !s.wageTypeSurcharge1.empty())
        line(s.wageTypeSurcharge1, minutesToHours(e.surcharge1Minutes));
    const std::pair<int32_t, const std::string*> surcharges[] = {
        {e.surcharge2Minutes, &s.wageTypeSurcharge2}, {e.sundayMinutes, &s.wageTypeSunday},
        {e.sundayMinutes, &s.basePayWageTypeSunday},  {e.saturdayMinutes, &s.wageTypeSaturday},
        {e.nightMinutes, &s.wageTypeNight},           {e.holidayMinutes, &s.wageTypeHoliday},
        {e.holidayMinutes, &s.basePayWageTypeHoliday},
    };
    for (const auto& [minutes, wageType] : surcharges)
        if (minutes > 0 && !wageType->empty()) line(*wageType, minutesToHours(minutes));
    if (e.shiftAllowanceMinutes > 0)
        if (const std::optional<ShiftAllowance> shift = shiftAllowance(document, e))
            line(shift->wageType, minutesToHours(shift->minutes));
    return count;
}

namespace {

// The calendar code of a day and its hours; an empty code writes no line.
struct CalendarDay {
    const char* code = "";
    double hours = 0.0;
};

CalendarDay calendarDayOf(const CTagDoc& day, const CEinstArbzt& settings) {
    const char* code = "";
    bool half = false;
    switch (day.dayKind) {
    case kVacation:
        code = "U";
        break;
    case kHalfVacationDay:
        code = "U";
        half = true;
        break;
    case kSickWithPay:
        code = "K";
        break;
    case kSickWithSickPay:
        code = "K6";
        break;
    case kChildSick:
        code = "PK";
        break;
    default:
        return {};
    }
    const Datum date = day.date();
    const WorkingTimePeriod& period = settings.periodForMonth(date.month);
    double hours = period.hoursPerWorkingDay;
    if (period.fixedRegularWorkingDays != 0) {
        const size_t weekday = static_cast<size_t>(weekdayCalendar(date) - 1);
        hours = period.hoursByWeekday[weekday];
        if (period.hoursBasis == 1 && hours != 0) hours = period.averageDailyHours();
        if (day.dayKind == kVacation && period.halfDayByWeekday[weekday] != 0) half = true;
    }
    return {code, half ? hours / 2 : hours};
}

} // namespace

int32_t writeCalendarDays(std::string& out, const CollectedMonth& m) {
    const CMonatDoc* month = m.document().month(m.month);
    if (month == nullptr) return 0;
    const std::string number = format("%d", m.employee().number);
    int32_t count = 0;
    for (const auto& [dayNumber, day] : month->days()) {
        const Datum date = day.date();
        if (!isValidDate(date)) continue;
        const CalendarDay entry = calendarDayOf(day, m.document().settings());
        if (*entry.code == '\0') continue;
        std::string hours = format("%.2f", entry.hours);
        for (char& c : hours)
            if (c == ',') c = '.';
        out += number + ";" + format("%2.2d.%2.2d.%4.4d", date.day, date.month, date.year) + ";" + entry.code +
               ";" + hours + "\n";
        ++count;
    }
    return count;
}

bool closeYear(const MonthCollection& collection, int32_t year, std::string& protocol,
               const StorageContext& storage, const Clock& clock) {
    bool result = true;
    const Datum newYear{1, 1, year};
    for (const CMitarbeiterDoc& employee : collection.chosenEmployees) {
        if (!employee.notYetLeftOn(newYear)) continue;
        YearFileRequest request;
        request.year = year;
        if (!createYearFile(employee, request, protocol, storage, clock, collection.context().employees))
            result = false;
    }
    return result;
}

namespace {

// Writes the whole file or nothing; a failure is shown ("<what> konnte nicht angelegt werden: …").
bool writeExportFile(const std::string& path, const std::string& text, const char* what, Prompter& prompter) {
    std::string cause;
    switch (writeWholeTextFile(path, text, cause)) {
    case WriteFailure::Create:
        prompter.error(std::string(what) + " konnte nicht angelegt werden: " + path);
        return false;
    case WriteFailure::Write:
        prompter.error(cause);
        return false;
    case WriteFailure::None:
        break;
    }
    return true;
}

constexpr const char* kConsultantKey = "Beraternr";
constexpr const char* kClientKey = "Mandantennr";
constexpr const char* kBookingFileKey = "BuchungsexportDatei";
constexpr const char* kCalendarFileKey = "BuchungsexportKalenderDatei";
constexpr const char* kProtocolFileKey = "BuchungsexportProtokollJahresabschluss";

} // namespace

BookingExportForm::BookingExportForm(const MonthCollection& collection, std::string dataDirectory,
                                     UserStore& store, Prompter& prompter, const Clock& clock)
    : collection_(collection), dataDirectory_(std::move(dataDirectory)), store_(store), prompter_(prompter),
      clock_(clock) {
    const auto section = store_.readSection(kClosingSection);
    values.consultant = entryOf(section, kConsultantKey);
    values.client = entryOf(section, kClientKey);
    values.accountingDate = format("%02d/%d", collection.chosen.month, collection.chosen.year);
    values.bookingFile = entryOf(section, kBookingFileKey);
    values.calendarFile = entryOf(section, kCalendarFileKey);
    values.protocolFile = entryOf(section, kProtocolFileKey);
}

bool BookingExportForm::refuse(const std::string& message, BookingField field) {
    prompter_.warn(message);
    focus_ = field;
    return false;
}

bool BookingExportForm::checkValues() {
    const BookingExportValues& v = values;
    if (v.bookingFile.empty()) return refuse("Es muss eine Exportdatei eingegeben werden.", BookingField::BookingFile);
    if (v.consultant.empty())
        return refuse("Die Beraternummer muss eingegeben werden.", BookingField::Consultant);
    if (v.client.empty()) return refuse("Die Mandantennummer muss eingegeben werden.", BookingField::Client);
    if (v.accountingDate.empty())
        return refuse("Das Abrechnungsdatum muss eingegeben werden.", BookingField::AccountingDate);
    const std::pair<const std::string*, std::pair<const char*, BookingField>> headerFields[] = {
        {&v.consultant, {"Die Beraternummer", BookingField::Consultant}},
        {&v.client, {"Die Mandantennummer", BookingField::Client}},
        {&v.accountingDate, {"Das Abrechnungsdatum", BookingField::AccountingDate}},
    };
    for (const auto& [text, field] : headerFields)
        if (hasLineBreak(*text))
            return refuse(std::string(field.first) + " darf keinen Zeilenumbruch enthalten.", field.second);
    const std::pair<const std::string*, BookingField> files[] = {
        {&v.bookingFile, BookingField::BookingFile},
        {&v.calendarFile, BookingField::CalendarFile},
        {&v.protocolFile, BookingField::ProtocolFile},
    };
    for (const auto& [path, field] : files)
        if (!path->empty())
            if (const auto refusal = dataFileRefusal(*path)) return refuse(*refusal, field);
    if (samePath(v.calendarFile, v.bookingFile))
        return refuse("Die Kalenderdatei muss eine andere Datei als die Buchungsdatei sein.",
                      BookingField::CalendarFile);
    if (samePath(v.protocolFile, v.bookingFile) || samePath(v.protocolFile, v.calendarFile))
        return refuse("Die Protokolldatei Jahresabschluss muss eine andere Datei als die Buchungsdatei und die "
                      "Kalenderdatei sein.",
                      BookingField::ProtocolFile);
    return true;
}

void BookingExportForm::storeValues() {
    store_.writeStrings(kClosingSection, {{kConsultantKey, values.consultant},
                                          {kClientKey, values.client},
                                          {kBookingFileKey, values.bookingFile},
                                          {kCalendarFileKey, values.calendarFile},
                                          {kProtocolFileKey, values.protocolFile}});
}

bool BookingExportForm::writeBookingFile() {
    const std::string& path = values.bookingFile;
    std::string text = bookingHeaderLine(values.consultant, values.client, values.accountingDate);
    std::vector<std::string> warnings;
    for (const std::string& field : {values.consultant, values.client, values.accountingDate})
        if (field.find(';') != std::string::npos)
            warnings.push_back("Der Kopfsatz enthält den Wert '" + field +
                               "' mit einem ';' und wurde so geschrieben; er hat dadurch ein Feld mehr.");
    int32_t count = 0;
    try {
        for (const CollectedMonth& m : collection_.monthList)
            count += writeBookings(text, m, warnings);
    } catch (const LorvanError& e) {
        prompter_.error(std::string(e.what()) + "\nDie Buchungsdatei wurde nicht geschrieben: " + path);
        return false;
    }
    if (!writeExportFile(path, text, "Die Buchungsdatei", prompter_)) return false;
    for (const std::string& warning : warnings)
        notes_ += warning + "\n";
    bookingCount_ = count;
    if (count > 0)
        prompter_.inform(format("Die Buchungsdatei wurde mit %d Sätzen geschrieben: ", count) + path);
    else
        prompter_.inform(kNoBookings);
    return true;
}

bool BookingExportForm::writeCalendarFile() {
    const std::string& path = values.calendarFile;
    std::string text = bookingHeaderLine(values.consultant, values.client, values.accountingDate);
    int32_t count = 0;
    try {
        for (const CollectedMonth& m : collection_.monthList)
            count += writeCalendarDays(text, m);
    } catch (const LorvanError& e) {
        prompter_.error(std::string(e.what()) + "\nDie Kalenderdatei wurde nicht geschrieben: " + path);
        return false;
    }
    if (!writeExportFile(path, text, "Die Kalenderdatei", prompter_)) return false;
    calendarCount_ = count;
    if (count > 0)
        prompter_.inform(format("Die Kalenderdatei wurde mit %d Sätzen geschrieben: ", count) + path);
    else
        prompter_.inform(kNoData);
    return true;
}

bool BookingExportForm::runYearEnd() {
    const Datum today = clock_.today();
    const int32_t year = today.month == 12 ? today.year + 1 : today.year;
    std::string protocol;
    StorageContext storage;
    storage.prompter = &prompter_;
    storage.dataDirectory = dataDirectory_;
    const bool result = closeYear(collection_, year, protocol, storage, clock_);
    if (!result || !protocol.empty()) {
        if (!values.protocolFile.empty()) {
            std::string cause;
            if (writeWholeTextFile(values.protocolFile, protocol, cause) == WriteFailure::None)
                protocol = "Siehe " + values.protocolFile;
        }
        prompter_.warn(kYearEndProblems + protocol);
    }
    return result;
}

bool BookingExportForm::ok() {
    focus_ = BookingField::None;
    bookingCount_ = -1;
    calendarCount_ = -1;
    notes_ = collection_.protocol();
    if (!checkValues()) return false;
    storeValues();
    if (!writeBookingFile()) return false;
    if (!values.calendarFile.empty() && !writeCalendarFile()) return false;
    if (values.yearEnd && !runYearEnd()) return false;
    return true;
}

} // namespace lorvan
