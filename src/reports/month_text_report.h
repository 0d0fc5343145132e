#pragma once

#include <string>

// The month evaluation as a readable text with German labels (the command line's "month --text"):
// the heading, the days week by week with each week's overtime line, the month's figures, the
// working-time account and, for a file that uses wages, the month's wages.
namespace lorvan {

class CLorvanDoc;
struct MonthEvaluation;

// evaluation is the month's evaluation of document; accountBalance and monthlyPayout are the account
// at the end of that month and the payout it made (YearEvaluator::accountBalance).
std::string monthTextReport(const CLorvanDoc& document, const MonthEvaluation& evaluation,
                            double accountBalance, double monthlyPayout);

} // namespace lorvan
