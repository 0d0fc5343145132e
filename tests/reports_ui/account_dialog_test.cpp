#include "reports/ui/account_dialog.h"
#include "support/gui_fixture.h"

#include "evaluation/year_statistics.h"
#include "foundation/calendar.h"
#include "foundation/format.h"
#include "foundation/number_text.h"
#include "gui/common/dialog_with_cancel.h"
#include "app/open_year_file.h"
#include "gui/common/qt_platform.h"
#include "reports/ui/text_dialogs.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>

#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lorvan {
namespace {

const std::string kQuestion = "Es wurden Daten geändert.\nSollen die Änderungen gespeichert werden?";

// The dialogs on a demo data directory made by the command line. All window tests share one
// program object: it is made here only when no other test suite made one.
class DialogsTest : public ::testing::Test {
  protected:
    static std::string dataDirectory() { return test::demoDataDirectory(); }
    static std::unique_ptr<OpenYearFile> openDemoFile() {
        return std::make_unique<OpenYearFile>(dataDirectory() + "Joerg_Weiss2026.azr", dataDirectory());
    }

    static std::vector<std::string> column(const QTreeWidget* list, int index) {
        std::vector<std::string> texts;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            texts.push_back(fromQt(list->topLevelItem(i)->text(index)));
        return texts;
    }
    static int columnNamed(const QTreeWidget* list, const QString& heading) {
        for (int i = 0; i < list->columnCount(); ++i)
            if (list->headerItem()->text(i) == heading) return i;
        return -1;
    }

    test::ScriptedPrompter prompter;

  private:
};

TEST_F(DialogsTest, AccountListShowsCarryOverMonthsSumAndBalance) {
    auto file = openDemoFile();
    AccountDialog dialog(*file, prompter);
    ASSERT_TRUE(dialog.loaded());
    EXPECT_TRUE(prompter.log().empty());
    const QTreeWidget* list = dialog.list();
    ASSERT_EQ(list->headerItem()->text(0), QStringLiteral("Monat"));
    EXPECT_EQ(list->headerItem()->text(1), QStringLiteral("Berechnet"));

    // Every month of the file up to June lies within the account.
    std::vector<std::string> expectedLabels{"Vortrag"};
    for (const auto& [number, month] : file->document.months())
        expectedLabels.push_back(monthName(number));
    expectedLabels.emplace_back("Summe");
    EXPECT_EQ(column(list, 0), expectedLabels);

    // The balance field and the "Summe" row agree with the balance of an evaluation of their own.
    YearEvaluator evaluator(file->document, file->context());
    const std::string balance = decimalPointToComma(format("%.2f", evaluator.accountBalance(12)));
    EXPECT_EQ(fromQt(dialog.balanceField()->text()), balance);
    EXPECT_TRUE(dialog.balanceField()->isReadOnly());
    const int sum = columnNamed(list, QStringLiteral("Summe"));
    ASSERT_GE(sum, 0);
    EXPECT_EQ(column(list, sum).back(), balance);

    dialog.show();
    QApplication::processEvents();
    EXPECT_TRUE(dialog.grab().save(QStringLiteral(LORVAN_SCREENSHOT_DIR "/gui_account_dialog.png")));
}

TEST_F(DialogsTest, CorrectingCarryOverOrSumExplainsWhyAndNoSelectionOnlyBeeps) {
    struct Case {
        const char* name;
        std::optional<int> row; // from the top; -1 = the last row; nothing = no selection
        std::vector<std::string> texts;
    };
    const Case cases[] = {
        {"carry-over",
         0,
         {"Der Vortrag des Arbeitszeitkontos kann nur im Arbeitsgebiet 'Extras - Einstellungen der aktuellen "
          "Datei' korrigiert werden."}},
        {"sum", -1, {"Die Summe des Arbeitszeitkontos kann nur monatsweise korrigiert werden."}},
        {"nothing selected", std::nullopt, {}},
    };
    auto file = openDemoFile();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::ScriptedPrompter answers;
        AccountDialog dialog(*file, answers);
        QTreeWidget* list = dialog.list();
        list->clearSelection();
        list->setCurrentItem(nullptr);
        if (c.row)
            list->setCurrentItem(list->topLevelItem(*c.row >= 0 ? *c.row : list->topLevelItemCount() - 1));
        dialog.correctButton()->click();
        EXPECT_EQ(answers.texts(), c.texts);
    }
}

