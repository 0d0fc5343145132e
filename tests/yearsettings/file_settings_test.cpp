#include "yearsettings/file_settings_environment.h"
#include "yearsettings/year_file_settings.h"

#include "foundation/file_system.h"
#include "foundation/io_select.h"
#include "platform/clock.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"
#include "support/year_file_builder.h"
#include "yearfile/year_file.h"

#include <gtest/gtest.h>

#include <fstream>

namespace lorvan {
namespace {

using test::ScriptedPrompter;

const FixedClock kJune2026{Datum{10, 6, 2026}};

CEinstArbzt settingsOf(const std::string& name, int32_t year) {
    CEinstArbzt settings;
    settings.name = name;
    settings.year = year;
    settings.federalState = "Bayern";
    return settings;
}

FileSettingsEnvironment environment(std::vector<std::string> existing = {}) {
    FileSettingsEnvironment env;
    env.clock = &kJune2026;
    env.yearFileExists = [existing](const std::string& name, int32_t year) {
        return std::find(existing.begin(), existing.end(), name + std::to_string(year)) != existing.end();
    };
    return env;
}

// An existing file's dialog on default settings for Anna 2026.
FileSettingsDialog dialogOn(const CEinstArbzt& settings, bool newFile = false) {
    return FileSettingsDialog(settings, newFile, environment({"Anna2026"}));
}

std::string confirmMessage(FileSettingsDialog& dialog) {
    ScriptedPrompter prompter;
    const std::optional<SettingsFailure> failed = dialog.confirm(prompter);
    return failed ? failed->message : std::string();
}

TEST(FileSettingsPages, TitlesKeysAndStepsFollowThePeriods) {
    CEinstArbzt settings = settingsOf("Anna", 2026);
    settings.wagesInMonthEvaluation = 1;
    settings.workingTimePeriods = {WorkingTimePeriod{}, WorkingTimePeriod{}};
    settings.workingTimePeriods[1].fromMonth = 7;
    settings.wagePeriods = {WagePeriod{}, WagePeriod{}, WagePeriod{}};
    FileSettingsDialog dialog = dialogOn(settings);

    std::vector<std::string> titles;
    for (size_t i = 0; i < dialog.pages().size(); ++i)
        titles.push_back(dialog.pageTitle(i));
    EXPECT_EQ(titles, (std::vector<std::string>{"Allgemein", "Arbeitszeit", "Arbeitszeit (2)", "Arbeitseinstellungen",
                                                "Überstunden", "Arbeitszeitkonto", "Urlaub / Feiertage / Bereitschaft",
                                                "Bruttolohn", "Bruttolohn (2)", "Bruttolohn (3)"}));
    EXPECT_EQ(dialog.pageForKey('z'), 1u);
    EXPECT_EQ(dialog.pageForKey('B'), 3u);
    EXPECT_EQ(dialog.pageForKey('S'), 4u);
    EXPECT_EQ(dialog.pageForKey('K'), 5u);
    EXPECT_EQ(dialog.pageForKey('U'), 6u);
    EXPECT_EQ(dialog.pageForKey('a'), 0u);
    EXPECT_EQ(dialog.pageForKey('X'), std::nullopt);
    EXPECT_EQ(dialog.windowTitle(), "Einstellungen der aktuellen Datei - Anna");
    EXPECT_EQ(dialog.stepTitle(0), "Einstellungen der aktuellen Datei - Allgemein");
    EXPECT_EQ(dialog.stepTitle(2), "Einstellungen der aktuellen Datei - Arbeitszeit (2) - Anna");
    EXPECT_EQ(dialog.stepTitle(4), "Einstellungen der aktuellen Datei - Überstunden - Anna");
}

TEST(FileSettingsGeneral, NameAndYearChecksApplyToNewOrChangedFiles) {
    struct Case {
        std::string name;
        int32_t year;
        bool newFile;
        std::string message;
    };
    const std::vector<Case> cases{
        {"Anna", 2026, false, ""}, // the file itself, unchanged
        {"Anna", 2026, true, "Für dieses Jahr und diesen Namen existiert schon ein Datenbestand."},
        {"", 2026, true, "Wählen Sie einen Mitarbeiter aus."},
        {"Bert", 0, true, "Das Jahr muss als erstes eingegeben werden."},
        {"Bert", 2027, true, ""}, // the next year
        {"Bert", 2028, true, "Es können keine Angaben für zukünftige Jahre erfasst werden."},
        {"Bert", 1999, true, "Es können keine Angaben für Jahre vor 2000 erfasst werden."},
        {"Bert", 2026, true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name + " " + std::to_string(c.year));
        FileSettingsDialog dialog = dialogOn(settingsOf("Anna", 2026), c.newFile);
        dialog.settings().name = c.name;
        dialog.settings().year = c.year;
        ScriptedPrompter prompter;
        const auto failed = dialog.leavePage(0, prompter);
        EXPECT_EQ(failed ? failed->message : "", c.message);
        if (failed) {
            EXPECT_EQ(prompter.texts(), std::vector<std::string>{c.message});
        }
    }
    // An existing file renamed to another person's existing file is refused as well.
    FileSettingsDialog renamed(settingsOf("Bert", 2026), false, environment({"Anna2026"}));
    renamed.settings().name = "Anna";
    EXPECT_EQ(confirmMessage(renamed), "Für dieses Jahr und diesen Namen existiert schon ein Datenbestand.");
}

TEST(FileSettingsGeneral, AnyYearIsAcceptedInDecember) {
    const FixedClock december{Datum{1, 12, 2026}};
    FileSettingsEnvironment env = environment();
    env.clock = &december;
    FileSettingsDialog dialog(settingsOf("Bert", 2030), true, env);
    EXPECT_EQ(confirmMessage(dialog), "");
}

TEST(FileSettingsWorkingTime, FixedWorkingDaysFillOrClearTheGrid) {
    FileSettingsDialog dialog = dialogOn(settingsOf("Anna", 2026));
    WorkingTimePeriod& period = dialog.settings().workingTimePeriods[0];
    period.halfDayByWeekday[5] = 1;
    dialog.setFixedRegularWorkingDays(0, false);
    EXPECT_EQ(period.fixedRegularWorkingDays, 0);
    EXPECT_EQ(period.workingDaysPerWeek, 5);
    EXPECT_EQ(period.hoursPerWorkingDay, 8.0);
    EXPECT_EQ(period.breakMinutesPerWorkingDay, 45);
    EXPECT_EQ(period.hoursByWeekday, (std::array<double, 7>{}));
    EXPECT_EQ(period.halfDayByWeekday, (std::array<int32_t, 7>{}));

    dialog.setFixedRegularWorkingDays(0, true);
    EXPECT_EQ(period.hoursByWeekday, (std::array<double, 7>{0, 8, 8, 8, 8, 5, 0}));
    EXPECT_EQ(period.breakMinutesByWeekday, (std::array<int32_t, 7>{0, 45, 45, 45, 45, 15, 0}));
    EXPECT_EQ(period.workingDaysPerWeek, 0);
    EXPECT_EQ(period.hoursPerWorkingDay, 0.0);

    period.hoursByWeekday = {};
    EXPECT_EQ(confirmMessage(dialog), "Sie haben keine regelmäßige Arbeitszeit angegeben.");
}

TEST(FileSettingsWorkingTime, PagesComeAndGoWithTheEndOfYearBox) {
    FileSettingsDialog dialog = dialogOn(settingsOf("Anna", 2026));
    ScriptedPrompter prompter;
    auto& periods = dialog.settings().workingTimePeriods;
    periods[0].hoursByWeekday[1] = 6.0;

    // Cleared on the last page: a copy from the next month on follows.
    EXPECT_FALSE(dialog.setWorkingTimeLastPeriod(0, false, prompter));
    ASSERT_EQ(periods.size(), 2u);
    EXPECT_EQ(periods[1].fromMonth, 2);
    EXPECT_EQ(periods[1].lastPeriod, 1);
    EXPECT_EQ(periods[1].hoursByWeekday[1], 6.0);
    EXPECT_EQ(periods[0].lastPeriod, 0);

    // Ticked again with a later page: No keeps the page, Yes removes it.
    prompter.answerNo();
    EXPECT_FALSE(dialog.setWorkingTimeLastPeriod(0, true, prompter));
    EXPECT_EQ(periods.size(), 2u);
    prompter.answerYes();
    EXPECT_TRUE(dialog.setWorkingTimeLastPeriod(0, true, prompter));
    EXPECT_EQ(periods.size(), 1u);
    EXPECT_EQ(periods[0].lastPeriod, 1);
    EXPECT_EQ(prompter.texts(),
              std::vector<std::string>(
                  2, "Sollen die eingegebenen Arbeitszeiten auf den folgenden Seiten wirklich gelöscht werden?"));

    // A December page has no next month: the box stays ticked.
    periods[0].fromMonth = 1;
    dialog.setWorkingTimeLastPeriod(0, false, prompter);
    periods[1].fromMonth = 12;
    EXPECT_TRUE(dialog.setWorkingTimeLastPeriod(1, false, prompter));
    EXPECT_EQ(periods.size(), 2u);

    // Later pages must start later.
    periods[1].fromMonth = 0;
    EXPECT_EQ(confirmMessage(dialog), "Es muss der Monat, ab dem die Einstellungen gelten, ausgewählt werden.");
    periods[1].fromMonth = 1;
    EXPECT_EQ(confirmMessage(dialog),
              "Der Monat, ab dem die Einstellungen gelten, muss grösser sein als bei der vorherigen Seite.");
}

TEST(FileSettingsOvertime, ChecksInTheirOrder) {
    struct Case {
        const char* what;
        std::function<void(CEinstArbzt&)> change;
        std::string message;
        SettingsField field;
    };
    const std::vector<Case> cases{
        {"rounding 0", [](CEinstArbzt& s) { s.overtimeRoundingMinutes = 0; },
         "Eine kleinere als minutengenaue Rundung der Überstunden ist nicht möglich.\nGeben Sie deshalb mindestens "
         "eine 1 an.",
         SettingsField::OvertimeRounding},
        {"negative rounding", [](CEinstArbzt& s) { s.overtimeRoundingMinutes = -5; },
         "Eine kleinere als minutengenaue Rundung der Überstunden ist nicht möglich.\nGeben Sie deshalb mindestens "
         "eine 1 an.",
         SettingsField::OvertimeRounding},
        {"rounding 61", [](CEinstArbzt& s) { s.overtimeRoundingMinutes = 61; },
         "Eine größere Rundung der Überstunden als auf 1 Stunde ist nicht möglich.\nGeben Sie deshalb höchstens 60 an.",
         SettingsField::OvertimeRounding},
        {"percent 1 of 0", [](CEinstArbzt& s) { s.surcharge1Percent = 0; }, "Der Prozentwert ist ungültig.",
         SettingsField::Surcharge1Percent},
        {"percent 1 above 200", [](CEinstArbzt& s) { s.surcharge1Percent = 200.5; }, "Der Prozentwert ist ungültig.",
         SettingsField::Surcharge1Percent},
        {"169 hours", [](CEinstArbzt& s) { s.surcharge1FromWeeklyHours = 169; },
         "So viele Stunden kann eine Woche nicht haben.", SettingsField::Surcharge1Hours},
        {"below the regular week", [](CEinstArbzt& s) { s.surcharge1FromWeeklyHours = 36; },
         "Die Wochenstunden für die Überstundenberechnung sind in mindestens einem Monat kleiner als die "
         "regelmäßige Wochenarbeitszeit.",
         SettingsField::Surcharge1Hours},
        {"surcharge 2 without 1", [](CEinstArbzt& s) { s.surcharge1On = 0; },
         "Wenn Zuschlag 2 ausgewählt wurde, dann muss auch Zuschlag 1 ausgewählt werden.",
         SettingsField::Surcharge2On},
        {"percent 2 below 1", [](CEinstArbzt& s) { s.surcharge2Percent = 10; },
         "Die Höhe des 2. Zuschlags muss größer oder gleich dem 1. Zuschlag sein.", SettingsField::Surcharge2Percent},
        {"hours 2 below 1", [](CEinstArbzt& s) { s.surcharge2FromWeeklyHours = 41; },
         "Die Wochenstunden für den 2. Zuschlag müssen größer als die Wochenstunden für den 1. Zuschlag sein.",
         SettingsField::Surcharge2Hours},
        {"Sunday percent", [](CEinstArbzt& s) { s.sundayPercent = 0; }, "Der Prozentwert ist ungültig.",
         SettingsField::SundayPercent},
        {"holiday percent", [](CEinstArbzt& s) { s.holidayPercent = 250; }, "Der Prozentwert ist ungültig.",
         SettingsField::HolidayPercent},
        {"night begin empty", [](CEinstArbzt& s) { s.nightBegin = ""; }, "Der Beginn der Nacht '' ist ungültig.",
         SettingsField::NightBegin},
        {"night end invalid", [](CEinstArbzt& s) { s.nightEnd = "25:99"; }, "Das Ende der Nacht '25:99' ist ungültig.",
         SettingsField::NightEnd},
        {"night 22-6", [](CEinstArbzt& s) { s.nightBegin = "22:00", s.nightEnd = "6:00"; }, "", SettingsField::None},
        {"night 0-5", [](CEinstArbzt& s) { s.nightBegin = "0:00", s.nightEnd = "5:00"; }, "", SettingsField::None},
        {"night 20-19", [](CEinstArbzt& s) { s.nightBegin = "20:00", s.nightEnd = "19:00"; },
         "Der Beginn der Nacht muss vor dem Ende liegen.", SettingsField::NightBegin},
        {"night 12-6", [](CEinstArbzt& s) { s.nightBegin = "12:00", s.nightEnd = "6:00"; },
         "Die Nacht muss zwischen 18 Uhr und 9 Uhr liegen.", SettingsField::NightBegin},
        {"Saturday 13-21", [](CEinstArbzt& s) { s.saturdaySurchargeOn = 1, s.saturdayPercent = 20,
                                                s.saturdayBegin = "13:00", s.saturdayEnd = "21:00"; },
         "", SettingsField::None},
        {"Saturday begin", [](CEinstArbzt& s) { s.saturdaySurchargeOn = 1, s.saturdayPercent = 20,
                                                s.saturdayBegin = "x", s.saturdayEnd = "21:00"; },
         "Der Beginn der Berechnung des Samstags-Zuschlags 'x' ist ungültig.", SettingsField::SaturdayBegin},
        {"Saturday end before begin", [](CEinstArbzt& s) { s.saturdaySurchargeOn = 1, s.saturdayPercent = 20,
                                                           s.saturdayBegin = "13:00", s.saturdayEnd = "13:00"; },
         "Der Beginn der Berechnung des Samstags-Zuschlags muss vor dem Ende liegen.", SettingsField::SaturdayBegin},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CEinstArbzt settings = settingsOf("Anna", 2026);
        c.change(settings);
        FileSettingsDialog dialog = dialogOn(settings);
        ScriptedPrompter prompter;
        const auto failed = dialog.leavePage(dialog.pageIndex(SettingsPageKind::Overtime), prompter);
        EXPECT_EQ(failed ? failed->message : "", c.message);
        EXPECT_EQ(failed ? failed->field : SettingsField::None, c.field);
    }
}

TEST(FileSettingsOvertime, AnUnusualRoundingIsAskedFor) {
    const std::string question =
        "Eine Rundung der Überstunden auf 7 Minuten ist eher ungewöhnlich.\nSind Ihre Angaben wirklich korrekt?";
    FileSettingsDialog dialog = dialogOn(settingsOf("Anna", 2026));
    dialog.settings().overtimeRoundingMinutes = 7;
    const size_t page = dialog.pageIndex(SettingsPageKind::Overtime);
    ScriptedPrompter prompter;
    prompter.answerNo();
    const auto failed = dialog.leavePage(page, prompter);
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->field, SettingsField::OvertimeRounding);
    EXPECT_EQ(failed->message, "");
    EXPECT_EQ(prompter.log().size(), 1u); // the question, no further message
    prompter.answerYes();
    EXPECT_FALSE(dialog.leavePage(page, prompter));
    // Confirmed once, the value is not asked for again.
    EXPECT_FALSE(dialog.confirm(prompter));
    EXPECT_EQ(prompter.texts(), std::vector<std::string>(2, question));

