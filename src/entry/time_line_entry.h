#pragma once

#include "foundation/datum.h"
#include "yearfile/year_file.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The logic of the dialog "Arbeitszeit eingeben": one time line of a day, edited on a copy. The
// dialog shows the fields and passes every input here; this class decides what the fields hold,
// which are enabled, what completion fills in and whether OK may take the line.
namespace lorvan {

class CEinstArbzt;
class CustomerList;
class Prompter;
class ServiceList;

inline constexpr const char* kTimeLineDialogTitle = "Arbeitszeit eingeben";
inline constexpr const char* kKindMissingMessage = "Die Art des Eintrags wurde nicht ausgewählt.";
inline constexpr const char* kCustomerMissingMessage = "Der Kunde wurde nicht eingegeben.";
inline constexpr const char* kCustomerUnknownQuestion =
    "Der Kunde existiert nicht in den Stammdaten.\n\nSoll der Kunde jetzt angelegt werden?";
inline constexpr const char* kStartAfterEndMessage = "Der Beginn des Eintrags liegt vor dem Ende.";
inline constexpr const char* kPauseTooLongMessage = "Die Pause war länger als möglich.";
inline constexpr const char* kDurationMismatchMessage = "Die Dauer passt nicht zum Von-Bis-Wert.";
inline constexpr const char* kServiceUnknownQuestion =
    "Die Dienstleistung existiert nicht in den Stammdaten.\n\nSoll die Dienstleistung jetzt angelegt werden?";
inline constexpr const char* kWageCostsUnavailableQuestion =
    "Die Kosten aus Stundenlohn können nicht ausgewiesen werden.\nSie müssen diese Funktionalität in den "
    "Einstellungen der Arbeitszeitdatei freischalten.\n\nSoll die Verarbeitung trotzdem fortgesetzt werden?";
inline constexpr const char* kCompleteButtonTip = "Vervollständigt die fehlenden Zeitangaben.";
inline constexpr const char* kCustomerButtonTip =
    "Öffnet einen vorhandenen Kunden oder legt einen neuen Kunden an.";
inline constexpr const char* kServiceButtonTip =
    "Öffnet eine vorhandene Dienstleistung oder legt eine neue Dienstleistung an.";
// The entries of "Kosten" in the order of the cost kinds 0, 1, 2.
inline constexpr std::array<const char*, 3> kCostKindTexts = {"Aus Stundenlohn", "Je Stunde", "Fester Betrag"};

// The fields of the dialog in screen order; None: no field (OK passed, or no focus to set).
enum class LineField {
    None,
    Kind,
    Customer,
    Service,
    From,
    To,
    Duration,
    Pause,
    CostKind,
    CostAmount,
    Remark,
    Calculation1,
    Calculation2,
    Calculation3,
    Vehicle,
    OdometerAfter,
    KilometresDriven,
};

// The three time fields with their "Fest" boxes.
enum class TimeField { From, To, Duration };

// What the dialog needs of the customer and service master files.
class LineMasterData {
  public:
    virtual ~LineMasterData() = default;
    // A customer whose name equals the text or whose number the text designates ("12", "12 - …").
    virtual bool customerExists(std::string_view text) = 0;
    // A service of exactly that name.
    virtual bool serviceExists(std::string_view name) = 0;
    // Opens the customer editor for the typed text (an existing customer by its number, else a new one
    // of that name). The text the customer field takes afterwards, or nothing to keep it.
    virtual std::optional<std::string> openCustomer(std::string_view text) = 0;
    // Opens the service editor for the typed name (a new service gets the line's cost kind and amount).
    // The text the service field takes afterwards, or nothing to keep it.
    virtual std::optional<std::string> openService(std::string_view name, int32_t costKind, double costAmount) = 0;
};

// The master data from the program's cached lists. Without editors (the command line) opening does
// nothing.
class CachedLineMasterData : public LineMasterData {
  public:
    CachedLineMasterData(CustomerList& customers, ServiceList& services) : customers_(customers), services_(services) {}
    bool customerExists(std::string_view text) override;
    bool serviceExists(std::string_view name) override;
    std::optional<std::string> openCustomer(std::string_view) override { return std::nullopt; }
    std::optional<std::string> openService(std::string_view, int32_t, double) override { return std::nullopt; }

  protected:
    CustomerList& customers_;
    ServiceList& services_;
};

// The outcome of OK: accepted, or the field that gets the focus with the message shown (empty when a
// question kept the dialog open) and the text that tells why (the message or the question).
struct LineCheckResult {
    bool accepted = false;
    LineField focus = LineField::None;
    std::string message;
    std::string reason;
};

class TimeLineEntry {
  public:
    struct Options {
        bool isFirstNewLine = false;
        bool monthClosed = false;
        // "Bei der Erfassung prüfen, ob Kunde existiert" of the customer file.
        bool checkCustomersOnEntry = false;
        // The vehicle logbook is available (none yet: its fields are never shown).
        bool logbookAvailable = false;
    };

    // Opens on a copy of the line (which reaches its day's settings and date through its day; a line of
    // no day has the plain settings) and applies the defaults of a day's first new line. masterData may
    // be null: then no customer or service is checked against the master files.
    TimeLineEntry(const CZeitZeile& line, const Options& options, LineMasterData* masterData = nullptr);

