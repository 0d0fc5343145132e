#include "entry/ui/time_line_dialog.h"

#include "gui/common/completion_field.h"
#include "gui/common/qt_platform.h"
#include "support/gui_fixture.h"
#include "support/scripted_prompter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace lorvan {
namespace {

// The dialog on a new line of Monday, 2 March 2026, with the customer "Beispiel GmbH" known.
struct TimeLineDialogTest : ::testing::Test {
    CLorvanDoc doc;
    CZeitZeile* line = nullptr;
    test::ScriptedPrompter prompter;

    TimeLineDialogTest() {
        doc.settings().year = 2026;
        doc.settings().calculationFieldNames = {"Material", "", ""};
        line = &doc.addMonth(3).addDay(2).addLine();
    }

    QLineEdit* edit(const TimeLineDialog& dialog, LineField field) {
        return qobject_cast<QLineEdit*>(dialog.fieldWidget(field));
    }
    // Types into the field as the user does and leaves it with Tab.
    void type(TimeLineDialog& dialog, QWidget* field, const QString& text) {
        field->setFocus();
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Tab);
        (void)dialog;
    }
};

TEST_F(TimeLineDialogTest, ACustomerLineIsTypedCompletedAndTaken) {
    TimeLineEntry model(*line, {});
    TimeLineDialog dialog(model, prompter, {"Beispiel GmbH", "Bäckerei Müller"}, {"Montage"});
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));

    auto* kind = qobject_cast<QComboBox*>(dialog.fieldWidget(LineField::Kind));
    type(dialog, kind, QStringLiteral("kd"));
    EXPECT_EQ(kind->currentText(), QStringLiteral("Kunde"));
    EXPECT_TRUE(edit(dialog, LineField::Customer)->isEnabled());
    type(dialog, edit(dialog, LineField::Customer), QStringLiteral("Beispiel GmbH"));
    type(dialog, edit(dialog, LineField::From), QStringLiteral("8"));
    EXPECT_EQ(edit(dialog, LineField::From)->text(), QStringLiteral("8:00"));
    EXPECT_TRUE(dialog.fixedBox(TimeField::From)->isChecked());
    type(dialog, edit(dialog, LineField::Duration), QStringLiteral("4,5"));
    EXPECT_EQ(edit(dialog, LineField::Duration)->text(), QStringLiteral("04:30"));
    EXPECT_FALSE(dialog.fixedBox(TimeField::To)->isEnabled());

    QTest::mouseClick(dialog.completeButton(), Qt::LeftButton);
    EXPECT_EQ(edit(dialog, LineField::To)->text(), QStringLiteral("12:30"));
    EXPECT_TRUE(dialog.fixedBox(TimeField::To)->isEnabled());
    EXPECT_FALSE(dialog.fixedBox(TimeField::To)->isChecked());

    auto* costKind = qobject_cast<QComboBox*>(dialog.fieldWidget(LineField::CostKind));
    costKind->setCurrentIndex(kCostPerHour);
    emit costKind->activated(kCostPerHour);
    type(dialog, edit(dialog, LineField::CostAmount), QStringLiteral("30"));
    EXPECT_EQ(dialog.costLabel()->text(), QStringLiteral("135,00"));
    EXPECT_EQ(dialog.customerButton()->toolTip(), toQt(kCustomerButtonTip));

    QApplication::processEvents();
    EXPECT_TRUE(dialog.grab().save(QStringLiteral("/tmp/line_dialog.png")));
    EXPECT_TRUE(dialog.grab().save(QStringLiteral(LORVAN_SCREENSHOT_DIR "/entry_time_line_dialog.png")));

    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(prompter.log().empty());
    EXPECT_TRUE(line->kind.empty()) << "the dialog's caller writes the line back";
    model.apply(*line);
    EXPECT_EQ(line->kind, "Kunde");
    EXPECT_EQ(line->customer, "Beispiel GmbH");
    EXPECT_EQ(line->from, "08:00");
    EXPECT_EQ(line->to, "12:30");
    EXPECT_EQ(line->duration, 270);
    EXPECT_EQ(line->costKind, kCostPerHour);
    EXPECT_EQ(line->costAmount, 30.0);
}

TEST_F(TimeLineDialogTest, AFailingCheckKeepsTheDialogOpenWithTheFocusOnItsField) {
    TimeLineEntry model(*line, {});
    TimeLineDialog dialog(model, prompter, {}, {});
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    type(dialog, dialog.fieldWidget(LineField::Kind), QStringLiteral("B"));
    type(dialog, edit(dialog, LineField::From), QStringLiteral("12"));
    edit(dialog, LineField::To)->setFocus();
    QTest::keyClicks(edit(dialog, LineField::To), QStringLiteral("8"));
    // OK while "Bis" has the focus: the field is committed first.
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    ASSERT_FALSE(prompter.log().empty());
    EXPECT_EQ(prompter.log().back().text, kStartAfterEndMessage);
    EXPECT_EQ(dialog.focusWidget(), dialog.fieldWidget(LineField::From));
    EXPECT_EQ(edit(dialog, LineField::To)->text(), QStringLiteral("08:00"));
}

TEST_F(TimeLineDialogTest, EnterMovesToTheNextFieldAndAClosedMonthLeavesOnlyCancel) {
    TimeLineEntry model(*line, {});
    TimeLineDialog dialog(model, prompter, {}, {});
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    edit(dialog, LineField::Remark)->setFocus();
    QTest::keyClick(edit(dialog, LineField::Remark), Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.focusWidget(), dialog.fieldWidget(LineField::Calculation1));
    EXPECT_TRUE(prompter.log().empty());

    TimeLineEntry closedModel(*line, {.monthClosed = true});
    TimeLineDialog closed(closedModel, prompter, {}, {});
    for (LineField field : {LineField::Kind, LineField::From, LineField::Pause, LineField::Remark})
        EXPECT_FALSE(closed.fieldWidget(field)->isEnabled());
    EXPECT_FALSE(closed.okButton()->isEnabled());
    EXPECT_FALSE(closed.completeButton()->isEnabled());
    EXPECT_FALSE(closed.serviceButton()->isEnabled());
}

} // namespace
} // namespace lorvan
