#include "cli/closing_selection.h"
#include "cli/commands.h"
#include "cli/record_commands.h"
#include "cli/report_output.h"

#include "app/program_settings.h"
#include "closing/booking_export.h"
#include "foundation/error.h"
#include "platform/clock.h"
#include "platform/prompter.h"
#include "platform/user_store.h"

#include <algorithm>
#include <ostream>

namespace lorvan::cli {
namespace {

// Messages to out, warnings and errors to err; questions get the answer of --yes / --no.
class StreamPrompter final : public Prompter {
  public:
    StreamPrompter(std::ostream& out, std::ostream& err, bool yes) : out_(out), err_(err), yes_(yes) {}
    void inform(const std::string& text) override { out_ << text << '\n'; }
    void warn(const std::string& text) override { err_ << text << '\n'; }
    void error(const std::string& text) override { err_ << text << '\n'; }
    bool askYesNo(const std::string& text) override {
        err_ << text << '\n';
        return yes_;
    }
    Answer askYesNoCancel(const std::string& text) override {
        err_ << text << '\n';
        return yes_ ? Answer::Yes : Answer::No;
    }
    bool askOkCancel(const std::string& text) override {
        err_ << text << '\n';
        return yes_;
    }

  private:
    std::ostream& out_;
    std::ostream& err_;
    bool yes_;
};

// The command line keeps no dialog values: every value comes from the arguments.
class NoUserStore final : public UserStore {
  public:
    std::map<std::string, std::string> readSection(const std::string&) const override { return {}; }
    bool writeString(const std::string&, const std::string&, const std::string&) override { return true; }
};

} // namespace

int runBooking(const Options& options, const std::vector<std::string>& arguments, std::ostream& out,
               std::ostream& err) {
    if (arguments.empty() || arguments.front() != "export")
        throw LorvanError("booking: booking export --consultant NR --client NR [--date MM/JJJJ] --out DATEI "
                          "[--calendar DATEI] [--year-end] angeben.");
    std::vector<std::string> args(arguments.begin() + 1, arguments.end());
    const std::string consultant = takeOption(args, "--consultant", "booking export", "");
    const std::string client = takeOption(args, "--client", "booking export", "");
    const std::string date = takeOption(args, "--date", "booking export", "");
    const std::string bookingFile = takeOption(args, "--out", "booking export", "");
    const std::string calendarFile = takeOption(args, "--calendar", "booking export", "");
    const auto yearEnd = std::find(args.begin(), args.end(), "--year-end");
    const bool withYearEnd = yearEnd != args.end();
    if (withYearEnd) args.erase(yearEnd);
    const std::unique_ptr<MonthCollection> collection = takeClosingSelection(options, args, "booking export");
    if (!args.empty()) throw LorvanError("booking export: unbekanntes Argument '" + args.front() + "'.");

    StreamPrompter prompter(out, err, options.answerYes);
    NoUserStore store;
    const FixedClock clock(today(options));
    BookingExportForm form(*collection, options.dataDirectory, store, prompter, clock);
    form.values.consultant = consultant;
    form.values.client = client;
    if (!date.empty()) form.values.accountingDate = date;
    form.values.bookingFile = bookingFile;
    form.values.calendarFile = calendarFile;
    form.values.yearEnd = withYearEnd;
    form.values.protocolFile = options.protocolFile;
    const bool ok = form.ok();
    err << form.notes();
    if (!ok) return 1;
    // A confirmed export closes the month.
    ProgramSettings settings = options.settings;
    if (advanceMonthClosing(settings, closingMonthText(collection->chosen)) &&
        !saveSettings(settings, options.dataDirectory, prompter))
        return 1;
    return 0;
}

} // namespace lorvan::cli
