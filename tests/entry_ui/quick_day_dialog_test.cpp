#include "entry/ui/quick_day_dialog.h"

#include "entry/ui/day_entry_form.h"
#include "gui/common/qt_platform.h"
#include "support/gui_fixture.h"
#include "support/scripted_prompter.h"
#include "support/year_file_builder.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

#include <algorithm>

#include <string>
#include <vector>

namespace lorvan {
namespace {

QPushButton* button(const QWidget* window, const char* text) {
    return test::buttonWithText(window, text);
}

class QuickDayDialogTest : public ::testing::Test {
  protected:
    CLorvanDoc document = test::YearFileBuilder("Anna Berg", 2026).day(3, 10).build();
    CTagDoc& day = *document.month(3)->day(10);
    test::ScriptedPrompter prompter;
    DayEntryServices services() {
        DayEntryServices services;
        services.prompter = &prompter;
        return services;
    }
    DayEntry entry{day, DayEntryMode::QuickEntry, services()};
    // The time-line dialog: a new line becomes 7:00-15:45 with a pause of 45 minutes.
    TimeLineEditor editor = [](CZeitZeile& line, bool) {
        line.kind = kKindWorkingTime;
        line.from = "7:00";
        line.to = "15:45";
        line.duration = 525;
        line.pause = 45;
        line.updateDurationText();
        return true;
    };

    void SetUp() override {
        entry.setDateText("10.03.2026");
        entry.setFurtherEmployees("Jörg Weiß; Lena Becker");
    }
};

TEST_F(QuickDayDialogTest, ShowsTheQuickFormAndSavesTheDay) {
    bool saved = false;
    test::answerModals({[this](QWidget* modal) {
        auto* dialog = qobject_cast<QuickDayDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(fromQt(dialog->windowTitle()), "Schnellerfassung eines Tages");
        EXPECT_EQ(fromQt(dialog->findChild<QLineEdit*>(QStringLiteral("employee"))->text()), "Anna Berg");
        EXPECT_EQ(fromQt(dialog->findChild<QLineEdit*>(QStringLiteral("title"))->text()),
                  "10.03.2026 (Dienstag) - 10.03.2026");
        EXPECT_EQ(fromQt(dialog->findChild<QLineEdit*>(QStringLiteral("furtherEmployees"))->text()),
                  "Jörg Weiß; Lena Becker");
        // Quick entry has no "Nicht beschäftigt", no fill-until and no "Geprüft / Abgeschlossen".
        std::vector<std::string> kinds;
        for (QRadioButton* radio : dialog->findChildren<QRadioButton*>())
            kinds.push_back(fromQt(radio->text()));
        EXPECT_EQ(kinds.size(), 11u);
        EXPECT_EQ(std::count(kinds.begin(), kinds.end(), "Nicht beschäftigt"), 0);
        EXPECT_EQ(dialog->findChild<QLineEdit*>(QStringLiteral("fillUntil")), nullptr);
        EXPECT_EQ(dialog->findChild<QCheckBox*>(QStringLiteral("checkedAndClosed")), nullptr);
        std::vector<std::string> closing;
        for (QPushButton* candidate : dialog->findChildren<QPushButton*>())
            if (candidate->text().startsWith(QStringLiteral("&Speichern"))) closing.push_back(fromQt(candidate->text()));
        EXPECT_EQ(closing, std::vector<std::string>{"&Speichern + Schließen"});

        button(dialog, "Zeit hi&nzufügen...")->click();
        for (QRadioButton* radio : dialog->findChildren<QRadioButton*>())
            if (radio->text() == QStringLiteral("Stördienst")) radio->click();
        EXPECT_EQ(dialog->form()->timeList()->topLevelItemCount(), 1);
        dialog->grab().save(QStringLiteral("/tmp/quick_day.png"));
        button(dialog, "&Speichern + Schließen")->click();
    }});
    saved = runQuickDayDialog(nullptr, entry, editor);
    EXPECT_TRUE(saved);
    EXPECT_TRUE(prompter.log().empty()) << prompter.log().front().text;
    ASSERT_EQ(day.lineCount(), 1u);
    EXPECT_EQ(day.line(0).from, "7:00");
    EXPECT_EQ(day.dayKind, kStandbyDuty);
}

TEST_F(QuickDayDialogTest, CancelAsksAboutChangesAndSavesOnlyOnYes) {
    struct Case {
        Answer answer;
        bool saved;
        size_t lines;
    };
    for (const Case& c : {Case{Answer::No, false, 0}, Case{Answer::Yes, true, 1}}) {
        SCOPED_TRACE(static_cast<int>(c.answer));
        DayEntry entry{day, DayEntryMode::QuickEntry, services()};
        test::answerModals({[](QWidget* modal) {
            button(modal, "Zeit hi&nzufügen...")->click();
            button(modal, "Abbrechen")->click();
        }});
        prompter.answer(c.answer);
        EXPECT_EQ(runQuickDayDialog(nullptr, entry, editor), c.saved);
        EXPECT_EQ(prompter.log().back().text,
                  "Es wurden Änderungen für den 10.03.2026 (Dienstag) gemacht.\nSollen die Änderungen gespeichert werden?");
        EXPECT_EQ(day.lineCount(), c.lines);
    }
}

// "In &Fahrtenbuch übertragen..." is offered where a transfer is wired in; it saves the day and
// opens the assistant on it, and the day then counts as saved when the dialog is cancelled.
TEST_F(QuickDayDialogTest, TheLogbookButtonSavesTheDayAndOpensTheAssistant) {
    test::answerModals({[](QWidget* modal) {
        EXPECT_FALSE(modal->findChild<QPushButton*>(QStringLiteral("transferToLogbook"))->isEnabled());
        button(modal, "Abbrechen")->click();
    }});
    prompter.answer(Answer::No); // the date and the further employees count as changes
    EXPECT_FALSE(runQuickDayDialog(nullptr, entry, editor));
    const size_t asked = prompter.log().size();

    std::vector<const CTagDoc*> opened;
    test::answerModals({[&](QWidget* modal) {
        QPushButton* transfer = modal->findChild<QPushButton*>(QStringLiteral("transferToLogbook"));
        ASSERT_TRUE(transfer->isEnabled());
        button(modal, "Zeit hi&nzufügen...")->click();
        transfer->click();
        EXPECT_EQ(opened, std::vector<const CTagDoc*>{&day});
        EXPECT_EQ(day.lineCount(), 1u) << "the day was saved before the assistant opened";
        button(modal, "Abbrechen")->click();
    }});
    EXPECT_TRUE(runQuickDayDialog(nullptr, entry, editor, [&](const CTagDoc& saved) { opened.push_back(&saved); }));
    EXPECT_EQ(prompter.log().size(), asked) << "nothing asked: the day was saved";
}

} // namespace
} // namespace lorvan
