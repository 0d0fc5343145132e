#include "foundation/error.h"
#include "foundation/file_system.h"
#include "logbook/logbook_changes.h"
#include "logbook/logbook_window.h"
#include "logbook/vehicle_file.h"
#include "logbook/word_lists.h"
#include "masterdata/customer_file.h"
#include "masterdata/customer_list.h"
#include "platform/clock.h"
#include "support/error_text.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <functional>

namespace lorvan {
namespace {

using test::ScriptedPrompter;
using test::TempDir;

constexpr const char* kPlate = "AB-CD 123";

class TripRunner final : public TripDialogRunner {
  public:
    explicit TripRunner(std::function<bool(TripDialog&)> action) : action_(std::move(action)) {}
    bool run(TripDialog& dialog) override {
        ++runs;
        return action_(dialog);
    }
    int runs = 0;

  private:
    std::function<bool(TripDialog&)> action_;
};

// A data directory with the vehicle and a clock on 10.03.2026 09:00.
class LogbookFlows : public ::testing::Test {
  protected:
    LogbookFlows() : clock({10, 3, 2026}, 9 * 60) {
        CTwFahrzDoc vehicles;
        vehicles.put({kPlate, "Transporter"});
        vehicles.save(vehicleFilePath(dir.path().string()));
        environment.dataDirectory = dir.path().string();
        environment.prompter = &prompter;
        environment.clock = &clock;
    }

    std::string path(int32_t year) const { return logbookPath(dir.path().string(), kPlate, year); }

    // A logbook of the year with trips of the readings given (negative: a cancelled trip), all
    // created on 02.01. of the year.
    void writeLogbook(int32_t year, std::vector<double> readings, int32_t closed = 0) {
        CTwFahrtenbuchDoc doc;
        doc.year = year;
        doc.plate = kPlate;
        doc.startKilometres = 100.0;
        doc.startStreet = "Start-Str.";
        doc.startPlace = "Startort";
        doc.closed = closed;
        for (double reading : readings) {
            CFahrtDoc trip = CFahrtDoc::newTrip({{2, 1, year}, 8 * 60});
            trip.kilometres = reading < 0 ? -reading : reading;
            trip.status = reading < 0 ? 1 : 0;
            trip.street = "Str. " + std::to_string(static_cast<int>(trip.kilometres));
            trip.place = "Ort";
            doc.trips.push_back(trip);
        }
        doc.save(path(year));
    }

    CTwFahrtenbuchDoc read(int32_t year) const {
        CTwFahrtenbuchDoc doc;
        doc.open(path(year));
        return doc;
    }

