#include "cli/demo/demo_data.h"

#include "app/open_year_file.h"
#include "app/work_areas.h"
#include "foundation/calendar.h"
#include "foundation/error.h"
#include "foundation/file_io.h"
#include "foundation/format.h"
#include "foundation/number_text.h"
#include "foundation/time_text.h"
#include "evaluation/month_evaluation.h"
#include "evaluation/public_holidays.h"
#include "evaluation/year_statistics.h"
#include "masterdata/customer_file.h"
#include "masterdata/employee_lookup.h"
#include "masterdata/employee_file.h"
#include "masterdata/service_file.h"
#include "logbook/logbook_file.h"
#include "logbook/vehicle_file.h"
#include "platform/clock.h"
#include "yearfile/year_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
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
    std::string name;
    std::string department;
    std::string extraInfo;
    Pattern pattern;
    double hourlyWage;
    // The service technician on call: emergency Sundays and evening calls, overtime paid out weekly.
    bool onCall;
};

const DemoEmployee kEmployees[] = {
    {1, "Anna Schneider", "Büro", "Buchhaltung, Lohn", Pattern::Office, 19.50, false},
    {2, "Jörg Weiß", "Montage", "Meister", Pattern::Field, 24.80, true},
    {3, "Lena Becker", "Montage", "", Pattern::Field, 17.20, false},
    {4, "Sabine Müller", "Büro", "Teilzeit ab Juli", Pattern::PartTime, 18.00, false},
    {5, "Thomas Krüger", "Lager", "", Pattern::Warehouse, 16.40, false},
};