    // The rounding the file has already is not questioned.
    CEinstArbzt stored = settingsOf("Anna", 2026);
    stored.overtimeRoundingMinutes = 7;
    FileSettingsDialog again = dialogOn(stored);
    EXPECT_FALSE(again.confirm(prompter));
}

TEST(FileSettingsOvertime, SurchargeBoxesProposeAndClear) {
    CEinstArbzt settings = settingsOf("Anna", 2026);
    settings.wageTypeSurcharge2 = "120";
    FileSettingsDialog dialog = dialogOn(settings);
    CEinstArbzt& s = dialog.settings();
    dialog.setSurcharge(Surcharge::First, false);
    EXPECT_EQ(s.surcharge1On, 0);
    EXPECT_EQ(s.surcharge2On, 0);
    EXPECT_EQ(s.surcharge2Percent, 0.0);
    EXPECT_EQ(s.wageTypeSurcharge2, "");
    dialog.setSurcharge(Surcharge::Second, true);
    EXPECT_EQ(confirmMessage(dialog), "Wenn Zuschlag 2 ausgewählt wurde, dann muss auch Zuschlag 1 ausgewählt werden.");
    dialog.setSurcharge(Surcharge::First, true);
    EXPECT_EQ(s.surcharge1Percent, 20.0);
    EXPECT_EQ(s.surcharge1FromWeeklyHours, 42.0);
    EXPECT_EQ(s.surcharge2Percent, 50.0);
    EXPECT_EQ(s.surcharge2FromWeeklyHours, 44.0);
    dialog.setSurcharge(Surcharge::Saturday, true);
    EXPECT_EQ(s.saturdayBegin, "13:00");
    EXPECT_EQ(s.saturdayEnd, "21:00");
    EXPECT_EQ(s.saturdayPercent, 20.0);
    dialog.setSurcharge(Surcharge::Night, false);
    EXPECT_EQ(s.nightBegin, "");
    EXPECT_EQ(confirmMessage(dialog), "");
    for (Surcharge each : {Surcharge::First, Surcharge::Sunday, Surcharge::Holiday, Surcharge::Saturday})
        dialog.setSurcharge(each, false);
    EXPECT_FALSE(dialog.convertSurchargesEnabled());
}

TEST(FileSettingsAccount, ModesNeedTheirWorkingTimes) {
    CEinstArbzt settings = settingsOf("Anna", 2026);
    settings.keepWorkingTimeAccount = 1;
    FileSettingsDialog dialog = dialogOn(settings);
    CEinstArbzt& s = dialog.settings();
    const size_t page = dialog.pageIndex(SettingsPageKind::Account);
    EXPECT_EQ(confirmMessage(dialog), "");

    // Without fixed regular working days the daily mode has nothing to compare with.
    dialog.setFixedRegularWorkingDays(0, false);
    EXPECT_EQ(confirmMessage(dialog),
              "Das Arbeitszeitkonto kann nicht aus den Abweichungen von der regelmäßigen Arbeitszeit berechnet werden, "
              "da Sie auf einer der Seiten 'Arbeitszeit' keine festen Regelarbeitstage hinterlegt haben.");
    s.accountMode = "WA";
    EXPECT_EQ(confirmMessage(dialog), "");
    s.workingTimePeriods[0].workingDaysPerWeek = 0;
    EXPECT_EQ(confirmMessage(dialog),
              "Das Arbeitszeitkonto kann nicht aus den Abweichungen von der wöchentlichen Arbeitszeit berechnet werden, "
              "da Sie auf einer der Seiten 'Arbeitszeit' weder feste Regelarbeitstage noch die Anzahl der Arbeitstage "
              "mit der täglichen Arbeitszeit hinterlegt haben.");

    // The monthly mode asks; Yes stays on the page, No accepts for the rest of the dialog.
    s.accountMode = "MA";
    s.workingTimePeriods[0].hoursPerWorkingDay = 0.0;
    s.checkBreakTimes = 0;
    ScriptedPrompter prompter;
    prompter.answerYes();
    const auto failed = dialog.leavePage(page, prompter);
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->field, SettingsField::AccountMode);
    EXPECT_NE(failed->question.find("Wollen Sie die Einstellungen jetzt korrigieren?"), std::string::npos);
    prompter.answerNo();
    EXPECT_FALSE(dialog.leavePage(page, prompter));
    EXPECT_FALSE(dialog.confirm(prompter));

