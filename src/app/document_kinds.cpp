#include "app/document_kinds.h"

#include "foundation/file_system.h"
#include "foundation/text_encoding.h"

#include <algorithm>

namespace lorvan {
namespace {

constexpr const char* kYearFileKind =
    "\nArbzt\nArbeitszeit\nArbeitszeitdatei\n.azr\nArbeitszeit\nLorvan Document";
constexpr const char* kEmployeeKind =
    "Mitarbeiter verwalten\nMitarbeiter\nMitarbeiter\nMitarbeiterdatei\n.mar\nMitarbeiter\nMitarbeiter "
    "Document";

constexpr std::array<DocumentKind, kDocumentKindCount> kKinds{{
    {"CLorvanDoc", "CLorvanView", kViewYearFile, kYearFileKind},
    {"CLorvanDoc", "CMonatView", 0, kYearFileKind},
    {"CLorvanDoc", "CTagView", 0, kYearFileKind},
    {"CTwMaDoc", "CTwMaView", kViewEmployees, kEmployeeKind},
    {"CTwMaDoc", "DruckKunde", kViewCustomerQuery, kEmployeeKind},
    {"CTwMaDoc", "DruckMa", kViewMonthClosing, kEmployeeKind},
    {"CLorvanDoc", "CDruckWoche", 0, kYearFileKind},
    {"CTwKundenDoc", "CTwKundenView", kViewCustomers,
     "Kunden verwalten\nKunde\nKunde\nKundendatei\n.kd\nKunde\nKunden Document"},
    {"CTwDienstlDoc", "CTwDienstlView", kViewServices,
     "Dienstleistungen verwalten\nDienstleistung\nDienstleistung\nDienstleistungsdatei\n.dl\nDienstleistung\n"
     "Dienstleistung Document"},
    {"CTwFahrzDocAz", "CTwFahrzView", kViewVehicles,
     "Fahrzeuge verwalten\nFahrzeuge\nFahrzeuge\nFahrzeugsdatei\n.fz\nFahrzeuge\nFahrzeuge Document"},
    {"CTwFahrtenbuchDoc", "CTwFahrtenbuchView", kViewLogbook,
     "Fahrtenbuch verwalten\nFahrtenbuch\nFahrtenbuch\nFahrtenbuchdatei\n.fb\nFahrtenbuch\nFahrtenbuch "
     "Document"},
}};

} // namespace

const std::array<DocumentKind, kDocumentKindCount>& documentKinds() {
    return kKinds;
}

DocumentKindFields kindFields(const DocumentKind& kind) {
    std::array<std::string, 7> fields;
    const std::string text = kind.kindText;
    size_t start = 0;
    for (std::string& field : fields) {
        const size_t end = std::min(text.find('\n', start), text.size());
        if (start <= text.size()) field = text.substr(start, end - start);
        start = end + 1;
    }
    return {fields[0], fields[1], fields[2], fields[3], fields[4], fields[5], fields[6]};
}

int findDocumentKind(const std::string& path) {
    const std::string name = toUpperCp1252(fileNameOfPath(path));
    for (size_t i = 0; i < kKinds.size(); ++i) {
        const std::string extension = toUpperCp1252(kindFields(kKinds[i]).extension);
        if (name.size() > extension.size() &&
            name.compare(name.size() - extension.size(), extension.size(), extension) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

int documentKindOfView(int32_t viewNumber) {
    for (size_t i = 0; i < kKinds.size(); ++i)
        if (viewNumber != 0 && kKinds[i].viewNumber == viewNumber) return static_cast<int>(i);
    return -1;
}

bool isSingleWindowView(int32_t viewNumber) {
    switch (viewNumber) {
    case kViewYearFile:
    case kViewEmployees:
    case kViewCustomers:
    case kViewServices:
    case kViewVehicles:
    case kViewLogbook:
    case kViewMonthClosing:
        return true;
    default:
        return false;
    }
}

} // namespace lorvan
