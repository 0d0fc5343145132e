#include "reports/month_text_report.h"

#include "evaluation/month_evaluation.h"
#include "evaluation/wages.h"
#include "foundation/calendar.h"
#include "foundation/format.h"
#include "foundation/number_text.h"
#include "foundation/time_text.h"
#include "yearfile/year_file.h"

#include <optional>
#include <ostream>
#include <sstream>

namespace lorvan {
namespace {

std::string hoursText(double hours) {
    return decimalPointToComma(format("%.2f", hours));
}

std::string minutesText(int32_t minutes) {
    return formatMinutes(minutes, 1, false);
}

const char* surchargeLabel(SurchargeKind kind) {
    switch (kind) {
    case SurchargeKind::Surcharge1:
        return "Zuschlag 1";
    case SurchargeKind::Surcharge2:
        return "Zuschlag 2";
    case SurchargeKind::Holiday:
        return "Feiertags-Zuschlag";
    case SurchargeKind::Sunday:
        return "Sonntags-Zuschlag";
    case SurchargeKind::Saturday:
        return "Samstags-Zuschlag";
    case SurchargeKind::Night:
        return "Nacht-Zuschlag";
    }
    return "";
}

std::string euroText(double amount) {
    return hoursText(amount) + " EUR";
}

// A figure under its label, the labels padded to one column.
void writeLine(std::ostream& out, const std::string& label, const std::string& value) {
    out << padRight(label, 32) << ' ' << value << '\n';
}

// The month's wages: hourly wage, deviating wages, paid hours, gross, surcharges, absences and costs.
void writeWages(std::ostream& out, const MonthWages& w) {
    const auto line = [&](const std::string& label, const std::string& value) {
        writeLine(out, label, value);
    };
    out << "\nLöhne\n";
    line("Stundenlohn:", euroText(w.hourlyWage));
    for (const ServiceWage& s : w.services.services)
        line(s.service + ":", format("%s Std. x %s = %s", hoursText(s.hours).c_str(),
                                     euroText(s.hourlyWage).c_str(), euroText(s.gross).c_str()));
    line("Bezahlte Stunden:", hoursText(w.paidHours));
    line("Bruttolohn aus Stundenlohn:", euroText(w.regularGross));
    line("Brutto EUR:", euroText(w.monthGross));
    for (const SurchargeWage& s : w.surcharges)
        line(format("%s %.0f%%:", surchargeLabel(s.kind), s.percent),
             format("%s Std. x %s = %s", hoursText(minutesToHours(s.minutes)).c_str(),
                    euroText(s.rate).c_str(), euroText(s.pay).c_str()));
    const auto absence = [&](const char* label, const AbsencePay& pay) {
        switch (pay.form) {
        case AbsencePayForm::DaysOnly:
            return;
        case AbsencePayForm::HoursOnly:
            line(label, hoursText(pay.hours) + " Std. (in den bezahlten Stunden)");
            return;
        case AbsencePayForm::Amount:
            line(label, format("%s Std. x %s = %s", hoursText(pay.hours).c_str(), euroText(pay.rate).c_str(),
                               euroText(pay.amount).c_str()));
            return;
        }
    };
    absence("Feiertage:", w.holidayPay);
    absence("Urlaubslohn:", w.vacationWage);
    absence("Krank:", w.sickPay);
    if (w.vacationPay)
        line("Urlaubsgeld:", format("Satz: %s, %s", hoursText(w.vacationPay->rate).c_str(),
                                    euroText(w.vacationPay->amount).c_str()));
    line("Urlaubsgeld Mitarbeiterkosten:", euroText(w.vacationPayForCostList));
    line("Stördienst:", euroText(w.standbyPay));
    if (w.shiftAllowance)
        line(w.shiftAllowance->bookingText + ":",
             minutesText(w.shiftAllowance->minutes) + " Lohnart " + w.shiftAllowance->wageType);
    line("AG-Kosten je Stunde:", euroText(w.costRates.employerCostPerHour));
    line("Wertschöpfung je Stunde:", euroText(w.costRates.valueCreationPerHour));
}

// The column titles, then week by week its days and the week's line.
void writeWeeks(std::ostream& out, const MonthEvaluation& e) {
    out << format("%-10s %-4s %-13s %7s %7s %7s %7s %7s %7s %7s %7s\n", "Tag", "Code", "Status", "Soll",
                  "Gutschr.", "Arbeit", "Sa", "Nacht", "So", "F", "Abw.");
    for (const WeekEvaluation& w : e.weeks) {
        out << "KW " << w.weekNumber;
        if (w.carriedIn) out << " (mit Vormonat)";
        out << '\n';
        for (const DayRow& r : w.rows) {
            const std::string date =
                format("%s %02d.%02d.", weekdayName(r.weekday, true).c_str(), r.day, r.month);
            out << format("%-10s %-4s %s %7s %7s %7s %7s %7s %7s %7s %7s", date.c_str(), r.code.c_str(),
                          padRight(r.status, 13).c_str(), minutesText(r.targetMinutes).c_str(),
                          minutesText(r.creditedMinutes + r.creditedAbsenceMinutes).c_str(),
                          minutesText(r.workMinutes).c_str(), minutesText(r.saturdayMinutes).c_str(),
                          minutesText(r.nightMinutes).c_str(), minutesText(r.sundayMinutes).c_str(),
                          minutesText(r.holidayMinutes).c_str(),
                          formatMinutes(r.accountDeviation, 1, true).c_str());
            if (r.firstAfterNotEmployed) out << "  Erster Arbeitstag";
            if (r.notEmployedStart)
                out << "  Nicht mehr beschäftigt seit dem: " << formatDateShort(r.day, r.month, r.year);
            if (!r.reportRemark.empty()) out << "  " << r.reportRemark;
            out << '\n';
        }
        out << format(
            "  Woche: Überstunden-Basis %s, Zuschlag 1 %s, Zuschlag 2 %s, Abweichung %s, Auszahlung %s\n",
            minutesText(w.overtimeBase()).c_str(), minutesText(w.surcharge1Minutes).c_str(),
            minutesText(w.surcharge2Minutes).c_str(), formatMinutes(w.weekDeviation, 1, true).c_str(),
            minutesText(w.weeklyPayout).c_str());
    }
}

// The month's figures and the working-time account at its end.
void writeFigures(std::ostream& out, const CLorvanDoc& doc, const MonthEvaluation& e, double balance,
                  double payout) {
    const auto line = [&](const char* label, const std::string& value) { writeLine(out, label, value); };
    line("Soll-Stunden:", hoursText(e.targetHours));
    line("Soll-Stunden ohne Feiertage:", hoursText(e.targetHoursWithoutHolidays));
    line("Fehlzeiten-Soll:", hoursText(e.absenceTargetHours));
    line("Gutgeschriebene Zeit:", minutesText(e.creditedMinutes));
    line("Pausen:", minutesText(e.pauseMinutes));
    line("Feiertage:", format("%d (%s Std.)", e.holidayDays, hoursText(e.holidayHours).c_str()));
    line("Urlaub:",
         format("%s Tage (%s Std.)", hoursText(e.vacationDays).c_str(), hoursText(e.vacationHours).c_str()));
    line("Krank:", format("%d Tage", e.sickDays));
    line("  mit Lohnfortzahlung:",
         format("%d (%s Std.)", e.sickDaysWithPay, hoursText(e.sickHoursWithPay).c_str()));
    line("  Krankengeld:", format("%d (%s Std.)", e.sickPayDays, hoursText(e.sickPayHours).c_str()));
    line("  Krankheit Kind:", format("%d (%s Std.)", e.childSickDays, hoursText(e.childSickHours).c_str()));
    line("Elternzeit:", hoursText(e.parentalLeaveHours) + " Std.");
    line("Stördienste:", std::to_string(e.standbyDuties));
    line("Bereitschaft:", minutesText(e.standbyMinutes));
    line("Zuschlag 1:", minutesText(e.surcharge1Minutes));
    line("Zuschlag 2:", minutesText(e.surcharge2Minutes));
    line("Samstags-Zuschlag:", minutesText(e.saturdayMinutes));
    line("Nacht-Zuschlag:", minutesText(e.nightMinutes));
    line("Feiertags-Zuschlag:", minutesText(e.holidayMinutes));
    line("Sonntags-Zuschlag:", minutesText(e.sundayMinutes));
    line("Schichtzulage:", minutesText(e.shiftAllowanceMinutes));
    line("Abweichung Arbeitszeitkonto:", formatMinutes(e.accountDeviationMinutes, 1, true));
    line("Wöchentliche Auszahlung:", minutesText(e.weeklyPayoutMinutes));
    if (const CMonatDoc* m = doc.month(e.month)) {
        line("Veränderung Arbeitszeitkonto:", hoursText(m->accountChange));
        line("Korrektur:", hoursText(m->accountCorrection));
    }
    line("Stand Arbeitszeitkonto:", hoursText(balance));
    line("Monatliche Auszahlung:", hoursText(payout));
}

} // namespace

std::string monthTextReport(const CLorvanDoc& document, const MonthEvaluation& evaluation,
                            double accountBalance, double monthlyPayout) {
    std::ostringstream out;
    out << "Monatsauswertung " << monthName(evaluation.month) << ' ' << evaluation.year << " für "
        << document.settings().name << "\n\n";
    writeWeeks(out, evaluation);
    out << '\n';
    writeFigures(out, document, evaluation, accountBalance, monthlyPayout);
    if (const std::optional<MonthWages> wages = monthWages(document, evaluation)) writeWages(out, *wages);
    return out.str();
}

} // namespace lorvan