    s.accountToMonth = 0;
    EXPECT_EQ(confirmMessage(dialog), "Es muss der Monat, bis zu dem die Einstellungen gelten, ausgewählt werden.");
    s.accountFromMonth = 5;
    s.accountToMonth = 4;
    EXPECT_EQ(confirmMessage(dialog), "Es muss der Von-Monat kleiner als der Bis-Monat sein.");
    s.accountToMonth = 5;
    s.weeklyPayoutOn = 1;
    EXPECT_EQ(confirmMessage(dialog), "Die wöchentliche Auszahlung des Arbeitszeitkontos kann nicht durchgeführt werden, "
                                      "da Sie keine Stunden hinterlegt haben.");
    // An account that is not kept is not checked.
    s.keepWorkingTimeAccount = 0;
    EXPECT_EQ(confirmMessage(dialog), "");
}

TEST(FileSettingsWorkSettings, BreakNoteIsShownOnceAndAccepted) {
    FileSettingsDialog dialog = dialogOn(settingsOf("Anna", 2026));
    dialog.settings().defaultStartOfWork = "7:3x";
    EXPECT_EQ(confirmMessage(dialog), "Der Beginn der Arbeitszeit '7:3x' ist ungültig.");
    dialog.settings().defaultStartOfWork = "7:30";
    dialog.setFixedRegularWorkingDays(0, false);
    dialog.settings().workingTimePeriods[0].hoursPerWorkingDay = 0.0;
    ScriptedPrompter prompter;
    const size_t page = dialog.pageIndex(SettingsPageKind::WorkSettings);
    EXPECT_FALSE(dialog.leavePage(page, prompter));
    EXPECT_FALSE(dialog.leavePage(page, prompter));
    ASSERT_EQ(prompter.log().size(), 1u);
    EXPECT_EQ(prompter.log()[0].kind, "inform");
    EXPECT_EQ(prompter.log()[0].text, "Die Pausenzeiten können nur geprüft werden, wenn Sie die tägliche Arbeitszeit "
                                      "auf den Seiten 'Arbeitszeit' angegeben haben.");
}

