#include "cli/demo_data.h"

#include "app/open_year_file.h"
#include "app/work_areas.h"
#include "foundation/calendar.h"
#include "foundation/error.h"
#include "foundation/format.h"
#include "foundation/number_text.h"
#include "foundation/time_text.h"
#include "evaluation/month_evaluation.h"
#include "evaluation/public_holidays.h"
#include "evaluation/year_statistics.h"
#include "masterdata/customer_file.h"
#include "masterdata/employee_file.h"
#include "masterdata/service_file.h"
#include "logbook/logbook_file.h"
#include "logbook/vehicle_file.h"
#include "platform/clock.h"
#include "yearfile/year_file.h"

#include <filesystem>
#include <memory>
#include <set>
#include <vector>

namespace lorvan::cli {
namespace {

// A small deterministic random source, so that the demo is the same on every machine.
class DemoRandom {
public:
    explicit DemoRandom(uint32_t seed) : state_(seed * 2654435761u + 12345u) {}
    int32_t below(int32_t n) {
        state_ = state_ * 1103515245u + 12345u;
        return static_cast<int32_t>((state_ >> 16) % static_cast<uint32_t>(n));
    }
    bool chance(int32_t percent) { return below(100) < percent; }

private:
    uint32_t state_;
};

struct DemoCustomer {
    const char* name;
    const char* street;
    const char* zipCity;
    const char* phone;
    const char* notes;
};

const DemoCustomer kCustomers[] = {
    {"Bäckerei Hoffmann", "Marktplatz 3", "50667 Köln", "0221 123456", ""},
    {"Autohaus Wagner GmbH", "Industriestr. 12", "50829 Köln", "0221 987650", ""},
    {"Praxis Dr. Schulz", "Ringstr. 44", "51063 Köln", "", ""},
    {"Stadtwerke Bergheim", "Am Kraftwerk 1", "50126 Bergheim", "02271 4711",
     "Anmeldung an der Pforte\r\nParkplatz P2 benutzen"},
    {"Hotel Rheinblick", "Uferstr. 7", "50996 Köln", "0221 555010", ""},
    {"Schreinerei Vogel & Söhne", "Lindenweg 9", "50226 Frechen", "02234 20031", ""},
};

struct DemoService {
    const char* name;
    int32_t costKind;
    double costs;
};

const DemoService kServices[] = {
    {"Wartung", 0, 0.0},          {"Montage", 0, 0.0},          {"Beratung", 1, 65.0},
    {"Anfahrtspauschale", 2, 35.0}, {"Notdienst", 1, 95.0},
};

constexpr const char* kDemoState = "Nordrhein-Westfalen";

enum class Pattern { Office, Field, PartTime, Warehouse };

struct DemoEmployee {
    int32_t number;
    const char* name;
    const char* department;
    const char* extraInfo;
    Pattern pattern;
    double hourlyWage;
};

const DemoEmployee kEmployees[] = {
    {1, "Anna Schneider", "Büro", "Buchhaltung, Lohn", Pattern::Office, 19.50},
    {2, "Jörg Weiß", "Montage", "Meister", Pattern::Field, 24.80},
    {3, "Lena Becker", "Montage", "", Pattern::Field, 17.20},
    {4, "Sabine Müller", "Büro", "Teilzeit ab Juli", Pattern::PartTime, 18.00},
    {5, "Thomas Krüger", "Lager", "", Pattern::Warehouse, 16.40},
};

// Public holidays of the demo firm's state, as day numbers.
std::set<int32_t> demoHolidays(int32_t year) {
    std::set<int32_t> days;
    for (const Datum& d : publicHolidaysOfYear(year, kDemoState)) days.insert(dayNumber(d));
    return days;
}

void addLine(CTagDoc& day, const char* kind, std::string customer, int32_t from, int32_t to, int32_t pause,
             const char* service, const std::string& remark = "") {
    CZeitZeile& line = day.addLine();
    line.kind = kind;
    line.customer = std::move(customer);
    line.from = formatMinutes(from, 2, false);
    line.to = formatMinutes(to, 2, false);
    line.duration = to - from;
    line.pause = pause;
    line.service = service;
    line.remark = remark;
    line.fromFixed = line.toFixed = 1;
    line.updateDurationText();
}

std::string customerText(const CTwKundenDoc& customers, int32_t number) {
    const CKundeDoc* c = customers.findByNumber(number);
    return c ? format("%d - %s", c->number, c->name.c_str()) : std::string();
}

// One working day of the employee's pattern; start in minutes after midnight.
void fillWorkingDay(CTagDoc& day, Pattern pattern, const CTwKundenDoc& customers, DemoRandom& random,
                    double regularHours) {
    const int32_t start = 7 * 60 + 15 * random.below(4) - 15;
    const int32_t regular = static_cast<int32_t>(regularHours * 60);
    const int32_t extra =
        random.chance(20) ? 15 * (1 + random.below(4)) : (random.chance(18) ? -15 * (1 + random.below(3)) : 0);
    switch (pattern) {
    case Pattern::Office:
    case Pattern::PartTime: {
        const int32_t pause = regular > 6 * 60 ? 45 : (regular > 3 * 60 ? 15 : 0);
        addLine(day, kKindWorkingTime, "", start, start + regular + pause + extra, pause, "");
        break;
    }
    case Pattern::Warehouse: {
        const int32_t noon = start + 4 * 60;
        addLine(day, kKindWorkingTime, "", start, noon, 0, "");
        addLine(day, kKindBreak, "", noon, noon + 45, 45, "");
        addLine(day, kKindWorkingTime, "", noon + 45, start + regular + 45 + extra, 0, "");
        break;
    }
    case Pattern::Field: {
        const int32_t first = 1 + random.below(6);
        int32_t second = 1 + random.below(6);
        if (second == first) second = first % 6 + 1;
        const char* firstService = random.chance(60) ? "Wartung" : "Montage";
        const int32_t end = start + regular + 45 + extra;
        const int32_t travel1 = start + 30;
        const int32_t noon = travel1 + 4 * 60;
        addLine(day, kKindTravel, "", start, travel1, 0, "");
        addLine(day, kKindCustomer, customerText(customers, first), travel1, noon, 0, firstService);
        addLine(day, kKindBreak, "", noon, noon + 45, 45, "");
        const int32_t travel2 = noon + 45 + 30;
        addLine(day, kKindTravel, "", noon + 45, travel2, 0, "");
        addLine(day, kKindCustomer, customerText(customers, second), travel2, end, 0,
                random.chance(20) ? "Beratung" : "Montage", random.chance(15) ? "Material nachbestellt" : "");
        break;
    }
    }
}

struct Absence {
    int32_t fromDay; // day numbers
    int32_t toDay;
    int32_t kind;
};

// Vacation, sickness and other absences of one employee and year.
std::vector<Absence> demoAbsences(int32_t year, DemoRandom& random) {
    std::vector<Absence> result;
    auto week = [&](int32_t month, int32_t day, int32_t days, int32_t kind) {
        const int32_t first = dayNumber({day, month, year});
        result.push_back({first, first + days - 1, kind});
    };
    week(2 + random.below(2), 3 + random.below(20), 2 + random.below(3), kSickWithPay);
    week(4, 6 + random.below(10), 5, kVacation);
    week(7 + random.below(2), 1 + random.below(15), 12, kVacation);
    week(10, 12 + random.below(10), 5, kVacation);
    if (random.chance(50)) week(11, 3 + random.below(20), 1, kChildSick);
    if (random.chance(40)) week(9, 2 + random.below(20), 1, kTimeOff);
    week(12, 24, 1, kHalfVacationDay);
    week(12, 27, 4, kVacation);
    week(12, 31, 1, kHalfVacationDay);
    return result;
}

void fillYear(CLorvanDoc& doc, const DemoEmployee& employee, const CMitarbeiterDoc& record, int32_t year,
              const Datum& lastDay, const CTwKundenDoc& customers) {
    DemoRandom random(static_cast<uint32_t>(employee.number * 7919 + year));
    const std::set<int32_t> holidays = demoHolidays(year);
    const std::vector<Absence> absences = demoAbsences(year, random);
    const CEinstArbzt& settings = doc.settings();
    for (int32_t m = 1; m <= 12; ++m) {
        if (compareDates(Datum{1, m, year}, lastDay) > 0) break;
        CMonatDoc* month = nullptr;
        const WorkingTimePeriod& period = settings.periodForMonth(m);
        for (int32_t d = 1; d <= daysInMonth(m, year); ++d) {
            const Datum date{d, m, year};
            if (compareDates(date, lastDay) > 0) break;
            if (record.notEmployedOn(date)) continue;
            const int32_t n = dayNumber(date);
            const int32_t weekday = weekdayCalendar(date) - 1; // 0 = Sunday
            const double regular = period.hoursByWeekday[static_cast<size_t>(weekday)];
            const bool holiday = holidays.count(n) > 0;
            // The service technician takes the emergency service on the first Sunday of every
            // quarter; the warehouse counts its stock on the last Saturday of every quarter.
            const bool emergencySunday = employee.number == 2 && weekday == 0 && d <= 7 && m % 3 == 0;
            const bool stocktaking =
                employee.pattern == Pattern::Warehouse && weekday == 6 && d + 7 > daysInMonth(m, year) && m % 3 == 0;
            if (!holiday && regular == 0 && !emergencySunday && !stocktaking) continue;
            if (!month) month = &doc.addMonth(m);
            CTagDoc& day = month->addDay(d);
            if (holiday) {
                day.publicHoliday = 1;
                continue;
            }
            if (emergencySunday) {
                addLine(day, kKindTravel, "", 8 * 60 + 30, 9 * 60, 0, "");
                addLine(day, kKindCustomer, customerText(customers, 4), 9 * 60, 13 * 60 + 15, 0, "Notdienst",
                        "Störung Pumpenhaus");
                day.dayKind = kStandbyDuty;
                continue;
            }
            if (stocktaking) {
                addLine(day, kKindWorkingTime, "", 8 * 60, 15 * 60, 30, "", "Inventur");
                day.reportRemark = "Inventur";
                continue;
            }
            int32_t kind = kNormalWorkingDay;
            for (const Absence& a : absences)
                if (n >= a.fromDay && n <= a.toDay) kind = a.kind;
            day.dayKind = kind;
            if (kind == kNormalWorkingDay || kind == kHalfVacationDay) {
                fillWorkingDay(day, employee.pattern, customers, random, kind == kHalfVacationDay ? regular / 2 : regular);
                if (employee.pattern == Pattern::Field && random.chance(10)) day.furtherEmployees = "Azubi Kevin";
                // Evening emergency calls of the service technician run into the night window.
                if (employee.number == 2 && kind == kNormalWorkingDay && weekday == 4 && random.chance(20)) {
                    addLine(day, kKindTravel, "", 20 * 60 + 30, 21 * 60, 0, "");
                    addLine(day, kKindCustomer, customerText(customers, 1 + random.below(6)), 21 * 60,
                            22 * 60 + 15 * (1 + random.below(6)), 0, "Notdienst");
                    day.dayKind = kStandbyDuty;
                }
            }
            if (kind == kSickWithPay) day.reportRemark = "AU liegt vor";
        }
    }
}

CEinstArbzt demoSettings(const DemoEmployee& employee, int32_t year) {
    CEinstArbzt s;
    s.name = employee.name;
    s.year = year;
    s.federalState = kDemoState;
    s.keepWorkingTimeAccount = 1;
    s.accountMode = "RA";
    s.manageRemainingVacation = 1;
    s.vacationEntitlement = 30.0;
    s.wagesInMonthEvaluation = 1;
    s.wagesAsCostsInCustomerQuery = 1;
    s.employeeInCostEvaluation = 1;
    s.dayEnteredAsOneValue = employee.pattern == Pattern::Office || employee.pattern == Pattern::PartTime;
    s.defaultStartOfWork = "7:30";
    WagePeriod wage;
    wage.hourlyWage = employee.hourlyWage;
    wage.vacationPayPerDay = 12.0;
    wage.employerCostFactor = 1.21;
    wage.valueCreationFactor = 2.2;
    wage.employerCostPerHour = roundAmount(employee.hourlyWage * wage.employerCostFactor, 0, 2);
    wage.valueCreationPerHour = roundAmount(employee.hourlyWage * wage.valueCreationFactor, 0, 2);
    if (employee.number == 2) { // overtime beyond four hours a week is paid out with the wages
        s.weeklyPayoutOn = 1;
        s.weeklyPayoutThreshold = 4.0;
        s.wageTypeWeeklyPayout = "0300";
        s.wageTypeSurcharge1 = "0310";
        s.wageTypeNight = "0320";
        s.wageTypeSunday = "0330";
    }
    if (employee.pattern == Pattern::Warehouse) {
        s.saturdaySurchargeOn = 1;
        s.saturdayBegin = "13:00";
        s.saturdayEnd = "20:00";
        s.saturdayPercent = 25.0;
    }
    if (employee.pattern == Pattern::Field) {
        wage.deviatingHourlyWages["Notdienst"] = employee.hourlyWage + 6.0;
        wage.standbyPay = 25.0;
        wage.standbyPayDays = 7;
    }
    s.wagePeriods = {wage};
    if (employee.pattern == Pattern::PartTime) {
        WorkingTimePeriod full = s.workingTimePeriods.front();
        full.lastPeriod = 0;
        WorkingTimePeriod part;
        part.fromMonth = 7;
        part.hoursByWeekday = {0.0, 5.0, 5.0, 5.0, 5.0, 0.0, 0.0};
        part.breakMinutesByWeekday = {0, 15, 15, 15, 15, 0, 0};
        s.workingTimePeriods = {full, part};
        // A raise with the new working time.
        WagePeriod raised = wage;
        wage.lastPeriod = 0;
        raised.fromMonth = 7;
        raised.hourlyWage = employee.hourlyWage + 0.75;
        s.wagePeriods = {wage, raised};
    }
    return s;
}

// The firm's car with its logbook of the current year: trips on every other day of the last weeks
// (until two days before today), each entered the morning after it, business trips to customers
// with their numbers, the way to work and a private trip; the third trip was cancelled.
void createDemoLogbook(const std::string& dir, const Datum& today, const CTwKundenDoc& customers) {
    constexpr const char* kPlate = "K-LV 815";
    CTwFahrzDoc vehicles;
    vehicles.put(CFahrzDoc{kPlate, "Firmenwagen (Kombi)"});
    vehicles.putPreset(CFahrtVorbData{"Büro", "Gewerbepark 5", "50858 Köln", "Rückfahrt ins Büro"});
    vehicles.save(vehicleFilePath(dir));

    CTwFahrtenbuchDoc logbook;
    logbook.year = today.year;
    logbook.plate = kPlate;
    logbook.startKilometres = 24500.0;
    logbook.startStreet = "Gewerbepark 5";
    logbook.startPlace = "50858 Köln";
    struct DemoTrip {
        int32_t kind;
        int32_t customer; // 0: none
        const char* street;
        const char* place;
        const char* purpose;
        double distance;
        int32_t from; // minutes since midnight
        int32_t to;
    };
    const DemoTrip trips[] = {
        {0, 2, "", "", "Kundenbesuch", 18.4, 8 * 60, 8 * 60 + 35},
        {0, 4, "", "", "Wartung", 31.0, 9 * 60 + 15, 10 * 60},
        {0, 1, "", "", "Kundenbesuch", 12.5, 13 * 60, 13 * 60 + 20},
        {1, 0, "Lindenallee 14", "50931 Köln", "", 9.8, 16 * 60 + 30, 16 * 60 + 55},
        {2, 0, "Rheinufer 2", "53113 Bonn", "", 42.0, 10 * 60, 11 * 60},
        {0, 6, "", "", "Montage", 21.3, 7 * 60 + 30, 8 * 60 + 10},
    };
    const int32_t count = static_cast<int32_t>(std::size(trips));
    double kilometres = logbook.startKilometres;
    for (int32_t i = 0; i < count; ++i) {
        const Datum day = addDays(today, -2 * (count - i) - 1);
        if (day.year != today.year) continue;
        const DemoTrip& t = trips[i];
        CFahrtDoc trip = CFahrtDoc::newTrip(ClockTime{addDays(day, 1), 7 * 60 + 45});
        trip.kindValue = t.kind;
        trip.driver = "Jörg Weiß";
        trip.purpose = t.purpose;
        trip.street = t.street;
        trip.place = t.place;
        if (const CKundeDoc* customer = customers.findByNumber(t.customer)) {
            trip.person = std::to_string(t.customer);
            trip.customerName = customer->name;
            trip.street = customer->street;
            trip.place = customer->zipCity;
        }
        kilometres += t.distance;
        trip.kilometres = kilometres;
        trip.startDate = trip.endDate = formatDate(day);
        trip.startTime = formatMinutes(t.from, 2, false);
        trip.endTime = formatMinutes(t.to, 2, false);
        if (i == 2) {
            trip.status = 1;
            kilometres -= t.distance;
        }
        logbook.trips.push_back(trip);
    }
    logbook.save(logbookPath(dir, kPlate, today.year));
}

} // namespace

DemoSummary createDemoData(const std::string& directory, const Datum& today) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::create_directories(directory, ec);
    if (ec) throw LorvanError("Das Verzeichnis '" + directory + "' konnte nicht angelegt werden.\n(" + ec.message() + ")");
    const std::string dir = (fs::path(directory) / "").string();
    if (fs::exists(dir + kEmployeeFileName))
        throw LorvanError("Im Verzeichnis '" + directory + "' gibt es schon Daten; die Demo-Daten werden nicht angelegt.");