// What the days of a firm draw from: its customers (numbered 1 to customerCount), and the further
// services a customer line may name (none in the small demo).
struct DemoFirm {
    const CTwKundenDoc& customers;
    int32_t customerCount;
    const std::vector<std::string>& extraServices;
    uint32_t seed; // mixed into every employee's random source; 0 in the small demo
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
void fillWorkingDay(CTagDoc& day, Pattern pattern, const DemoFirm& firm, DemoRandom& random,
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
        const int32_t count = firm.customerCount;
        const int32_t first = 1 + random.below(count);
        int32_t second = 1 + random.below(count);
        if (second == first) second = first % count + 1;
        const char* firstService = random.chance(60) ? "Wartung" : "Montage";
        const int32_t end = start + regular + 45 + extra;
        const int32_t travel1 = start + 30;
        const int32_t noon = travel1 + 4 * 60;
        addLine(day, kKindTravel, "", start, travel1, 0, "");
        addLine(day, kKindCustomer, customerText(firm.customers, first), travel1, noon, 0, firstService);
        addLine(day, kKindBreak, "", noon, noon + 45, 45, "");
        const int32_t travel2 = noon + 45 + 30;
        addLine(day, kKindTravel, "", noon + 45, travel2, 0, "");
        if (firm.extraServices.empty()) {
            addLine(day, kKindCustomer, customerText(firm.customers, second), travel2, end, 0,
                    random.chance(20) ? "Beratung" : "Montage", random.chance(15) ? "Material nachbestellt" : "");
            break;
        }
        const int32_t extra = static_cast<int32_t>(firm.extraServices.size());
        const std::string& service = random.chance(40) ? firm.extraServices[static_cast<size_t>(random.below(extra))]
                                                       : firm.extraServices.front();
        const char* remark = random.chance(15) ? "Material nachbestellt" : "";
        addLine(day, kKindCustomer, customerText(firm.customers, second), travel2, end, 0, service.c_str(), remark);
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
              const Datum& lastDay, const DemoFirm& firm) {
    DemoRandom random(static_cast<uint32_t>(employee.number * 7919 + year) + firm.seed);
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
            const bool emergencySunday = employee.onCall && weekday == 0 && d <= 7 && m % 3 == 0;
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
                addLine(day, kKindCustomer, customerText(firm.customers, 4), 9 * 60, 13 * 60 + 15, 0, "Notdienst",
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
                fillWorkingDay(day, employee.pattern, firm, random, kind == kHalfVacationDay ? regular / 2 : regular);
                if (employee.pattern == Pattern::Field && random.chance(10)) day.furtherEmployees = "Azubi Kevin";
                // Evening emergency calls of the service technician run into the night window.
                if (employee.onCall && kind == kNormalWorkingDay && weekday == 4 && random.chance(20)) {
                    addLine(day, kKindTravel, "", 20 * 60 + 30, 21 * 60, 0, "");
                    addLine(day, kKindCustomer, customerText(firm.customers, 1 + random.below(firm.customerCount)), 21 * 60,
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
    if (employee.onCall) { // overtime beyond four hours a week is paid out with the wages
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
void createDemoLogbook(const std::string& dir, const Datum& today, const CTwKundenDoc& customers,
                       const std::string& driver) {
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
        trip.driver = driver;
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

// Creates the directory and returns it with a trailing separator; refuses one that holds data.
std::string prepareDirectory(const std::string& directory) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::create_directories(directory, ec);
    if (ec) throw LorvanError("Das Verzeichnis '" + directory + "' konnte nicht angelegt werden.\n(" + ec.message() + ")");
    const std::string dir = (fs::path(directory) / "").string();
    if (fs::exists(dir + kEmployeeFileName))
        throw LorvanError("Im Verzeichnis '" + directory + "' gibt es schon Daten; die Demo-Daten werden nicht angelegt.");
    return dir;
}

CKundeDoc demoCustomer(int32_t number, const DemoCustomer& c) {
    CKundeDoc record;
    record.number = number;
    record.name = c.name;
    record.street = c.street;
    record.zipCity = c.zipCity;
    record.phone = c.phone;
    record.notes = c.notes;
    record.printNotes = record.notes.empty() ? 0 : 1;
    return record;
}

CTwKundenDoc emptyCustomerFile() {
    CTwKundenDoc customers;
    customers.printAddressOnDaySheet = 1;
    customers.checkCustomerExistsOnEntry = 1;
    return customers;
}

// ---- The firm of any size -------------------------------------------------------------------------

const char* const kFirstNames[] = {
    "Anna",   "Jörg",    "Lena",     "Sabine", "Thomas", "Michael", "Julia",  "Stefan", "Katrin",  "Andreas",
    "Monika", "Frank",   "Claudia",  "Peter",  "Nicole", "Markus",  "Petra",  "Jürgen", "Susanne", "Uwe",
    "Birgit", "Klaus",   "Heike",    "Ralf",   "Sandra", "Dieter",  "Anja",   "Bernd",  "Tanja",   "Holger",
    "Sarah",  "Matthias", "Laura",   "Tobias", "Lisa",   "Florian", "Marie",  "Jan",    "Sophie",  "Lukas",
    "Jana",   "Felix",   "Miriam",   "Jonas",  "Hannah", "Björn",   "Ute",    "Sören",
};
const char* const kLastNames[] = {
    "Schneider", "Weiß",     "Becker",  "Müller",  "Krüger",   "Schmidt",    "Fischer", "Meyer",
    "Wagner",    "Schulz",   "Hoffmann", "Koch",   "Richter",  "Klein",      "Wolf",    "Schröder",
    "Neumann",   "Schwarz",  "Zimmermann", "Braun", "Hofmann", "Hartmann",   "Lange",   "Schmitt",
    "Werner",    "Schmitz",  "Krause",  "Meier",   "Lehmann",  "Schmid",     "Schulze", "Maier",
    "Köhler",    "Herrmann", "König",   "Walter",  "Mayer",    "Huber",      "Kaiser",  "Fuchs",
    "Peters",    "Lang",     "Scholz",  "Möller",  "Weber",    "Jung",       "Hahn",    "Vogel",
};
constexpr int32_t kFirstCount = static_cast<int32_t>(std::size(kFirstNames));
constexpr int32_t kLastCount = static_cast<int32_t>(std::size(kLastNames));

// The k-th name of the sequence: every first name with every last name, then with double last
// names ("Anna Schneider-Weiß"); the first names turn fastest, so that neighbours differ.
std::string sequenceName(int32_t k) {
    const int32_t first = k % kFirstCount;
    const int32_t round = k / kFirstCount;
    if (round < kLastCount) return std::string(kFirstNames[first]) + " " + kLastNames[(round + first) % kLastCount];
    const int32_t r = round - kLastCount;
    const int32_t a = r % kLastCount;
    const int32_t b = (a + 1 + r / kLastCount % (kLastCount - 1)) % kLastCount;
    return std::string(kFirstNames[first]) + " " + kLastNames[a] + "-" + kLastNames[b];
}

} // namespace

std::vector<std::string> demoEmployeeNames(int32_t count) {
    std::vector<std::string> names;
    std::set<std::string> forms;
    for (int32_t k = 0; static_cast<int32_t>(names.size()) < count; ++k) {
        std::string name = sequenceName(k);
        std::string form = toFileNamePart(name);
        for (char& c : form) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (forms.insert(form).second) names.push_back(std::move(name));
    }
    return names;
}

namespace {

const char* const kTrades[] = {"Bäckerei", "Metzgerei", "Autohaus", "Praxis Dr.", "Hotel", "Schreinerei", "Gärtnerei",
                               "Apotheke", "Kanzlei", "Zahnarztpraxis", "Elektro", "Malerbetrieb"};
const char* const kStreets[] = {"Hauptstr.", "Bahnhofstr.", "Gartenweg", "Schulstr.", "Kirchplatz", "Am Markt",
                                "Lindenallee", "Industriestr.", "Mühlenweg", "Rheinstr."};
const char* const kPlaces[] = {"50667 Köln", "50126 Bergheim", "50226 Frechen", "50321 Brühl", "53111 Bonn",
                               "51373 Leverkusen", "50374 Erftstadt", "41515 Grevenbroich"};
const char* const kWorks[] = {"Wartung", "Montage", "Reparatur", "Inspektion", "Prüfung"};
const char* const kObjects[] = {"Heizung", "Lüftung", "Sanitär", "Elektrik", "Fenster",
                                "Türen",   "Dach",    "Solaranlage", "Brandschutz", "Aufzug"};

// The demo's six customers, then more made of a trade, a family name and a place.
CTwKundenDoc sizedCustomers(int32_t count) {
    CTwKundenDoc customers = emptyCustomerFile();
    int32_t number = 0;
    for (const auto& c : kCustomers) customers.put(demoCustomer(++number, c));
    const int32_t trades = static_cast<int32_t>(std::size(kTrades));
    for (int32_t k = 0; number < count; ++k) {
        CKundeDoc record;
        record.number = ++number;
        record.name = std::string(kTrades[k % trades]) + " " + kLastNames[(k / trades + k) % kLastCount];
        if (k >= trades * kLastCount) record.name += " " + std::to_string(k / (trades * kLastCount) + 1);
        record.street = format("%s %d", kStreets[k % std::size(kStreets)], 1 + k % 97);
        record.zipCity = kPlaces[k % std::size(kPlaces)];
        record.phone = k % 3 == 0 ? "" : format("0221 %06d", 100000 + k * 37 % 900000);
        customers.put(record);
    }
    return customers;
}

int32_t patternWeight(Pattern pattern) {
    switch (pattern) {
    case Pattern::Field: return 0;
    case Pattern::Office: return 1;
    case Pattern::PartTime: return 2;
    case Pattern::Warehouse: return 3;
    }
    return 0;
}

// Employee number i (1-based) of a firm of any size: half of them in the field, the rest in the
// office (some part-time) and the warehouse; every tenth field worker is on call.
DemoEmployee sizedEmployee(int32_t number, const std::string& name, DemoRandom& random) {
    static constexpr Pattern kCycle[] = {Pattern::Field, Pattern::Office, Pattern::Field, Pattern::Warehouse,
                                         Pattern::Field, Pattern::PartTime, Pattern::Field, Pattern::Office,
                                         Pattern::Field, Pattern::Warehouse};
    const Pattern pattern = kCycle[(number - 1) % std::size(kCycle)];
    static const char* const kDepartments[] = {"Montage", "Büro", "Büro", "Lager"};
    const bool onCall = pattern == Pattern::Field && (number - 1) % 20 == 2;
    DemoEmployee e{number, name, kDepartments[patternWeight(pattern)], "", pattern,
                   15.50 + 0.25 * random.below(40), onCall};
    if (pattern == Pattern::PartTime) e.extraInfo = "Teilzeit ab Juli";
    if (onCall) e.extraInfo = "Bereitschaft";
    return e;
}

// A new file of the new demo directory, written straight away: the data can be made again, so the
// sync of the crash-safe save (one per file, most of the time of a large firm) is not needed.
void writeNewFile(const std::string& path, const std::string& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    int failure = fd < 0 ? errno : 0;
    for (size_t done = 0; failure == 0 && done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno != EINTR) failure = errno;
        if (n > 0) done += static_cast<size_t>(n);
    }
    if (fd >= 0 && ::close(fd) != 0 && failure == 0) failure = errno;
    if (failure != 0)
        throw LorvanError("Die Datei '" + path + "' konnte nicht geschrieben werden.\n(" + systemErrorText(failure) + ")");
}

// The previous year's file as the generator still holds it, so that a year is evaluated without
// reading back what was just written.
class HeldPreviousYear final : public PreviousYearSource {
  public:
    const CLorvanDoc* document = nullptr;
    std::unique_ptr<CLorvanDoc> previousYear(const CLorvanDoc&) const override {
        return document ? std::make_unique<CLorvanDoc>(*document) : nullptr;
    }
};

} // namespace

DemoSummary createDemoData(const std::string& directory, const Datum& today) {
    const std::string dir = prepareDirectory(directory);

    DemoSummary summary;
    CTwKundenDoc customers = emptyCustomerFile();
    int32_t number = 0;
    for (const auto& c : kCustomers) customers.put(demoCustomer(++number, c));
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
    const std::vector<std::string> noExtraServices;
    const DemoFirm firm{customers, static_cast<int32_t>(std::size(kCustomers)), noExtraServices, 0};
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
            fillYear(doc, e, record, y, lastDay, firm);
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
    createDemoLogbook(dir, today, customers, kEmployees[1].name);
    return summary;
}

DemoSummary createDemoData(const std::string& directory, const Datum& today, const DemoSize& size) {
    if (size.employees < 1 || size.employees > kMaxDemoEmployees)
        throw LorvanError(format("Die Zahl der Mitarbeiter muss zwischen 1 und %d liegen (angegeben: %d).",
                                 kMaxDemoEmployees, size.employees));
    if (size.years < 1 || size.years > kMaxDemoYears)
        throw LorvanError(format("Die Zahl der Jahre muss zwischen 1 und %d liegen (angegeben: %d).", kMaxDemoYears,
                                 size.years));
    const std::string dir = prepareDirectory(directory);
    const uint32_t seed = static_cast<uint32_t>(size.employees) * 40503u + static_cast<uint32_t>(size.years) * 977u +
                          static_cast<uint32_t>(dayNumber(today)) * 2246822519u;
    DemoRandom random(seed);

    DemoSummary summary;
    CTwKundenDoc customers = sizedCustomers(6 + size.employees / 4);
    customers.save(dir + kCustomerFileName);
    summary.customers = static_cast<int>(customers.customers.size());

    // The demo's services, then kinds of work on parts of a building; a field line names "Montage"
    // or one of them.
    CTwDienstlDoc services;
    for (const auto& s : kServices) services.put(CDienstlDoc{s.name, s.costKind, s.costs});
    std::vector<std::string> lineServices{"Montage"};
    const int32_t works = static_cast<int32_t>(std::size(kWorks));
    const int32_t more = std::min<int32_t>(size.employees / 40, works * static_cast<int32_t>(std::size(kObjects)));
    for (int32_t k = 0; k < more; ++k) {
        const std::string name = std::string(kWorks[k % works]) + " " + kObjects[k / works];
        services.put(CDienstlDoc{name, k % 4 == 3 ? 1 : 0, k % 4 == 3 ? 55.0 + k % 5 * 5.0 : 0.0});
        lineServices.push_back(name);
    }
    services.save(dir + kServiceFileName);
    summary.services = static_cast<int>(services.services.size());

    // Most employees joined before the first year; every 17th joined during it (in probation when
    // that was less than six months ago); every 23rd left at the end of the month before today's.
    const int32_t year = today.year;
    const int32_t firstYear = year - size.years + 1;
    const std::vector<std::string> names = demoEmployeeNames(size.employees);
    std::vector<DemoEmployee> people;
    CTwMaDoc employees;
    for (int32_t i = 1; i <= size.employees; ++i) {
        people.push_back(sizedEmployee(i, names[static_cast<size_t>(i - 1)], random));
        const DemoEmployee& e = people.back();
        CMitarbeiterDoc record;
        record.number = e.number;
        record.name = e.name;
        record.department = e.department;
        record.extraInfo = e.extraInfo;
        if (i % 17 == 0) {
            record.entryDate = Datum{1, std::min(2 + random.below(10), year == firstYear ? today.month : 12), firstYear};
            const Datum probationEnd = addDays(addMonths(record.entryDate, 6), -1);
            if (compareDates(probationEnd, today) >= 0) {
                record.inProbation = 1;
                record.probationEnd = probationEnd;
            }
        } else {
            record.entryDate = Datum{1, 1 + random.below(12), firstYear - 1 - random.below(12)};
        }
        if (i % 23 == 0 && today.month > 1 && compareDates(record.entryDate, Datum{1, today.month - 1, year}) < 0) {
            record.hasExit = 1;
            record.exitDate = Datum{daysInMonth(today.month - 1, year), today.month - 1, year};
            record.active = 0;
        }
        employees.put(record);
    }
    employees.addIgnored("Praktikant");
    employees.save(dir + kEmployeeFileName);

    // Every year file is written once, evaluated as the program leaves it (every month's results
    // cached; the account balance and the remaining days carried into the next year), with the
    // employee file and the previous year the generator holds.
    const EmployeeFileLookup lookup(employees);
    const DemoFirm firm{customers, static_cast<int32_t>(customers.customers.size()), lineServices, seed};
    for (const DemoEmployee& e : people) {
        const CMitarbeiterDoc& record = employees.employees.at(e.number);
        double carryOver = 0.0;
        double remainingDays = e.number % 2 == 0 ? 3.0 : 0.0;
        HeldPreviousYear previous;
        CLorvanDoc held;
        for (int32_t y = firstYear; y <= year; ++y) {
            CLorvanDoc doc;
            doc.settings() = demoSettings(e, y);
            doc.settings().accountCarryOver = carryOver;
            doc.settings().remainingVacationPreviousYear = remainingDays;
            fillYear(doc, e, record, y, y < year ? Datum{31, 12, y} : today, firm);
            {
                YearEvaluator evaluator(doc, EvaluationContext{&lookup, &previous});
                carryOver = evaluator.accountBalance(12);
                remainingDays = remainingVacation(doc, 12);
            }
            writeNewFile(fullYearFilePath(dir, e.name, y), doc.toBytes());
            ++summary.yearFiles;
            held = std::move(doc);
            previous.document = &held;
        }
    }
    summary.employees = static_cast<int>(employees.employees.size());
    const auto onCall = std::find_if(people.begin(), people.end(), [](const DemoEmployee& e) { return e.onCall; });
    createDemoLogbook(dir, today, customers, onCall != people.end() ? onCall->name : people.front().name);
    return summary;
}

} // namespace lorvan::cli