TEST(FileSettingsVacation, AutomaticHolidaysNeedAState) {
    CEinstArbzt settings = settingsOf("Anna", 2026);
    settings.federalState.clear();
    FileSettingsDialog dialog = dialogOn(settings);
    EXPECT_EQ(confirmMessage(dialog), "Das Bundesland muss ausgewählt werden.");
    dialog.settings().enterPublicHolidaysAutomatically = 0;
    EXPECT_EQ(confirmMessage(dialog), "");
}

TEST(FileSettingsWages, UseBoxesAddAndRemoveTheWagePages) {
    FileSettingsDialog dialog = dialogOn(settingsOf("Anna", 2026));
    ScriptedPrompter prompter;
    EXPECT_TRUE(dialog.setWageUse(WageUse::CustomerQuery, true, prompter));
    ASSERT_EQ(dialog.settings().wagePeriods.size(), 1u);
    EXPECT_EQ(dialog.pageTitle(dialog.pages().size() - 1), "Bruttolohn");
    EXPECT_TRUE(dialog.setWageUse(WageUse::MonthEvaluation, true, prompter));
    EXPECT_EQ(dialog.settings().wagePeriods.size(), 1u);
    EXPECT_FALSE(dialog.setWageUse(WageUse::MonthEvaluation, false, prompter)); // another use remains
    prompter.answerNo();
    EXPECT_TRUE(dialog.setWageUse(WageUse::CustomerQuery, false, prompter));
    EXPECT_EQ(dialog.settings().wagesAsCostsInCustomerQuery, 1);
    prompter.answerYes();
    EXPECT_FALSE(dialog.setWageUse(WageUse::CustomerQuery, false, prompter));
    EXPECT_TRUE(dialog.settings().wagePeriods.empty());
    EXPECT_EQ(prompter.texts(),
              std::vector<std::string>(
                  2, "Sollen die eingegebenen Bruttolöhne auf den folgenden Seiten wirklich gelöscht werden?"));
}