    DemoSummary summary;
    CTwKundenDoc customers;
    customers.printAddressOnDaySheet = 1;
    customers.checkCustomerExistsOnEntry = 1;
    int32_t number = 0;
    for (const auto& c : kCustomers) {
        CKundeDoc record;
        record.number = ++number;
        record.name = c.name;
        record.street = c.street;
        record.zipCity = c.zipCity;
        record.phone = c.phone;
        record.notes = c.notes;
        record.printNotes = record.notes.empty() ? 0 : 1;
        customers.put(record);
    }
    customers.save(dir + kCustomerFileName);
    summary.customers = static_cast<int>(customers.customers.size());

    CTwDienstlDoc services;
    for (const auto& s : kServices) services.put(CDienstlDoc{s.name, s.costKind, s.costs});
    services.save(dir + kServiceFileName);
    summary.services = static_cast<int>(services.services.size());

    const int32_t year = today.year;
    CTwMaDoc employees;
    for (const auto& e : kEmployees) {
        CMitarbeiterDoc record;
        record.number = e.number;
        record.name = e.name;
        record.department = e.department;
        record.extraInfo = e.extraInfo;
        switch (e.number) {
        case 1: record.entryDate = {1, 3, 2019}; break;
        case 2: record.entryDate = {15, 8, 2021}; break;
        case 3: // joined the year before last month, still in probation
            record.entryDate = addMonths(Datum{1, today.month, year}, -4);
            record.inProbation = 1;
            record.probationEnd = addDays(addMonths(record.entryDate, 6), -1);
            break;
        case 4: record.entryDate = {1, 10, 2017}; break;
        default:
            record.entryDate = {1, 4, 2015};
            record.hasExit = 1;
            record.exitDate = {30, 6, year};
            record.active = 0;
            break;
        }
        employees.put(record);
    }
    employees.addIgnored("Praktikant");
    employees.save(dir + kEmployeeFileName);