    TempDir dir;
    ScriptedPrompter prompter;
    FixedClock clock;
    LogbookEnvironment environment;
};

TEST_F(LogbookFlows, CreatingNextYearClosesTheOldOneAfterTheQuestion) {
    struct Case {
        const char* name;
        std::vector<double> readings;
        Answer answer;
        bool created;
        double startKilometres;
        const char* startStreet;
    };
    const Case cases[] = {
        {"No opens nothing", {200.0}, Answer::No, false, 0, ""},
        {"last valid trip", {200.0, 300.0, -400.0}, Answer::Yes, true, 300.0, "Str. 300"},
        {"no valid trip: the start values", {-250.0}, Answer::Yes, true, 100.0, "Start-Str."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeLogbook(2025, c.readings);
        prompter.answer(c.answer);
        auto window = LogbookWindow::open(path(2026), environment);
        EXPECT_EQ(prompter.log().back().text,
                  "Soll das Fahrtenbuch aus dem Jahr 2025 jetzt abgeschlossen werden?\n\nBerücksichtigen Sie "
                  "bitte, dass dann dort keine Änderungen mehr gemacht werden können!");
        EXPECT_EQ(read(2025).isClosed(), c.created);
        ASSERT_EQ(window != nullptr, c.created);
        if (!window) continue;
        EXPECT_TRUE(window->isNew());
        EXPECT_TRUE(window->changed());
        EXPECT_FALSE(fileExists(path(2026)));
        EXPECT_EQ(window->logbook().plate, kPlate);
        EXPECT_EQ(window->logbook().year, 2026);
        EXPECT_DOUBLE_EQ(window->logbook().startKilometres, c.startKilometres);
        EXPECT_EQ(window->logbook().startStreet, c.startStreet);
        EXPECT_EQ(window->vehicleDescription(), "Transporter");
        EXPECT_TRUE(window->save());
        EXPECT_TRUE(fileExists(path(2026)));
        std::string ignored;
        deleteFile(path(2026), ignored, false);
    }
    EXPECT_TRUE(prompter.allAnswered());
}

TEST_F(LogbookFlows, AClosedLogbookRefusesEveryChange) {
    writeLogbook(2025, {200.0}, 1);
    clock.set({10, 3, 2026}, 9 * 60);
    auto window = LogbookWindow::open(path(2025), environment);
    ASSERT_TRUE(window);
    TripRunner runner([](TripDialog&) { return true; });
    EXPECT_EQ(window->newTrip(runner), StartField::None);
    EXPECT_EQ(runner.runs, 0);
    EXPECT_EQ(window->deleteTrip(0), DeleteOutcome::Refused);
    EXPECT_EQ(prompter.texts(), (std::vector<std::string>{kLogbookClosed, kLogbookClosed}));
    EXPECT_THROW_MSG(window->appendTrip(CFahrtDoc()), kLogbookClosed);
    EXPECT_THROW_MSG(window->cancelTrip(0), kLogbookClosed);
    EXPECT_FALSE(window->tripDialog(0).readOnly() == false);
    EXPECT_FALSE(window->startValuesEditable());
    // Creating its next year asks nothing more.
    auto next = LogbookWindow::open(path(2026), environment);
    ASSERT_TRUE(next);
    EXPECT_EQ(prompter.log().size(), 2u);
}

TEST_F(LogbookFlows, ALogbookNeedsItsVehicle) {
    const std::string other = dir.file("XY_12026.fb");
    EXPECT_FALSE(LogbookWindow::open(other, environment));
    EXPECT_EQ(prompter.texts(), (std::vector<std::string>{"Es konnte kein Fahrzeug mit dem Kennzeichen 'XY_1' gefunden werden."}));
}

TEST_F(LogbookFlows, StartValuesAreCheckedBeforeTheFirstTrip) {
    const char* kPlace = "Es muss als erstes der Standort bei Beginn der Führung des Fahrtenbuchs eingetragen werden.\n"
                         "Dieser kann nach Erfassung des ersten Eintrags nicht mehr geändert werden.";
    const char* kKilometres = "Es muss als erstes der Kilometerstand bei Beginn der Führung des Fahrtenbuchs "
                              "eingetragen werden.\nDieser kann nach Erfassung des ersten Eintrags nicht mehr "
                              "geändert werden.";
    struct Case {
        const char* street;
        const char* place;
        const char* kilometres;
        StartField field;
        const char* message;
    };
    const Case cases[] = {
        {"Weg 1", "", "10", StartField::Place, kPlace},
        {"", "Ort", "10", StartField::Street, kPlace},
        {"Weg 1", "Ort", "0", StartField::Kilometres, kKilometres},
        {"Weg 1", "Ort", "abc", StartField::Kilometres, kKilometres},
        {"Weg 1", "Ort", "10,5", StartField::None, ""},
    };
    for (const Case& c : cases) {
        auto window = LogbookWindow::open(path(2026), environment);
        ASSERT_TRUE(window);
        window->setStartText(StartField::Street, c.street);
        window->setStartText(StartField::Place, c.place);
        window->setStartText(StartField::Kilometres, c.kilometres);
        TripRunner runner([](TripDialog&) { return false; });
        prompter = ScriptedPrompter();
        EXPECT_EQ(window->newTrip(runner), c.field) << c.kilometres;
        EXPECT_EQ(runner.runs, c.field == StartField::None ? 1 : 0);
        if (c.field != StartField::None) {
            EXPECT_EQ(prompter.texts(), std::vector<std::string>{c.message});
        } else {
            EXPECT_DOUBLE_EQ(window->logbook().startKilometres, 10.5);
            EXPECT_TRUE(window->logbook().trips.empty());
        }
    }
}

// A trip entered in the dialog at 10.03.2026 09:00.
bool enterTrip(TripDialog& dialog, Prompter& prompter) {
    dialog.setText(TripField::Driver, "Anna");
    dialog.setText(TripField::Street, "Weg 2");
    dialog.setText(TripField::Place, "Ort");
    dialog.setText(TripField::Purpose, "Kundenbesuch");
    dialog.setText(TripField::Person, "Firma X");
    dialog.setText(TripField::StartDate, "09.03.2026");
    dialog.setText(TripField::DrivenKilometres, "42,5");
    dialog.leave(TripField::DrivenKilometres);
    return dialog.confirm(prompter) == TripField::None;
}

TEST_F(LogbookFlows, DeleteWithinTheFirstDayCancelAfterwards) {
    auto window = LogbookWindow::open(path(2026), environment);
    ASSERT_TRUE(window);
    window->setStartText(StartField::Street, "Weg 1");
    window->setStartText(StartField::Place, "Ort");
    window->setStartText(StartField::Kilometres, "1000");
    TripRunner runner([&](TripDialog& d) { return enterTrip(d, prompter); });
    EXPECT_EQ(window->newTrip(runner), StartField::None);
    ASSERT_EQ(window->logbook().trips.size(), 1u) << ::testing::PrintToString(prompter.texts());
    EXPECT_EQ(window->rows()[0].start, "09.03.2026 ");
    EXPECT_DOUBLE_EQ(window->logbook().trips[0].kilometres, 1042.5);
    ASSERT_TRUE(window->save());

    const std::string question = "Soll '09.03.2026 nach Weg 2' gelöscht werden?";
    const std::string cancelQuestion = "Der Eintrag ist älter als ein Tag und kann deshalb nicht mehr gelöscht "
                                       "werden.\n\nSoll '09.03.2026 nach Weg 2' jetzt storniert werden?";
    // 23 hours later: deleted after the question (No keeps it).
    clock.set({11, 3, 2026}, 8 * 60);
    prompter = ScriptedPrompter();
    prompter.answerNo();
    EXPECT_EQ(window->deleteTrip(0), DeleteOutcome::Kept);
    EXPECT_EQ(window->deleteTrip(std::nullopt), DeleteOutcome::Beep);
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{question});
    // 24 hours later: only cancelled, and then it stays.
    clock.set({11, 3, 2026}, 9 * 60);
    prompter = ScriptedPrompter();
    prompter.answerYes();
    const int32_t revision = window->tripListRevision();
    EXPECT_EQ(window->deleteTrip(0), DeleteOutcome::Cancelled);
    EXPECT_GT(window->tripListRevision(), revision);
    EXPECT_EQ(window->rows()[0].kind, "S");
    EXPECT_EQ(window->deleteTrip(0), DeleteOutcome::Refused);
    EXPECT_EQ(prompter.texts(), (std::vector<std::string>{cancelQuestion,
                                                          "Der Eintrag ist bereits storniert.\nDer Eintrag ist älter "
                                                          "als ein Tag und kann deshalb nicht mehr gelöscht werden."}));
    EXPECT_THROW_MSG(window->removeTrip(0), kTripTooOld);
    EXPECT_TRUE(window->tripDialog(0).readOnly());
    EXPECT_EQ(window->tripDialog(0).statusText(), "STORNIERT");
    // A cancelled trip does not count for the next one's previous reading.
    EXPECT_DOUBLE_EQ(window->tripDialog(1).setup().check.previousKilometres, 1000.0);

    // Yes within the day removes it.
    window->appendTrip(CFahrtDoc::newTrip(clock.now()));
    prompter = ScriptedPrompter();
    prompter.answerYes();
    EXPECT_EQ(window->deleteTrip(1), DeleteOutcome::Deleted);
    EXPECT_EQ(window->logbook().trips.size(), 1u);
}

TEST_F(LogbookFlows, SavingANewLogbookRefusesAFileThatAppearedMeanwhile) {
    auto window = LogbookWindow::open(path(2026), environment);
    ASSERT_TRUE(window);
    writeLogbook(2026, {});
    EXPECT_FALSE(window->save());
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{kLogbookExists});
}

TEST_F(LogbookFlows, ClosingWithChangesAsks) {
    auto window = LogbookWindow::open(path(2026), environment);
    ASSERT_TRUE(window);
    const std::string question = "Es wurde das Fahrtenbuch geändert.\nSollen die Änderungen gespeichert werden?";
    prompter.answerCancel();
    EXPECT_FALSE(window->close());
    // Yes on a logbook without trips checks the start values first.
    prompter.answerYes();
    EXPECT_FALSE(window->close());
    EXPECT_FALSE(fileExists(path(2026)));
    prompter.answerNo();
    EXPECT_TRUE(window->close());
    EXPECT_EQ(prompter.log()[0].text, question);
    EXPECT_EQ(prompter.log()[2].kind, "warn");
}

TEST_F(LogbookFlows, TheTripDialogCouplesItsFieldsAndLooksUpCustomers) {
    CTwKundenDoc customers;
    CKundeDoc customer;
    customer.number = 17;
    customer.name = "Beispiel GmbH";
    customer.street = "Hafenstr. 5";
    customer.zipCity = "12345 Hafenstadt";
    customers.put(customer);
    customers.save(dir.file(CTwKundenDoc::kFileName));
    CustomerList list(dir.path().string());
    LogbookWordLists words;
    environment.customers = &list;
    environment.words = &words;

    writeLogbook(2026, {1000.0});
    auto window = LogbookWindow::open(path(2026), environment);
    ASSERT_TRUE(window);
    TripDialog dialog = window->tripDialog(1);
    EXPECT_EQ(dialog.vehicleText(), "AB-CD 123 - Transporter");
    EXPECT_EQ(dialog.startLocationText(), "Str. 1000, Ort");
    EXPECT_EQ(dialog.previousKilometresText(), "1000,0");
    EXPECT_EQ(dialog.text(TripField::StartDate), "10.03.2026");
    // The start date takes the end date along while both are equal.
    dialog.setText(TripField::StartDate, "08.03.2026");
    EXPECT_EQ(dialog.text(TripField::EndDate), "08.03.2026");
    dialog.setText(TripField::EndDate, "09.03.2026");
    dialog.setText(TripField::StartDate, "07.03.2026");
    EXPECT_EQ(dialog.text(TripField::EndDate), "09.03.2026");
    // The readings.
    dialog.setText(TripField::Kilometres, "1012,36");
    dialog.leave(TripField::Kilometres);
    EXPECT_EQ(dialog.text(TripField::DrivenKilometres), "12,4");
    dialog.setText(TripField::Kilometres, "990");
    dialog.leave(TripField::Kilometres);
    EXPECT_EQ(dialog.text(TripField::DrivenKilometres), "0,0");
    dialog.setText(TripField::DrivenKilometres, "25,5");
    dialog.leave(TripField::DrivenKilometres);
    EXPECT_EQ(dialog.text(TripField::Kilometres), "1025,5");
    dialog.setText(TripField::DrivenKilometres, "0");
    dialog.leave(TripField::DrivenKilometres);
    EXPECT_EQ(dialog.text(TripField::Kilometres), "1025,5");

    dialog.setText(TripField::Driver, "Anna");
    dialog.setText(TripField::Purpose, "Wartung");
    dialog.setText(TripField::Person, "17");
    dialog.setText(TripField::StartTime, "7");
    EXPECT_EQ(dialog.confirm(prompter), TripField::Street);
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Der neue Standort muss eingegeben werden."});
    dialog.setText(TripField::Street, "?");
    dialog.setText(TripField::Place, "?");
    EXPECT_EQ(dialog.confirm(prompter), TripField::None);
    EXPECT_EQ(dialog.trip().customerName, "Beispiel GmbH");
    EXPECT_EQ(dialog.trip().locationText(), "Hafenstr. 5, 12345 Hafenstadt");
    EXPECT_EQ(dialog.trip().startTime, "07:00");
    EXPECT_EQ(dialog.trip().shownPerson(), "Beispiel GmbH");
    EXPECT_EQ(words.purposes().count("Wartung"), 1u);
    EXPECT_EQ(words.persons().count("17"), 0u);
}

TEST_F(LogbookFlows, WordListsComeFromEveryLogbookAndTheMasterData) {
    writeLogbook(2025, {200.0, -300.0});
    CTwFahrtenbuchDoc withDriver = read(2025);
    withDriver.trips[0].driver = "Bert";
    withDriver.trips[0].person = "Firma Z";
    withDriver.trips[0].purpose = "Lieferung";
    withDriver.trips[1].driver = "Storno-Fahrer";
    withDriver.save(path(2025));
    test::writeBytes(dir.file("Kaputt2025.fb"), "xx");
    CTwFahrzDoc vehicles;
    vehicles.open(vehicleFilePath(dir.path().string()));
    vehicles.putPreset({"Büro", "Büroweg 1", "Bürostadt", "Post"});
    vehicles.save(vehicles.path());

    LogbookWordLists words;
    words.build(dir.path().string(), 2026, {"Anna Albers"}, {"Beispiel GmbH", "4711 Duft"});
    using W = std::vector<std::string>;
    EXPECT_EQ(LogbookWordLists::list(words.drivers()), (W{"Anna Albers", "Bert"}));
    EXPECT_EQ(LogbookWordLists::list(words.purposes()), (W{"Kundenbesuch", "Lieferung"}));
    EXPECT_EQ(LogbookWordLists::list(words.persons()), (W{"Beispiel GmbH", "Firma Z"}));
    EXPECT_EQ(LogbookWordLists::list(words.streets()), (W{"Büroweg 1", "Str. 200"}));
    EXPECT_EQ(LogbookWordLists::list(words.places()), (W{"Bürostadt", "Ort"}));
}

TEST(LogbookChanges, WriteAllowsOnlyWhatTheProgramCouldDo) {
    const ClockTime now{{10, 3, 2026}, 12 * 60};
    CTwFahrtenbuchDoc stored;
    stored.year = 2026;
    stored.plate = kPlate;
    stored.startKilometres = 100;
    stored.startStreet = "Weg";
    stored.startPlace = "Ort";
    CFahrtDoc old = CFahrtDoc::newTrip({{1, 3, 2026}, 8 * 60});
    old.kilometres = 150;
    CFahrtDoc fresh = CFahrtDoc::newTrip({{10, 3, 2026}, 8 * 60});
    fresh.kilometres = 200;
    stored.trips = {old, fresh};

    struct Case {
        const char* name;
        std::function<void(CTwFahrtenbuchDoc&)> change;
        const char* problem;
    };
    const Case cases[] = {
        {"nothing", [](CTwFahrtenbuchDoc&) {}, ""},
        {"append", [&](CTwFahrtenbuchDoc& d) { d.trips.push_back(CFahrtDoc::newTrip(now)); }, ""},
        {"change the fresh trip", [](CTwFahrtenbuchDoc& d) { d.trips[1].kilometres = 210; }, ""},
        {"remove the fresh trip", [](CTwFahrtenbuchDoc& d) { d.trips.pop_back(); }, ""},
        {"cancel the old trip", [](CTwFahrtenbuchDoc& d) { d.trips[0].status = 1; }, ""},
        {"close", [](CTwFahrtenbuchDoc& d) { d.closed = 1; }, ""},
        {"change the old trip", [](CTwFahrtenbuchDoc& d) { d.trips[0].kilometres = 160; },
         "Eintrag 1: Der Eintrag ist älter als ein Tag und kann nur noch storniert werden."},
        {"cancel and change the old trip", [](CTwFahrtenbuchDoc& d) { d.trips[0].status = 1; d.trips[0].driver = "X"; },
         "Eintrag 1: Der Eintrag ist älter als ein Tag und kann nur noch storniert werden."},
        {"remove the old trip", [](CTwFahrtenbuchDoc& d) { d.trips.erase(d.trips.begin()); },
         "Eintrag 1: Der Eintrag ist älter als ein Tag und kann nur noch storniert werden."},
        {"remove all", [](CTwFahrtenbuchDoc& d) { d.trips.clear(); },
         "Eintrag 1: Der Eintrag ist älter als ein Tag und kann deshalb nicht mehr gelöscht werden."},
        {"start values", [](CTwFahrtenbuchDoc& d) { d.startKilometres = 90; },
         "Die Startwerte können nach Erfassung des ersten Eintrags nicht mehr geändert werden."},
        {"plate", [](CTwFahrtenbuchDoc& d) { d.plate = "X"; }, "Jahr und Kennzeichen eines Fahrtenbuchs können nicht geändert werden."},
        {"backdated new trip", [](CTwFahrtenbuchDoc& d) { d.trips.push_back(CFahrtDoc::newTrip({{1, 3, 2026}, 0})); },
         "Eintrag 3: Ein neuer Eintrag muss jetzt erstellt sein."},
        {"new trip from the future", [](CTwFahrtenbuchDoc& d) { d.trips.push_back(CFahrtDoc::newTrip({{11, 3, 2026}, 0})); },
         "Eintrag 3: Ein neuer Eintrag muss jetzt erstellt sein."},
    };
    for (const Case& c : cases) {
        CTwFahrtenbuchDoc changed = stored;
        c.change(changed);
        EXPECT_EQ(disallowedLogbookChange(stored, changed, now), c.problem) << c.name;
    }
    // Closed: nothing changes any more, not even the flag back.
    CTwFahrtenbuchDoc closed = stored;
    closed.closed = 1;
    CTwFahrtenbuchDoc reopened = closed;
    reopened.closed = 0;
    EXPECT_EQ(disallowedLogbookChange(closed, reopened, now), kLogbookClosed);
    EXPECT_EQ(disallowedLogbookChange(closed, closed, now), "");
    // Without trips the start values may change.
    CTwFahrtenbuchDoc empty = stored;
    empty.trips.clear();
    CTwFahrtenbuchDoc moved = empty;
    moved.startKilometres = 5;
    EXPECT_EQ(disallowedLogbookChange(empty, moved, now), "");
}

} // namespace
} // namespace lorvan