TEST(FileSettingsWages, HourlyWageAndFactorsRecomputeThePerHourValues) {
    FileSettingsDialog dialog = dialogOn(settingsOf("Anna", 2026));
    ScriptedPrompter prompter;
    dialog.setWageUse(WageUse::CostEvaluation, true, prompter);
    WagePeriod& wage = dialog.settings().wagePeriods[0];
    dialog.setEmployerCostFactor(0, 1.5); // no wage yet: nothing to compute
    EXPECT_EQ(wage.employerCostPerHour, 0.0);
    dialog.setHourlyWage(0, 14.15);
    EXPECT_DOUBLE_EQ(wage.employerCostPerHour, 21.23); // 21.225 rounded half up
    EXPECT_EQ(wage.valueCreationPerHour, 0.0);         // no factor
    dialog.setValueCreationFactor(0, 2.0);
    EXPECT_DOUBLE_EQ(wage.valueCreationPerHour, 28.3);
    wage.employerCostPerHour = 30.0; // typed over; the same wage again changes nothing
    dialog.setHourlyWage(0, 14.15);
    EXPECT_EQ(wage.employerCostPerHour, 30.0);
    EXPECT_EQ(confirmMessage(dialog),
              "Die geschätzte Wertschöpfung des Mitarbeiters muss größer oder gleich den Kosten für den Arbeitgeber "
              "sein.");
}