    // The year files, evaluated as the program leaves them: every month's results cached, and the
    // account balance and remaining days of one year carried into the next.
    for (const auto& e : kEmployees) {
        const CMitarbeiterDoc& record = employees.employees.at(e.number);
        double carryOver = 0.0;
        double remainingDays = e.number % 2 == 0 ? 3.0 : 0.0;
        for (int32_t y = year - 1; y <= year; ++y) {
            if (record.entryDate.year > y) continue;
            CLorvanDoc doc;
            doc.settings() = demoSettings(e, y);
            doc.settings().accountCarryOver = carryOver;
            doc.settings().remainingVacationPreviousYear = remainingDays;
            const Datum lastDay = y < year ? Datum{31, 12, y} : today;
            fillYear(doc, e, record, y, lastDay, customers);
            const std::string path = fullYearFilePath(dir, e.name, y);
            doc.save(path);
            // Opened as every front end opens it: with the employee file and the previous year.
            OpenYearFile file(path, dir);
            YearEvaluator evaluator(file.document, file.context());
            carryOver = evaluator.accountBalance(12);
            remainingDays = remainingVacation(file.document, 12);
            file.document.save(path);
            ++summary.yearFiles;
        }
    }
    summary.employees = static_cast<int>(employees.employees.size());
    createDemoLogbook(dir, today, customers);
    return summary;
}

} // namespace lorvan::cli
