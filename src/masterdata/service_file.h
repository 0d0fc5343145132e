#pragma once

#include "yearfile/document_base.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace lorvan {

// One service of the service file "Daten.dl"; time lines refer to it by its name. Kind and amount
// are the defaults a time line takes over when the service is chosen.
class CDienstlDoc {
public:
    std::string name;     // "Bezeichnung"; the key
    int32_t costKind = 0; // 0 from the hourly wage, 1 fixed per hour, 2 fixed amount
    double costs = 0.0;   // EUR for kinds 1 and 2

    // "Aus Stundenlohn", "Fest je Stunde", "Fester Betrag"; empty for any other kind.
    static std::string costKindText(int32_t kind);
    std::string costKindText() const { return costKindText(costKind); }
};

// Order of service names: byte-wise on their Windows-1252 forms.
struct ServiceNameLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
};

// The service file "Daten.dl": the services by name.
class CTwDienstlDoc : public CTwDocBase {
public:
    static constexpr int32_t kCurrentVersion = 1;
    static constexpr const char* kFileName = "Daten.dl";

    // Keyed by the record's name (key and name always agree).
    std::map<std::string, CDienstlDoc, ServiceNameLess> services;

    int32_t currentVersion() const override { return kCurrentVersion; }

    // The service whose name equals the text exactly, or nullptr.
    const CDienstlDoc* find(std::string_view name) const;
    void put(const CDienstlDoc& service) { services[service.name] = service; }
    // All names in name order.
    std::vector<std::string> names() const;

    // The service that a typed or imported text designates, or nullptr; a failed search appends
    // its report to the protocol.
    const CDienstlDoc* searchService(std::string_view text, std::string& protocol) const;

protected:
    void store(ArchiveWriter& ar) const override;
    int32_t load(ArchiveReader& ar) override;
    void clear() override;
};

} // namespace lorvan