TEST(FileSettingsWages, ChecksInTheirOrder) {
    struct Case {
        const char* what;
        std::function<void(WagePeriod&, WagePeriod&)> change;
        std::string message;
    };
    const std::vector<Case> cases{
        {"fine", [](WagePeriod&, WagePeriod&) {}, ""},
        {"no wage", [](WagePeriod& w, WagePeriod&) { w.hourlyWage = 0; }, "Es muss der Stundenlohn eingegeben werden."},
        {"standby days without pay", [](WagePeriod& w, WagePeriod&) { w.standbyPayDays = 3; },
         "Es muss die Stördienstvergütung angegeben werden."},
        {"standby pay without days", [](WagePeriod& w, WagePeriod&) { w.standbyPay = 50; },
         "Es muss angegeben werden, für wieviele Tage die Stördienstvergütung gerechnet wird."},
        {"second page without month", [](WagePeriod&, WagePeriod& second) { second.fromMonth = 0; },
         "Es muss der Monat, ab dem die Einstellungen gelten, ausgewählt werden."},
        {"second page not later", [](WagePeriod&, WagePeriod& second) { second.fromMonth = 1; },
         "Der Monat, ab dem die Einstellungen gelten, muss grösser sein als bei der vorherigen Seite."},
        {"no costs", [](WagePeriod& w, WagePeriod&) { w.employerCostPerHour = 0; },
         "Es müssen die Kosten für den Arbeitgeber eingegeben werden."},
        {"no value", [](WagePeriod& w, WagePeriod&) { w.valueCreationPerHour = 0; },
         "Es muss die geschätzte Wertschöpfung des Mitarbeiters pro Stunde eingegeben werden."},
        {"costs below wage", [](WagePeriod& w, WagePeriod&) { w.employerCostPerHour = 12; },
         "Die Kosten für den Arbeitgeber müssen größer oder gleich dem Stundenlohn sein."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CEinstArbzt settings = settingsOf("Anna", 2026);
        settings.employeeInCostEvaluation = 1;
        WagePeriod first;
        first.hourlyWage = 15;
        first.employerCostPerHour = 20;
        first.valueCreationPerHour = 40;
        WagePeriod second = first;
        second.fromMonth = 7;
        settings.wagePeriods = {first, second};
        c.change(settings.wagePeriods[0], settings.wagePeriods[1]);
        FileSettingsDialog dialog = dialogOn(settings);
        EXPECT_EQ(confirmMessage(dialog), c.message);
    }
}

TEST(FileSettingsWages, DeviatingWagesAreEditedAndPrunedOnlyWhenTheServicesWereRead) {
    CEinstArbzt settings = settingsOf("Anna", 2026);
    settings.wagesInMonthEvaluation = 1;
    WagePeriod wage;
    wage.hourlyWage = 15;
    wage.deviatingHourlyWages = {{"Gone", 20.0}, {"Montage", 18.0}};
    settings.wagePeriods = {wage};

    FileSettingsEnvironment read = environment();
    read.serviceNames = std::vector<std::string>{"Beratung", "Montage"};
    FileSettingsDialog dialog(settings, false, read);
    const std::vector<DeviatingWageRow> rows = dialog.deviatingWageRows(0);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].service, "Beratung");
    EXPECT_EQ(rows[0].wageText, "");
    EXPECT_EQ(rows[1].wageText, "18,00");

    ScriptedPrompter prompter;
    DeviatingWageEdit edit = dialog.deviatingWageOf(0, "Beratung");
    EXPECT_FALSE(edit.deviating);
    edit.deviating = true;
    edit.wage = -1.0;
    EXPECT_FALSE(confirmDeviatingWage(edit, prompter));
    edit.wage = 0.0;
    prompter.answerNo();
    EXPECT_FALSE(confirmDeviatingWage(edit, prompter));
    prompter.answerYes();
    EXPECT_TRUE(confirmDeviatingWage(edit, prompter));
    EXPECT_EQ(prompter.texts(), (std::vector<std::string>{
                                    "Der Stundenlohn muss größer als 0 sein.",
                                    "Soll für diese Zeiten wirklich kein Stundenlohn berechnet werden?",
                                    "Soll für diese Zeiten wirklich kein Stundenlohn berechnet werden?"}));
    dialog.setDeviatingWage(0, edit);
    dialog.setDeviatingWage(0, DeviatingWageEdit{"Montage", false, 0.0});
    EXPECT_EQ(dialog.deviatingWageRows(0)[0].wageText, "0,00");
    EXPECT_EQ(dialog.result().wagePeriods[0].deviatingHourlyWages,
              (decltype(wage.deviatingHourlyWages){{"Beratung", 0.0}}));

    // Without a readable service file nothing is dropped, and the list shows what there is.
    FileSettingsDialog unread(settings, false, environment());
    EXPECT_EQ(unread.deviatingWageRows(0).size(), 2u);
    EXPECT_EQ(unread.result().wagePeriods[0].deviatingHourlyWages, wage.deviatingHourlyWages);
}

