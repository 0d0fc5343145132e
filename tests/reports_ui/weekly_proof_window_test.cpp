#include "reports/ui/weekly_proof_window.h"
#include "support/gui_fixture.h"

#include "gui/common/qt_platform.h"
#include "support/scripted_prompter.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cstdlib>
#include <string>
#include <vector>

namespace lorvan {
namespace {

struct Ran {
    ReportAction action;
    WeeklyProofPeriod period;
};

void type(QLineEdit* field, const char* text) {
    field->setFocus();
    field->setText(QString::fromUtf8(text));
    field->setModified(true);
    emit field->editingFinished();
}

TEST(WeeklyProofWindow, FieldsFollowTheModelAndButtonsRunThePeriod) {
    CDruckWoche model("Jörg Weiß", 2026);
    test::ScriptedPrompter prompter;
    std::vector<Ran> ran;
    WeeklyProofWindow window(model, prompter, "&Export nach Excel",
                             [&](ReportAction action, const WeeklyProofPeriod& period) { ran.push_back({action, period}); });
    window.show();

    type(window.weekField(), "12");
    EXPECT_EQ(fromQt(window.fromField()->text()), "16.03.2026");
    EXPECT_EQ(fromQt(window.toField()->text()), "22.03.2026");
    EXPECT_EQ(fromQt(window.fromLabel()->text()), "Montag");
    EXPECT_EQ(fromQt(window.toLabel()->text()), "Sonntag");

    type(window.toField(), "25.3.2026");
    EXPECT_EQ(fromQt(window.weekField()->text()), "0");
    window.button(ReportAction::Export)->click();
    ASSERT_EQ(ran.size(), 1u);
    EXPECT_EQ(ran[0].action, ReportAction::Export);
    EXPECT_EQ(weeklyProofTitle(ran[0].period), "Stundennachweis für 16.03.2026 - 25.03.2026 ");

    // A date of another year: the field empties, its label says "Fehler", and the buttons refuse.
    type(window.fromField(), "16.03.2025");
    EXPECT_EQ(fromQt(window.fromField()->text()), "");
    EXPECT_EQ(fromQt(window.fromLabel()->text()), "Fehler");
    window.button(ReportAction::Preview)->click();
    EXPECT_EQ(ran.size(), 1u);
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Der Zeitraum muss erst vollständig erfasst werden."});
    EXPECT_EQ(window.focusWidget(), window.weekField());

    // A picture of the dialog for a look at its layout.
    type(window.weekField(), "12");
    if (const char* folder = std::getenv("LORVAN_SCREENSHOTS"))
        window.grab().save(QString::fromUtf8(folder) + "/wochenauswertung.png");
}

} // namespace
} // namespace lorvan
