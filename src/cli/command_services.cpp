#include "cli/commands.h"
#include "cli/json_masterdata.h"
#include "cli/record_commands.h"
#include "foundation/error.h"
#include "foundation/file_system.h"
#include "foundation/number_text.h"
#include "masterdata/service_dialog.h"
#include "masterdata/service_flows.h"
#include "masterdata/service_list.h"
#include "platform/prompter.h"

#include <optional>
#include <ostream>

namespace lorvan::cli {
namespace {

using nlohmann::json;

constexpr const char* kUsage =
    "services list [--json] | search TEXT | add < JSON | edit NAME < JSON | delete NAME";

// "Dienstleistung bearbeiten" filled from the input: the keys that are there change their fields
// as a user would (the kind first, then the amount, which only the fixed kinds take); cancelled
// when it opens again after a refused name.
class InputServiceDialog final : public ServiceDialogRunner {
  public:
    InputServiceDialog(const json& input, Prompter& prompter) : input_(input), prompter_(prompter) {}

    bool run(ServiceDialog& dialog) override {
        if (runs_++ > 0) return false;
        const CDienstlDoc shown = dialog.record();
        CDienstlDoc wanted = shown;
        serviceFromJson(input_, wanted, "Dienstleistung");
        dialog.setName(wanted.name);
        if (wanted.costKind != shown.costKind) {
            if (wanted.costKind < 0 || wanted.costKind > 2)
                throw LorvanError("Falscher Wert für 'cost_kind' in 'Dienstleistung': erwartet 0, 1 oder 2.");
            dialog.setCostKind(wanted.costKind);
        }
        const bool costsGiven = input_.is_object() && input_.contains("costs") && !input_["costs"].is_null();
        if (costsGiven && wanted.costs != dialog.record().costs) {
            if (!dialog.costsEnabled())
                throw LorvanError("Ein Betrag ('costs') gehört nur zu festen Kosten ('cost_kind' 1 oder 2).");
            dialog.setCosts(wanted.costs);
        }
        return dialog.confirm(prompter_) == ServiceField::None;
    }

  private:
    const json& input_;
    Prompter& prompter_;
    int runs_ = 0;
};

CTwDienstlDoc openServiceFile(const std::string& path) {
    CTwDienstlDoc file;
    if (fileExists(path)) file.open(path);
    return file;
}

void requireService(const CTwDienstlDoc& file, const std::string& name) {
    if (!file.find(name))
        throw LorvanError("Es gibt keine Dienstleistung mit der Bezeichnung '" + name + "'.");
}

int list(const std::string& path, const std::vector<std::string>& args, std::ostream& out) {
    if (args.size() > 1 || (args.size() == 1 && args[0] != "--json"))
        throw LorvanError("Aufruf: services list [--json]");
    const CTwDienstlDoc file = openServiceFile(path);
    if (!args.empty()) {
        json services = json::array();
        for (const auto& [name, s] : file.services)
            services.push_back(serviceToJson(s));
        out << services.dump(2) << '\n';
        return 0;
    }
    for (const auto& [name, s] : file.services)
        out << name << '\t' << s.costKindText() << '\t' << formatAmount(s.costs) << '\n';
    return 0;
}

} // namespace

int runServices(const Options& options, const std::vector<std::string>& args, std::istream& in,
                std::ostream& out) {
    if (args.empty()) throw LorvanError(std::string("Aufruf: ") + kUsage);
    const std::string& sub = args[0];
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    const std::string path = serviceFilePath(requireDataDirectory(options, "services"));
    FixedAnswerPrompter prompter(options.answerYes);
    StorageContext storage;
    storage.prompter = &prompter;
    storage.dataDirectory = options.dataDirectory;

    if (sub == "list") return list(path, rest, out);
    if (sub == "search") {
        expectArguments(rest, 1, "services search TEXT");
        ServiceList services(options.dataDirectory);
        std::string protocol;
        const auto match = services.search(rest[0], protocol);
        out << (match ? serviceToJson(*match) : json(nullptr)).dump(2) << '\n';
        writeProtocol(options, protocol, out);
        return 0;
    }
    if (sub == "add" || sub == "edit") {
        expectArguments(rest, sub == "add" ? 0 : 1,
                        sub == "add" ? "services add < JSON" : "services edit NAME < JSON");
        CTwDienstlDoc file = openServiceFile(path);
        if (sub == "edit") requireService(file, rest[0]);
        const json input = readJsonInput(in);
        InputServiceDialog dialog(input, prompter);
        const std::optional<std::string> result = sub == "edit"
                                                      ? editService(file, rest[0], prompter, dialog)
                                                      : createService(file, CDienstlDoc(), prompter, dialog);
        if (!result || !file.save(path, true, storage)) return 1;
        out << serviceToJson(*file.find(*result)).dump(2) << '\n';
        return 0;
    }
    if (sub == "delete") {
        expectArguments(rest, 1, "services delete NAME");
        CTwDienstlDoc file = openServiceFile(path);
        requireService(file, rest[0]);
        if (!deleteService(file, rest[0], prompter) || !file.save(path, true, storage)) return 1;
        return 0;
    }
    throw LorvanError(std::string("Aufruf: ") + kUsage);
}

} // namespace lorvan::cli