TEST(FileSettingsResult, OkWritesBackAndCancelChangesNothing) {
    CLorvanDoc document = test::YearFileBuilder("Anna", 2026).month(3).month(4).build();
    document.settings().federalState = "Bayern";
    document.month(3)->resultsValid = 1;
    document.month(4)->resultsValid = 1;
    document.setModified(false);
    const CEinstArbzt before = document.settings();
    {
        FileSettingsDialog cancelled = dialogOn(document.settings());
        cancelled.settings().overtimeRoundingMinutes = 15;
    }
    EXPECT_EQ(document.settings(), before);

    FileSettingsDialog dialog = dialogOn(document.settings());
    dialog.settings().weekEndsAtMonthEnd = 1;
    dialog.setFixedRegularWorkingDays(0, false); // the week then ends where it ends
    dialog.settings().overtimeRoundingMinutes = 15;
    ScriptedPrompter prompter;
    ASSERT_FALSE(dialog.confirm(prompter));
    dialog.applyTo(document);
    EXPECT_EQ(document.settings().overtimeRoundingMinutes, 15);
    EXPECT_EQ(document.settings().weekEndsAtMonthEnd, 0);
    EXPECT_TRUE(document.isModified());
    EXPECT_EQ(document.month(3)->resultsValid, 0);
    EXPECT_EQ(document.month(4)->resultsValid, 0);
}