    // Texts and values as the dialog shows them.
    const std::string& kind() const { return kind_; }
    const std::string& customer() const { return customer_; }
    const std::string& service() const { return service_; }
    const std::string& timeText(TimeField field) const { return times_[index(field)]; }
    bool fixed(TimeField field) const { return fixed_[index(field)]; }
    bool fixedEnabled(TimeField field) const { return fixedEnabled_[index(field)] && !options_.monthClosed; }
    int32_t pause() const { return pause_; }
    int32_t costKind() const { return costKind_; }
    double costAmount() const { return costAmount_; }
    const std::string& remark() const { return remark_; }
    double calculationField(size_t i) const { return calculationFields_.at(i); }
    // "Rechenfeld 1" … when the settings give no name.
    std::string calculationFieldName(size_t i) const;
    const std::string& vehicle() const { return vehicle_; }
    double odometerAfter() const { return odometerAfter_; }
    double kilometresDriven() const { return kilometresDriven_; }
    // The duration in minutes as the "Dauer" text reads now.
    int32_t durationMinutes() const;

    bool enabled(LineField field) const;
    bool customerButtonEnabled() const { return enabled(LineField::Customer); }
    bool serviceButtonEnabled() const { return enabled(LineField::Service); }
    bool completeButtonEnabled() const { return !options_.monthClosed; }
    bool okEnabled() const { return !options_.monthClosed; }
    // The vehicle fields are shown for "Fahrt" while the logbook is available.
    bool vehicleFieldsShown() const;
    bool monthClosed() const { return options_.monthClosed; }
    const Datum& date() const { return date_; }

    // The cost of the present values ("12,50"), empty for cost kind 2 or when wages may not be costs.
    std::string costLabel() const;
    // "Gerechnet als 01:00" for a standby line with a duration, else empty.
    std::string standbyLabel() const;

    // A new kind typed or chosen: the codes K, KD, KUNDE, P, PAUSE, A, F, B (any letter case) become
    // their kinds, then the rules of the kind apply.
    void setKind(std::string_view text);
    void setCustomer(std::string text) { customer_ = std::move(text); }
    void setService(std::string text) { service_ = std::move(text); }
    // Typing in a time field: ticks its "Fest" box; an empty field clears the box and disables it.
    void typeTime(TimeField field, std::string text);
    // Leaving a time field: "Von" and "Bis" complete a short input (7 -> 7:00, 730 -> 7:30), "Dauer"
    // is read as a duration and written as hh:mm.
    void leaveTime(TimeField field);
    void setFixed(TimeField field, bool on);
    void setPause(int32_t minutes) { pause_ = minutes; }
    // Changing the cost kind: to 0 clears the amount, to 2 takes the cost the previous kind gave.
    void setCostKind(int32_t kind);
    void setCostAmount(double amount) { costAmount_ = amount; }
    void setRemark(std::string text) { remark_ = std::move(text); }
    void setCalculationField(size_t i, double value) { calculationFields_.at(i) = value; }
    void setVehicle(std::string text) { vehicle_ = std::move(text); }
    void setOdometerAfter(double value) { odometerAfter_ = value; }
    void setKilometresDriven(double value) { kilometresDriven_ = value; }

    // "&Vervollständigen": fills in what the fixed fields determine.
    void complete();

    // The buttons "Öff&nen..." and "Öf&fnen...": the master-data editor for the typed text.
    void openCustomer();
    void openService();

    // OK. focus is the time field that has the focus (it is committed as if it were left first; the
    // dialog commits a changed kind with setKind itself). Runs the checks in order; the first failure
    // shows its message through the prompter.
    LineCheckResult accept(Prompter& prompter, LineField focus = LineField::None);
    // Writes the values into the line (after an accepted OK).
    void apply(CZeitZeile& line) const;

  private:
    static size_t index(TimeField field) { return static_cast<size_t>(field); }
    void applyOpeningDefaults();
    void applyKindRules();
    void setTimeFilled(TimeField field, std::string text);
    void setDurationMinutes(int32_t minutes);
    void completePause();
    // The working copy with the present values (it keeps the original line's day).
    CZeitZeile currentLine() const;
    // The cost the given kind gives for the present values; nothing when it cannot be shown.
    std::optional<double> costFor(int32_t kind) const;
    std::optional<LineCheckResult> checkFormats(Prompter& prompter);
    std::optional<LineCheckResult> checkContents(Prompter& prompter);

    CZeitZeile original_;
    Options options_;
    LineMasterData* masterData_;
    const CEinstArbzt* settings_;
    Datum date_;

    std::string kind_;
    std::string customer_;
    std::string service_;
    std::array<std::string, 3> times_;
    std::array<bool, 3> fixed_{};
    std::array<bool, 3> fixedEnabled_{};
    int32_t pause_ = 0;
    int32_t costKind_ = kCostFromHourlyWage;
    double costAmount_ = 0.0;
    std::string remark_;
    std::array<double, 3> calculationFields_{};
    std::string vehicle_;
    double odometerAfter_ = 0.0;
    double kilometresDriven_ = 0.0;
};

} // namespace lorvan
