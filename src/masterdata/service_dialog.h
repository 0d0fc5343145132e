#pragma once

#include "masterdata/service_file.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lorvan {

class Prompter;

// The fields of "Dienstleistung bearbeiten" in tab order; None: OK passed.
enum class ServiceField { None, Name, CostKind, Costs };

inline constexpr const char* kServiceDialogTitle = "Dienstleistung bearbeiten";
inline constexpr const char* kServiceNameLabel = "Bezeichnung";
inline constexpr const char* kServiceCostsCaption =
    "Vorbesetzung der Kosten (Diese sind bei der Erfassung änderbar.)";
// The radio buttons of the cost kinds 0, 1 and 2.
inline constexpr std::array<const char*, 3> kServiceCostKindLabels{
    "Kosten aus Stundenlohn des Mitarbeiters", "Feste Kosten je Stunde",
    "Feste Kosten (diese sind nicht zeitabhängig)"};
inline constexpr const char* kServiceCostsLabel = "Kosten in EUR";
inline constexpr const char* kServiceNameMissingMessage = "Geben Sie eine Bezeichnung ein.";
inline constexpr const char* kServiceCostsNotANumberMessage = "Geben Sie eine Zahl ein.";

struct ServiceCheckFailure {
    std::string message;
    ServiceField focus = ServiceField::None;
};

// An amount as the dialog shows it: a decimal comma, as many places as the value needs, and the
// empty text for 0 (12.5 -> "12,5").
std::string amountFieldText(double amount);
// An amount as typed: blanks around it, an optional sign, digits with at most one decimal comma;
// the empty text is 0. Nothing for any other text (a point, which a German reader takes for the
// thousands separator, included).
std::optional<double> parseAmountField(std::string_view text);

// The logic of "Dienstleistung bearbeiten": a copy of the record with the amount as its field text.
class ServiceDialog {
  public:
    explicit ServiceDialog(CDienstlDoc record);

    const std::string& name() const { return name_; }
    void setName(std::string name) { name_ = std::move(name); }

    int32_t costKind() const { return costKind_; }
    // Kind 0 (from the hourly wage) empties the amount.
    void setCostKind(int32_t kind);
    // The amount field takes input only for the fixed kinds 1 and 2.
    bool costsEnabled() const { return costKind_ == 1 || costKind_ == 2; }

    const std::string& costsText() const { return costsText_; }
    void setCostsText(std::string text) { costsText_ = std::move(text); }
    void setCosts(double amount) { costsText_ = amountFieldText(amount); }

    // The checks of OK in order: the amount is a number, the name is not empty (nor only blanks).
    std::optional<ServiceCheckFailure> firstFailedCheck() const;
    // OK: shows the first failed check and returns its field, or None when the dialog may close.
    ServiceField confirm(Prompter& prompter) const;

    // The record with the entered values; an amount that is no number counts as 0.
    CDienstlDoc record() const;

  private:
    std::string name_;
    int32_t costKind_ = 0;
    std::string costsText_;
};

// Shows "Dienstleistung bearbeiten" until OK passes confirm() (true) or the user cancels (false).
class ServiceDialogRunner {
  public:
    virtual ~ServiceDialogRunner() = default;
    virtual bool run(ServiceDialog& dialog) = 0;
};

} // namespace lorvan