TEST(FileSettingsCopy, TakesLastYearsLastPeriodAndDecemberFigures) {
    test::TempDir dir;
    CEinstArbzt last = settingsOf("Anna", 2025);
    last.keepWorkingTimeAccount = 1;
    last.accountCarryOver = 12.5;
    last.manageRemainingVacation = 1;
    last.vacationEntitlement = 28.0;
    last.remainingVacationPreviousYear = 2.0;
    last.overtimeRoundingMinutes = 15;
    WorkingTimePeriod july;
    july.fromMonth = 7;
    july.hoursByWeekday = {0, 6, 6, 6, 6, 6, 0};
    last.workingTimePeriods = {WorkingTimePeriod{}, july};
    last.workingTimePeriods[0].lastPeriod = 0;
    const std::string lastPath =
        test::YearFileBuilder("Anna", 2025).settings([&](CEinstArbzt& s) { s = last; }).saveAs(dir.file("Anna2025.azr"));

    FileSettingsDialog dialog(settingsOf("Anna", 2026), true, fileSettingsEnvironment(dir.path().string() + "/", kJune2026));
    ASSERT_EQ(copyFromYearFile(dialog, lastPath, dir.path().string() + "/"), std::nullopt);
    const CEinstArbzt& copied = dialog.settings();
    EXPECT_EQ(copied.name, "Anna");
    EXPECT_EQ(copied.year, 2026);
    EXPECT_EQ(copied.overtimeRoundingMinutes, 15);
    ASSERT_EQ(copied.workingTimePeriods.size(), 1u);
    EXPECT_EQ(copied.workingTimePeriods[0].fromMonth, 1);
    EXPECT_EQ(copied.workingTimePeriods[0].lastPeriod, 1);
    EXPECT_EQ(copied.workingTimePeriods[0].hoursByWeekday, july.hoursByWeekday);
    EXPECT_EQ(copied.accountCarryOver, 12.5); // nothing was booked in 2025
    EXPECT_EQ(copied.keepWorkingTimeAccount, 1);
    EXPECT_EQ(copied.remainingVacationPreviousYear, 30.0); // 28 + 2, none taken
    EXPECT_EQ(dialog.pages().size(), 6u);

    // An account that ended before December gives no carry-over.
    last.accountToMonth = 11;
    test::YearFileBuilder("Anna", 2025).settings([&](CEinstArbzt& s) { s = last; }).saveAs(lastPath);
    FileSettingsDialog early(settingsOf("Anna", 2026), true, environment());
    ASSERT_EQ(copyFromYearFile(early, lastPath, dir.path().string() + "/"), std::nullopt);
    EXPECT_EQ(early.settings().keepWorkingTimeAccount, 0);
    EXPECT_EQ(early.settings().accountCarryOver, 0.0);
}

TEST(FileSettingsCopy, AnUnreadableFileLeavesTheSettings) {
    test::TempDir dir;
    const std::string path = dir.file("Kaputt2025.azr");
    std::ofstream(path) << "nonsense";
    FileSettingsDialog dialog = dialogOn(settingsOf("Anna", 2026));
    const CEinstArbzt before = dialog.settings();
    const std::optional<std::string> message = copyFromYearFile(dialog, path, dir.path().string() + "/");
    ASSERT_TRUE(message);
    EXPECT_EQ(message->rfind("Die Datei konnte nicht gelesen werden: ", 0), 0u) << *message;
    EXPECT_EQ(dialog.settings(), before);
    EXPECT_EQ(copySourceSelection(dir.path().string()).title(), "Kopieren von");
}

TEST(FileSettingsEnvironment, ServicesReadOnlyFromAReadableFile) {
    test::TempDir dir;
    const std::string folder = dir.path().string() + "/";
    EXPECT_FALSE(fileSettingsEnvironment(folder, kJune2026).serviceNames);
    std::ofstream(dir.file("Daten.dl")) << "x";
    EXPECT_FALSE(fileSettingsEnvironment(folder, kJune2026).serviceNames);
    test::YearFileBuilder("Anna", 2026).saveAs(dir.file("Anna2026.azr"));
    const FileSettingsEnvironment env = fileSettingsEnvironment(folder, kJune2026);
    EXPECT_TRUE(env.yearFileExists("Anna", 2026));
    EXPECT_FALSE(env.yearFileExists("Anna", 2027));
}

} // namespace
} // namespace lorvan
