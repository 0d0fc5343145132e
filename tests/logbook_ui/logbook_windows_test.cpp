#include "app/command_table.h"
#include "app/document_kinds.h"
#include "app/web_pages.h"
#include "gui/common/hyperlink.h"
#include "gui/common/print_preview.h"
#include "gui/common/qt_platform.h"
#include "logbook/logbook_file.h"
#include "logbook/ui/logbook_commands.h"
#include "logbook/ui/logbook_view.h"
#include "logbook/ui/trip_dialog_window.h"
#include "logbook/ui/trip_list_widget.h"
#include "logbook/ui/vehicle_list_view.h"
#include "logbook/vehicle_file.h"
#include "logbook/word_lists.h"
#include "support/fake_browser.h"
#include "support/fake_desktop.h"
#include "support/gui_fixture.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>

#include <cstdlib>
#include <filesystem>

namespace lorvan {
namespace {

void screenshot(QWidget* widget, const char* name) {
    EXPECT_TRUE(widget->grab().save(QString::fromUtf8(LORVAN_SCREENSHOT_DIR) + QStringLiteral("/") +
                                    QString::fromUtf8(name)));
}

constexpr const char* kPlate = "K-LV 815";
// The demo's logbook of 2026: six trips from 2 to 12 June, the third cancelled, the last at 24 622,5 km.
constexpr const char* kDemoLogbook = "KLV_8152026.fb";

template <typename W>
W* shownDocument(test::FakeDesktop& desktop) {
    for (DocumentView* view : desktop.documents())
        if (auto* window = qobject_cast<W*>(view)) return window;
    return nullptr;
}

std::vector<std::string> kindColumn(const TripListWidget* list) {
    std::vector<std::string> kinds;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        kinds.push_back(fromQt(list->topLevelItem(i)->text(0)));
    return kinds;
}

void type(QLineEdit* field, const char* text) {
    field->setText(QString::fromUtf8(text));
    emit field->editingFinished();
}

class LogbookWindowsTest : public ::testing::Test {
  protected:
    LogbookWindowsTest() {
        registerLogbookCommands(desktop, LogbookServices{.words = [this] { return &words; }, .browser = &browser});
        words.build(desktop.dataDirectory(), 2026, {"Anna Schneider", "Jörg Weiß"}, {"Autohaus Wagner GmbH"});
    }

    LogbookView* openDemoLogbook() {
        auto* view = qobject_cast<LogbookView*>(openLogbookWindow(desktop, desktop.dataDirectory() + kDemoLogbook));
        EXPECT_NE(view, nullptr);
        return view;
    }

