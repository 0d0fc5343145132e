#include "cli/commands.h"
#include "cli/json_masterdata.h"
#include "cli/record_commands.h"
#include "foundation/error.h"
#include "foundation/file_system.h"
#include "masterdata/customer_dialog.h"
#include "masterdata/customer_flows.h"
#include "masterdata/customer_list.h"
#include "platform/prompter.h"

#include <limits>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace lorvan::cli {
namespace {

using nlohmann::json;

constexpr const char* kUsage =
    "customers list [--json] | search TEXT | add < JSON | edit NR < JSON | delete NR";

// A customer number as typed: digits, perhaps after a "-" (a file written from JSON may hold any).
int32_t customerNumberArgument(const std::string& text) {
    const size_t digits = text.rfind('-', 0) == 0 ? 1 : 0;
    bool valid = text.size() > digits && text.size() <= digits + 10;
    for (size_t i = digits; i < text.size(); ++i)
        valid = valid && text[i] >= '0' && text[i] <= '9';
    const int64_t value = valid ? std::stoll(text) : 0;
    if (!valid || value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
        throw LorvanError("Ungültige Kundennummer: '" + text + "'");
    return static_cast<int32_t>(value);
}

// "Kunde bearbeiten" filled from the input: the keys that are there change their fields, through
// the dialog's own limits and checks. The dialog cannot be corrected, so when it opens again (after
// a refused number) it is cancelled.
class InputCustomerDialog final : public CustomerDialogRunner {
  public:
    InputCustomerDialog(const json& input, Prompter& prompter) : input_(input), prompter_(prompter) {}

    bool run(CustomerDialog& dialog) override {
        if (runs_++ > 0) return false;
        CKundeDoc wanted = dialog.record();
        customerFromJson(input_, wanted, "Kunde");
        dialog.setNumber(wanted.number);
        const std::pair<CustomerField, const std::string*> texts[] = {
            {CustomerField::Name, &wanted.name},       {CustomerField::Street, &wanted.street},
            {CustomerField::ZipCity, &wanted.zipCity}, {CustomerField::Phone, &wanted.phone},
            {CustomerField::Notes, &wanted.notes},
        };
        for (const auto& [field, value] : texts)
            if (*value != dialog.text(field) && !dialog.setText(field, *value))
                throw LorvanError(
                    textTooLongMessage(CustomerDialog::info(field).label, dialog.maxLength(field)));
        if (wanted.printNotes != dialog.record().printNotes) dialog.setPrintNotes(wanted.printNotes != 0);
        return dialog.confirm(prompter_) == CustomerField::None;
    }

  private:
    const json& input_;
    Prompter& prompter_;
    int runs_ = 0;
};

// The customer file of the data directory; a missing one is empty and written at the first save.
CTwKundenDoc openCustomerFile(const std::string& path) {
    CTwKundenDoc file;
    if (fileExists(path)) file.open(path);
    return file;
}

int list(const std::string& path, const std::vector<std::string>& args, std::ostream& out) {
    if (args.size() > 1 || (args.size() == 1 && args[0] != "--json"))
        throw LorvanError("Aufruf: customers list [--json]");
    const CTwKundenDoc file = openCustomerFile(path);
    if (!args.empty()) {
        json customers = json::array();
        for (const auto& [number, c] : file.customers)
            customers.push_back(customerToJson(c));
        out << customers.dump(2) << '\n';
        return 0;
    }
    for (const auto& [number, c] : file.customers)
        out << number << '\t' << c.name << '\t' << c.street << '\t' << c.zipCity << '\n';
    return 0;
}

} // namespace

int runCustomers(const Options& options, const std::vector<std::string>& args, std::istream& in,
                 std::ostream& out) {
    if (args.empty()) throw LorvanError(std::string("Aufruf: ") + kUsage);
    const std::string& sub = args[0];
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    const std::string path = customerFilePath(requireDataDirectory(options, "customers"));
    FixedAnswerPrompter prompter(options.answerYes);
    StorageContext storage;
    storage.prompter = &prompter;
    storage.dataDirectory = options.dataDirectory;

    if (sub == "list") return list(path, rest, out);
    if (sub == "search") {
        expectArguments(rest, 1, "customers search TEXT");
        CustomerList customers(options.dataDirectory);
        std::string protocol;
        const auto match = customers.search(rest[0], protocol);
        out << (match ? customerToJson(*match) : json(nullptr)).dump(2) << '\n';
        writeProtocol(options, protocol, out);
        return 0;
    }
    if (sub == "add" || sub == "edit") {
        expectArguments(rest, sub == "add" ? 0 : 1,
                        sub == "add" ? "customers add < JSON" : "customers edit NR < JSON");
        const std::optional<int32_t> number =
            sub == "edit" ? std::optional(customerNumberArgument(rest[0])) : std::nullopt;
        CTwKundenDoc file = openCustomerFile(path);
        if (number && !file.findByNumber(*number))
            throw LorvanError("Es gibt keinen Kunden mit der Kundennummer " + std::to_string(*number) + ".");
        const json input = readJsonInput(in);
        InputCustomerDialog dialog(input, prompter);
        const std::optional<int32_t> result = number ? editCustomer(file, *number, prompter, dialog)
                                                     : createCustomer(file, "", prompter, dialog);
        if (!result || !file.save(path, true, storage)) return 1;
        out << customerToJson(*file.findByNumber(*result)).dump(2) << '\n';
        return 0;
    }
    if (sub == "delete") {
        expectArguments(rest, 1, "customers delete NR");
        const int32_t number = customerNumberArgument(rest[0]);
        CTwKundenDoc file = openCustomerFile(path);
        if (!file.findByNumber(number))
            throw LorvanError("Es gibt keinen Kunden mit der Kundennummer " + std::to_string(number) + ".");
        if (!deleteCustomer(file, number, prompter) || !file.save(path, true, storage)) return 1;
        return 0;
    }
    throw LorvanError(std::string("Aufruf: ") + kUsage);
}

} // namespace lorvan::cli