TEST_F(DialogsTest, StoredCorrectionChangesMonthAndBalanceAndMarksFileModified) {
    auto file = openDemoFile();
    AccountDialog dialog(*file, prompter);
    const double before = dialog.balanceField()->text().replace(',', '.').toDouble();
    bool notified = false;
    QObject::connect(&dialog, &AccountDialog::documentChanged, [&] { notified = true; });
    file->document.setModified(false);

    dialog.storeCorrection(3, 2.5, "Nachtrag Inventur");

    EXPECT_TRUE(notified);
    EXPECT_TRUE(file->document.isModified());
    EXPECT_EQ(file->document.month(3)->accountCorrection, 2.5);
    const QTreeWidget* list = dialog.list();
    const int march = 3; // "Vortrag", "Januar", "Februar", "März"
    ASSERT_EQ(list->topLevelItem(march)->text(0), QStringLiteral("März"));
    EXPECT_EQ(list->topLevelItem(march)->text(columnNamed(list, QStringLiteral("Korrektur"))),
              QStringLiteral("2,50"));
    EXPECT_EQ(list->topLevelItem(march)->text(columnNamed(list, QStringLiteral("Anmerkung"))),
              QStringLiteral("Nachtrag Inventur"));
    EXPECT_EQ(list->currentItem(), list->topLevelItem(march));
    EXPECT_NEAR(dialog.balanceField()->text().replace(',', '.').toDouble(), before + 2.5, 0.005);
}

TEST_F(DialogsTest, CorrectionDialogWritesHoursAndCommentOnOk) {
    CMonatDoc month(nullptr, 4);
    month.accountCorrection = -1.0;
    AccountCorrectionDialog dialog(prompter, month);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Arbeitszeitkonto korrigieren"));
    EXPECT_EQ(dialog.correctionField()->value(), -1.0);
    EXPECT_FALSE(dialog.changed());
    dialog.show();
    dialog.correctionField()->setValue(3.25);
    EXPECT_TRUE(dialog.changed());
    dialog.commentField()->setText(QStringLiteral("Überstunden Messe"));
    EXPECT_TRUE(dialog.grab().save(QStringLiteral(LORVAN_SCREENSHOT_DIR "/gui_account_correction.png")));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(month.accountCorrection, 3.25);
    EXPECT_EQ(month.correctionComment, "Überstunden Messe");
    EXPECT_TRUE(prompter.log().empty());
}

// A dialog whose OK handling passes or fails its checks as the test says.
class ProbeDialog final : public CDialogWithCancel {
  public:
    explicit ProbeDialog(Prompter& prompter) : CDialogWithCancel(prompter) {
        auto* layout = new QHBoxLayout(this);
        text = new QLineEdit(QStringLiteral("vorher"));
        check = new QCheckBox(QStringLiteral("Aktiv"));
        choice = new QComboBox;
        choice->addItems({QStringLiteral("eins"), QStringLiteral("zwei")});
        layout->addWidget(text);
        layout->addWidget(check);
        layout->addWidget(choice);
        watch(this);
    }
    QLineEdit* text;
    QCheckBox* check;
    QComboBox* choice;
    bool checksPass = true;
    int acceptCalls = 0;

  protected:
    bool acceptData() override {
        ++acceptCalls;
        return checksPass;
    }
};

void pressKey(QWidget* target, int key, const QString& text = QString()) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
}

