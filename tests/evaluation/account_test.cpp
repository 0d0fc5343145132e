#include "evaluation/account.h"

#include "evaluation/month_evaluation.h"
#include "yearfile/year_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lorvan {
namespace {

// An account whose months change only by their corrections (months without days have no
// deviations), so the balance follows the corrections.
class Account : public ::testing::Test {
  protected:
    void SetUp() override {
        CEinstArbzt& s = doc_.settings();
        s.name = "Anna Berg";
        s.year = 2024;
        s.keepWorkingTimeAccount = 1;
        s.accountCarryOver = 2.0;
        s.monthlyPayoutOn = 1;
        s.monthlyPayoutThreshold = 20.0;
        correct(1, 21.5, "Inventur");
        correct(2, 1.0);
        correct(3, -5.0);
    }
    void correct(int32_t month, double hours, const std::string& comment = "") {
        CMonatDoc& m = doc_.addMonth(month);
        m.accountCorrection = hours;
        m.correctionComment = comment;
    }

    CLorvanDoc doc_;
    EvaluationContext context_;
    YearEvaluator evaluator_{doc_, context_};
};

TEST_F(Account, TheMonthlyPayoutTakesWhatExceedsTheThreshold) {
    struct Case {
        int32_t month;
        double balance;
        double payout;
    };
    // 2 + 21.5 = 23.5 pays out 3.5; then 20 + 1 pays out 1; then 20 - 5.
    const Case cases[] = {{1, 20.0, 3.5}, {2, 20.0, 1.0}, {3, 15.0, 0.0}, {12, 15.0, 0.0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.month);
        double payout = -1.0;
        EXPECT_DOUBLE_EQ(evaluator_.accountBalance(c.month, &payout), c.balance);
        EXPECT_DOUBLE_EQ(payout, c.payout);
    }
}

TEST_F(Account, OnlyTheAccountsMonthsCount) {
    struct Case {
        int32_t keep;
        int32_t from;
        int32_t to;
        double balance;
    };
    const Case cases[] = {{1, 2, 12, -2.0}, {1, 1, 1, 20.0}, {0, 1, 12, 0.0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.from) + "-" + std::to_string(c.to));
        doc_.settings().keepWorkingTimeAccount = c.keep;
        doc_.settings().accountFromMonth = c.from;
        doc_.settings().accountToMonth = c.to;
        EXPECT_DOUBLE_EQ(evaluator_.accountBalance(12), c.balance);
    }
}

TEST_F(Account, TheListShowsCarryOverMonthsAndBalance) {
    CEinstArbzt& s = doc_.settings();
    s.convertSurchargesIntoHours = 1;
    s.saturdaySurchargeOn = 1;
    s.saturdayPercent = 25.0;
    s.nightSurchargeOn = 0;
    const AccountList list = accountList(evaluator_);
    EXPECT_EQ(list.headings,
              (std::vector<std::string>{"Monat", "Berechnet", "Ü-20", "Ü-50", "Ü-F-100", "Ü-So-50", "Ü-Sa-25",
                                        "Korrektur", "Auszahlung", "Summe", "Anmerkung"}));
    ASSERT_EQ(list.rows.size(), 5u);
    EXPECT_EQ(list.balance, 15.0);
    const std::vector<std::vector<std::string>> cells = {
        {"Vortrag", "", "", "", "", "", "", "", "", "2,00", ""},
        {"Januar", "0,00", "0,00", "0,00", "0,00", "0,00", "0,00", "21,50", "3,50", "18,00", "Inventur"},
        {"Februar", "0,00", "0,00", "0,00", "0,00", "0,00", "0,00", "1,00", "1,00", "0,00", ""},
        {"März", "0,00", "0,00", "0,00", "0,00", "0,00", "0,00", "-5,00", "0,00", "-5,00", ""},
        {"Summe", "", "", "", "", "", "", "", "", "15,00", ""},
    };
    for (size_t i = 0; i < cells.size(); ++i)
        EXPECT_EQ(accountRowCells(list.rows[i], s), cells[i]) << i;
}

TEST_F(Account, WithoutConvertedSurchargesAndPayoutTheirColumnsAreMissing) {
    doc_.settings().monthlyPayoutOn = 0;
    doc_.settings().accountCarryOver = 0.0;
    const AccountList list = accountList(evaluator_);
    EXPECT_EQ(list.headings,
              (std::vector<std::string>{"Monat", "Berechnet", "Korrektur", "Summe", "Anmerkung"}));
    EXPECT_EQ(accountRowCells(list.rows.front(), doc_.settings()),
              (std::vector<std::string>{"Vortrag", "", "", "", ""}));
    EXPECT_EQ(list.balance, 17.5);
}

TEST_F(Account, OnlyMonthRowsCanBeCorrected) {
    const AccountList list = accountList(evaluator_);
    EXPECT_EQ(
        correctionRefusal(list.rows.front()),
        "Der Vortrag des Arbeitszeitkontos kann nur im Arbeitsgebiet 'Extras - Einstellungen der aktuellen "
        "Datei' korrigiert werden.");
    EXPECT_EQ(correctionRefusal(list.rows.back()),
              "Die Summe des Arbeitszeitkontos kann nur monatsweise korrigiert werden.");
    EXPECT_EQ(correctionRefusal(list.rows[1]), std::nullopt);
}

// A stored correction takes effect at once: the month's cached change goes out of date and the
// list evaluated next shows the new correction; the comment keeps whole characters.
TEST_F(Account, AStoredCorrectionResetsTheMonthAndShowsInTheList) {
    evaluator_.evaluate(2);
    ASSERT_EQ(doc_.month(2)->resultsValid, 1);
    const std::string comment = std::string(99, 'a') + "ä" + "b";
    ASSERT_TRUE(storeAccountCorrection(doc_, 2, {3.456, comment}));
    EXPECT_EQ(doc_.month(2)->resultsValid, 0);
    EXPECT_TRUE(doc_.isModified());
    EXPECT_EQ(doc_.month(2)->correctionComment, std::string(99, 'a') + "ä");
    EXPECT_DOUBLE_EQ(accountList(evaluator_).rows[2].correction, 3.46);
    EXPECT_EQ(accountCorrectionOf(doc_, 2)->hours, 3.46);

    ASSERT_TRUE(storeAccountCorrection(doc_, 3, {1e9, std::string(120, 'x')}));
    EXPECT_EQ(doc_.month(3)->accountCorrection, kCorrectionHoursLimit);
    EXPECT_EQ(doc_.month(3)->correctionComment.size(), kCorrectionCommentLength);

    doc_.setModified(false);
    EXPECT_FALSE(storeAccountCorrection(doc_, 9, {1.0, ""}));
    EXPECT_FALSE(doc_.isModified());
    EXPECT_EQ(accountCorrectionOf(doc_, 9), std::nullopt);
}

} // namespace
} // namespace lorvan