    test::FakeDesktop desktop{"Daten.fz", kDemoLogbook, "Daten.mar", "Daten.kd"};
    test::FakeBrowser browser{true};
    LogbookWordLists words;
};

TEST_F(LogbookWindowsTest, TheWorkAreaListsTheVehiclesAndEnterOpensTheLogbookOfTheYear) {
    ASSERT_TRUE(desktop.commands().run(MenuCommand::Logbook));
    auto* vehicles = shownDocument<VehicleListView>(desktop);
    ASSERT_NE(vehicles, nullptr);
    EXPECT_EQ(vehicles->windowTitle(), QStringLiteral("Fahrzeuge verwalten"));
    ASSERT_EQ(vehicles->list()->topLevelItemCount(), 1);
    EXPECT_EQ(vehicles->list()->topLevelItem(0)->text(0), QString::fromUtf8(kPlate));
    EXPECT_EQ(vehicles->list()->topLevelItem(0)->text(1), QStringLiteral("Firmenwagen (Kombi)"));
    EXPECT_EQ(vehicles->yearField()->value(), 2026);
    screenshot(vehicles, "logbook_vehicle_list.png");

    // A year without a logbook: only the current year may start one.
    vehicles->yearField()->setValue(2025);
    QTest::keyClick(vehicles->list(), Qt::Key_Return);
    EXPECT_EQ(desktop.scripted().texts().back(), "Neue Fahrtenbücher können nur für das aktuelle Jahr angelegt werden.");
    EXPECT_EQ(shownDocument<LogbookView>(desktop), nullptr);

    vehicles->yearField()->setValue(2026);
    QTest::keyClick(vehicles->list(), Qt::Key_Return);
    auto* logbook = shownDocument<LogbookView>(desktop);
    ASSERT_NE(logbook, nullptr);
    EXPECT_EQ(logbook->tripList()->topLevelItemCount(), 6);
    EXPECT_EQ(desktop.viewNumbers(), (std::vector<int32_t>{kViewVehicles, kViewLogbook}));
    // The work area a second time activates the window there is.
    desktop.commands().run(MenuCommand::Logbook);
    EXPECT_EQ(desktop.viewNumbers().size(), 2u);
}

TEST_F(LogbookWindowsTest, NewVehicleAsksAgainForAMissingPlateAndTheCloseQuestionCanKeepTheWindow) {
    auto* vehicles = qobject_cast<VehicleListView*>(openVehicleListWindow(desktop));
    ASSERT_NE(vehicles, nullptr);
    test::whenModalShows<VehicleDialogWindow>([](VehicleDialogWindow* dialog) {
        dialog->plateField()->clear();
        dialog->accept();
        test::whenModalShows<VehicleDialogWindow>([](VehicleDialogWindow* again) {
            again->plateField()->setText(QStringLiteral("BN-XY 42"));
            again->descriptionField()->setText(QStringLiteral("Transporter"));
            again->accept();
        });
    });
    vehicles->newVehicle();
    EXPECT_EQ(desktop.scripted().texts(), std::vector<std::string>{"Geben Sie das Amtliche Kennzeichen ein."});
    ASSERT_EQ(vehicles->list()->topLevelItemCount(), 2);
    EXPECT_EQ(vehicles->list()->currentItem()->text(0), QStringLiteral("BN-XY 42"));

    const std::string question =
        "Es wurden die Einstellungen zum Fahrtenbuch geändert.\nSollen die Änderungen gespeichert werden?";
    desktop.scripted().answerCancel();
    vehicles->cancel();
    EXPECT_TRUE(vehicles->isVisible()) << "Abbrechen keeps the window";
    EXPECT_EQ(desktop.scripted().texts().back(), question);
    desktop.scripted().answerYes();
    vehicles->cancel();
    EXPECT_FALSE(vehicles->isVisible());
    CTwFahrzDoc saved;
    saved.open(vehicleFilePath(desktop.dataDirectory()));
    EXPECT_NE(saved.findByPlate("BN-XY 42"), nullptr);
}

TEST_F(LogbookWindowsTest, TheLogbookWindowShowsTheTripsAndKeepsTheStartValuesOnceTripsExist) {
    LogbookView* view = openDemoLogbook();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->findChild<QLineEdit*>(QStringLiteral("year"))->text(), QStringLiteral("2026"));
    EXPECT_EQ(view->findChild<QLineEdit*>(QStringLiteral("plate"))->text(), QString::fromUtf8(kPlate));
    EXPECT_EQ(view->findChild<QLineEdit*>(QStringLiteral("description"))->text(), QStringLiteral("Firmenwagen (Kombi)"));
    EXPECT_EQ(view->startField(StartField::Street)->text(), QStringLiteral("Gewerbepark 5"));
    EXPECT_TRUE(view->startField(StartField::Kilometres)->isReadOnly());
    EXPECT_EQ(kindColumn(view->tripList()), (std::vector<std::string>{"G", "G", "S", "A", "P", "G"}));
    EXPECT_EQ(view->printFromField()->text(), QStringLiteral("01.01.2026"));
    EXPECT_EQ(view->printToField()->text(), QStringLiteral("31.12.2026"));
    screenshot(view, "logbook_window.png");