TEST_F(DialogsTest, OnlyUserEditsMarkTheDialogChanged) {
    struct Case {
        const char* name;
        std::function<void(ProbeDialog&)> act;
        bool changed;
    };
    const Case cases[] = {
        {"text set by the dialog", [](ProbeDialog& d) { d.text->setText(QStringLiteral("neu")); }, false},
        {"typed text", [](ProbeDialog& d) { pressKey(d.text, Qt::Key_A, QStringLiteral("a")); }, true},
        {"check box clicked", [](ProbeDialog& d) { d.check->click(); }, true},
        {"choice set by the dialog", [](ProbeDialog& d) { d.choice->setCurrentIndex(1); }, false},
        {"choice changed with a key", [](ProbeDialog& d) { pressKey(d.choice, Qt::Key_Down); }, true},
        {"entry taken from a completion list", [](ProbeDialog& d) { d.markChanged(); }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProbeDialog dialog(prompter);
        dialog.show();
        c.act(dialog);
        EXPECT_EQ(dialog.changed(), c.changed);
    }
}

TEST_F(DialogsTest, CancellingAsksOnlyAfterChangesAndFollowsTheAnswer) {
    enum class Close { CancelButton, Escape, WindowButton };
    struct Case {
        const char* name;
        bool edited;
        std::optional<Answer> answer;
        bool checksPass;
        Close how;
        bool staysOpen;
        QDialog::DialogCode result;
        int acceptCalls;
    };
    const Case cases[] = {
        {"untouched, Cancel", false, std::nullopt, true, Close::CancelButton, false, QDialog::Rejected, 0},
        {"untouched, Escape", false, std::nullopt, true, Close::Escape, false, QDialog::Rejected, 0},
        {"changed, No", true, Answer::No, true, Close::CancelButton, false, QDialog::Rejected, 0},
        {"changed, Cancel", true, Answer::Cancel, true, Close::CancelButton, true, QDialog::Rejected, 0},
        {"changed, Yes, checks fail", true, Answer::Yes, false, Close::CancelButton, true, QDialog::Rejected,
         1},
        {"changed, Yes, checks pass", true, Answer::Yes, true, Close::CancelButton, false, QDialog::Accepted,
         1},
        {"changed, Escape, Cancel", true, Answer::Cancel, true, Close::Escape, true, QDialog::Rejected, 0},
        {"changed, window button, Cancel", true, Answer::Cancel, true, Close::WindowButton, true,
         QDialog::Rejected, 0},
        {"changed, window button, No", true, Answer::No, true, Close::WindowButton, false, QDialog::Rejected,
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::ScriptedPrompter answers;
        if (c.answer) answers.answer(*c.answer);
        ProbeDialog dialog(answers);
        dialog.checksPass = c.checksPass;
        dialog.show();
        if (c.edited) pressKey(dialog.text, Qt::Key_X, QStringLiteral("x"));
        switch (c.how) {
        case Close::CancelButton:
            dialog.reject();
            break;
        case Close::Escape:
            pressKey(&dialog, Qt::Key_Escape);
            break;
        case Close::WindowButton:
            dialog.close();
            break;
        }
        EXPECT_EQ(dialog.isVisible(), c.staysOpen);
        if (!c.staysOpen) {
            EXPECT_EQ(dialog.result(), c.result);
        }
        EXPECT_EQ(dialog.acceptCalls, c.acceptCalls);
        EXPECT_EQ(answers.texts(),
                  c.answer ? std::vector<std::string>{kQuestion} : std::vector<std::string>{});
        EXPECT_TRUE(answers.allAnswered());
    }
}

TEST_F(DialogsTest, OkClosesOnlyWhenTheChecksPass) {
    ProbeDialog dialog(prompter);
    dialog.show();
    dialog.checksPass = false;
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    dialog.checksPass = true;
    dialog.accept();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(prompter.log().empty());
}

TEST_F(DialogsTest, TextDialogsShowTheYearAndMonthTexts) {
    auto file = openDemoFile();
    const CLorvanDoc& doc = file->document;
    SickDayCounts counts;
    struct Case {
        const char* name;
        std::unique_ptr<TextDialog> dialog;
        const char* title;
        std::string text;
    };
    Case cases[] = {
        {"year vacation", vacationDialog(doc, 0), "Genommener Urlaub", yearVacationText(doc)},
        {"month vacation", vacationDialog(doc, 5), "Genommener Urlaub", vacationText(*doc.month(5), true)},
        {"year sickness", sicknessDialog(doc, 0), "Krankheitstage anzeigen", yearSicknessText(doc)},
        {"month sickness", sicknessDialog(doc, 2), "Krankheitstage anzeigen",
         sicknessText(*doc.month(2), true, counts)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(fromQt(c.dialog->windowTitle()), c.title);
        EXPECT_EQ(fromQt(c.dialog->textField()->toPlainText()), c.text);
        EXPECT_TRUE(c.dialog->textField()->isReadOnly());
        EXPECT_EQ(c.dialog->closeButton()->text(), QStringLiteral("Schließen"));
        c.dialog->show();
        QApplication::processEvents();
        const QString shot = QStringLiteral(LORVAN_SCREENSHOT_DIR "/gui_text_dialog_%1.png").arg(&c - cases);
        EXPECT_TRUE(c.dialog->grab().save(shot));
    }
    EXPECT_THROW(vacationDialog(doc, 12), std::invalid_argument); // the demo year ends in June
}

TEST_F(DialogsTest, TabStopLinesUpShortAndLongMonthNames) {
    TextDialog dialog(QStringLiteral("Genommener Urlaub"), QString());
    const QFontMetrics metrics = dialog.textField()->fontMetrics();
    const qreal stop = dialog.textField()->tabStopDistance();
    for (int32_t m = 1; m <= 12; ++m) {
        const QString name = toQt(monthName(m));
        SCOPED_TRACE(name.toStdString());
        const int width = metrics.horizontalAdvance(name);
        if (name.size() < 8) {
            EXPECT_LT(width, stop); // "Mai\t\t": the first tab stays before the second stop
        } else {
            EXPECT_GE(width, stop); // "Dezember\t": one tab reaches the second stop
            EXPECT_LT(width, 2 * stop);
        }
    }
}

} // namespace
} // namespace lorvan