    view->declarationLink()->setAddress(view->declarationLink()->address());
    QTest::mouseClick(view->declarationLink(), Qt::LeftButton);
    EXPECT_EQ(browser.opened, std::vector<std::string>{kLogbookDeclarationAddress});
}

TEST_F(LogbookWindowsTest, ARefusedTripKeepsTheDialogOnTheFieldAndOkAppendsIt) {
    LogbookView* view = openDemoLogbook();
    ASSERT_NE(view, nullptr);
    bool refusedKeptOpen = false;
    QWidget* focusAfterRefusal = nullptr;
    QLineEdit* driverField = nullptr;
    test::whenModalShows<TripDialogWindow>([&](TripDialogWindow* dialog) {
        EXPECT_EQ(dialog->findChild<QLabel*>(QStringLiteral("previousKilometres"))->text(), QStringLiteral("24622,5"));
        dialog->field(TripField::Person)->setText(QStringLiteral("Autohaus Wagner GmbH"));
        dialog->field(TripField::Street)->setText(QStringLiteral("Industriestr. 12"));
        dialog->field(TripField::Place)->setText(QStringLiteral("50829 Köln"));
        dialog->field(TripField::Purpose)->setText(QStringLiteral("Kundenbesuch"));
        // The driven kilometres give the new reading when the field is left.
        type(dialog->field(TripField::DrivenKilometres), "18,5");
        EXPECT_EQ(dialog->field(TripField::Kilometres)->text(), QStringLiteral("24641,0"));
        dialog->field(TripField::StartTime)->setText(QStringLiteral("8:00"));
        dialog->field(TripField::EndTime)->setText(QStringLiteral("8:30"));
        screenshot(dialog, "logbook_trip_dialog.png");
        dialog->accept();
        refusedKeptOpen = dialog->isVisible();
        focusAfterRefusal = dialog->focusWidget();
        driverField = dialog->field(TripField::Driver);
        dialog->field(TripField::Driver)->setText(QStringLiteral("Jörg Weiß"));
        dialog->accept();
    });
    view->newTrip();
    EXPECT_TRUE(refusedKeptOpen);
    EXPECT_EQ(focusAfterRefusal, driverField);
    EXPECT_EQ(desktop.scripted().texts(), std::vector<std::string>{"Der Name des Fahrers muss eingegeben werden."});
    ASSERT_EQ(view->tripList()->topLevelItemCount(), 7);
    EXPECT_EQ(view->tripList()->topLevelItem(6)->text(4), QStringLiteral("24641,0"));
    EXPECT_TRUE(view->logbook().changed());
    EXPECT_EQ(words.drivers().count("Jörg Weiß"), 1u);
}

TEST_F(LogbookWindowsTest, DeleteRemovesANewTripCancelsAnOldOneAndBeepsWithoutSelection) {
    // A trip entered just now (deletable) after the demo's trips.
    std::unique_ptr<LogbookWindow> file =
        LogbookWindow::open(desktop.dataDirectory() + kDemoLogbook, logbookEnvironment(desktop));
    ASSERT_NE(file, nullptr);
    CFahrtDoc trip = CFahrtDoc::newTrip(desktop.clock().now());
    trip.kindValue = kTripPrivate;
    trip.driver = "Jörg Weiß";
    trip.street = "Rheinufer 2";
    trip.place = "53113 Bonn";
    trip.kilometres = 24700.0;
    file->appendTrip(trip);
    ASSERT_TRUE(file->save());
    LogbookView* view = openDemoLogbook();
    ASSERT_NE(view, nullptr);
    TripListWidget* list = view->tripList();

    // A print made now is dropped by the next change of the list.
    view->printFromField()->clear();
    test::whenModalShows<PrintPreviewDialog>([](PrintPreviewDialog* preview) { preview->reject(); });
    view->showPreview();
    EXPECT_TRUE(view->print().laidOut());
    EXPECT_EQ(view->printFromField()->text(), QStringLiteral("01.01.2026")) << "an empty field is the year's start";

    const struct {
        int row;
        Answer answer;
        std::string question;
        std::vector<std::string> kinds;
    } cases[] = {
        {6, Answer::Yes, "Soll '15.06.2026 nach Rheinufer 2' gelöscht werden?", {"G", "G", "S", "A", "P", "G"}},
        {0, Answer::No,
         "Der Eintrag ist älter als ein Tag und kann deshalb nicht mehr gelöscht werden.\n\n"
         "Soll '02.06.2026 nach Industriestr. 12' jetzt storniert werden?",
         {"G", "G", "S", "A", "P", "G"}},
        {0, Answer::Yes, "", {"S", "G", "S", "A", "P", "G"}},
    };
    for (const auto& step : cases) {
        list->setCurrentItem(list->topLevelItem(step.row));
        desktop.scripted().answer(step.answer);
        QTest::keyClick(list, Qt::Key_Delete);
        ASSERT_FALSE(desktop.scripted().texts().empty());
        if (!step.question.empty()) {
            EXPECT_EQ(desktop.scripted().texts().back(), step.question);
        }
        EXPECT_EQ(kindColumn(list), step.kinds);
    }
    EXPECT_FALSE(view->print().laidOut()) << "the trip list changed after the preview";

    list->setCurrentItem(list->topLevelItem(2));
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(desktop.scripted().texts().back(),
              "Der Eintrag ist bereits storniert.\n"
              "Der Eintrag ist älter als ein Tag und kann deshalb nicht mehr gelöscht werden.");
    const size_t shown = desktop.scripted().log().size();
    list->setCurrentItem(nullptr);
    list->clearSelection();
    view->deleteSelected();
    EXPECT_EQ(desktop.scripted().log().size(), shown) << "no selection: only a beep";
}

TEST_F(LogbookWindowsTest, AnOldTripOpensReadOnlyAndACancelledOneSaysStorniert) {
    LogbookView* view = openDemoLogbook();
    ASSERT_NE(view, nullptr);
    for (int row : {0, 2}) {
        bool okEnabled = true;
        bool readOnly = false;
        QString status;
        test::whenModalShows<TripDialogWindow>([&](TripDialogWindow* dialog) {
            okEnabled = dialog->okButton()->isEnabled();
            readOnly = dialog->field(TripField::Street)->isReadOnly() &&
                       !dialog->kindButton(TripKind::Private)->isEnabled();
            status = dialog->statusLabel()->text();
            EXPECT_TRUE(dialog->statusLabel()->font().bold());
            if (row == 2) screenshot(dialog, "logbook_trip_dialog_cancelled.png");
            dialog->reject();
        });
        view->tripList()->setCurrentItem(view->tripList()->topLevelItem(row));
        view->editSelected();
        EXPECT_FALSE(okEnabled);
        EXPECT_TRUE(readOnly);
        EXPECT_EQ(status, row == 2 ? QStringLiteral("STORNIERT") : QString());
    }
    EXPECT_FALSE(view->logbook().changed());
}

TEST_F(LogbookWindowsTest, ThePrintRangeIsCheckedAndTheLogbookPrintsToPdf) {
    LogbookView* view = openDemoLogbook();
    ASSERT_NE(view, nullptr);
    QTest::keyClicks(view->printToField(), QStringLiteral("x"));
    view->printLogbookPages();
    EXPECT_EQ(desktop.scripted().texts().back(), "Das Ende des Drucks ist kein gültiges Datum.");
    EXPECT_EQ(view->focusWidget(), view->printToField());

    view->printToField()->setText(QStringLiteral("30.06.2026"));
    emit view->printToField()->textEdited(view->printToField()->text());
    int pagesShown = 0;
    test::whenModalShows<PrintPreviewDialog>([&](PrintPreviewDialog* preview) {
        pagesShown = preview->preview()->pageCount();
        screenshot(preview, "logbook_print_preview.png");
        preview->reject();
    });
    view->showPreview();
    EXPECT_EQ(pagesShown, 1);

    const std::string pdf = desktop.dataDirectory() + "fahrtenbuch.pdf";
    QPrinter& printer = desktop.printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(toQt(pdf));
    desktop.lastPrintFile() = pdf;
    int lastPage = 0;
    test::whenModalShows<QPrintDialog>([&](QPrintDialog* dialog) {
        lastPage = dialog->maxPage();
        dialog->accept();
    });
    view->printLogbookPages();
    EXPECT_EQ(lastPage, 1) << "the laid-out report's page count";
    const std::string printed = desktop.lastPrintFile();
    ASSERT_TRUE(std::filesystem::exists(printed)) << printed;
    const std::string png = std::string(LORVAN_SCREENSHOT_DIR) + "/logbook_printed_page";
    const std::string command = "pdftoppm -r 80 -png -singlefile '" + printed + "' '" + png + "'";
    if (std::system("command -v pdftoppm > /dev/null") == 0) {
        EXPECT_EQ(std::system(command.c_str()), 0);
    }
}

TEST_F(LogbookWindowsTest, ANewLogbookAsksForItsStartValuesAndTheCloseQuestionKeepsTheWindowOnCancel) {
    CTwFahrzDoc vehicles;
    vehicles.open(vehicleFilePath(desktop.dataDirectory()));
    vehicles.put(CFahrzDoc{"BN-XY 42", "Transporter"});
    vehicles.save(vehicleFilePath(desktop.dataDirectory()));
    const std::string path = logbookPath(desktop.dataDirectory(), "BN-XY 42", 2026);
    auto* view = qobject_cast<LogbookView*>(openLogbookWindow(desktop, path));
    ASSERT_NE(view, nullptr);
    EXPECT_FALSE(view->startField(StartField::Street)->isReadOnly());
    view->newTrip();
    EXPECT_EQ(desktop.scripted().texts().back().rfind("Es muss als erstes der Standort", 0), 0u);
    EXPECT_EQ(view->focusWidget(), view->startField(StartField::Place));

    QTest::keyClicks(view->startField(StartField::Place), QStringLiteral("53113 Bonn"));
    desktop.scripted().answerCancel();
    view->cancel();
    EXPECT_EQ(desktop.scripted().texts().back(), "Es wurde das Fahrtenbuch geändert.\nSollen die Änderungen gespeichert werden?");
    EXPECT_TRUE(view->isVisible());
    // Yes with the street still missing: the window stays with the focus on the street.
    desktop.scripted().answerYes();
    view->cancel();
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(view->focusWidget(), view->startField(StartField::Street));
    desktop.scripted().answerNo();
    view->cancel();
    EXPECT_FALSE(view->isVisible());
    EXPECT_FALSE(std::filesystem::exists(path)) << "No writes nothing";
}

} // namespace
} // namespace lorvan
