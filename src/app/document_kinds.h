#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace lorvan {

// One document kind: a document class shown in one view. Several kinds share a file type.
struct DocumentKind {
    const char* documentClass;
    const char* viewClass;
    int32_t viewNumber; // 0 for the views without a number of their own
    // Seven fields separated by "\n": window title, document name, name for new documents, filter
    // name, file extension, file type id, file type name.
    const char* kindText;
};

inline constexpr size_t kDocumentKindCount = 11;

// The kinds in the order in which a file is matched against them.
const std::array<DocumentKind, kDocumentKindCount>& documentKinds();

// The seven fields of a kind text.
struct DocumentKindFields {
    std::string windowTitle;
    std::string documentName;
    std::string newDocumentName;
    std::string filterName;
    std::string extension; // with its dot: ".azr"
    std::string fileTypeId;
    std::string fileTypeName;
};
DocumentKindFields kindFields(const DocumentKind& kind);

// The index of the first kind whose extension fits the path (letter case ignored), or -1.
int findDocumentKind(const std::string& path);

// The index of the first kind shown in that view, or -1.
int documentKindOfView(int32_t viewNumber);

// Views that show a document only once: a second request activates the window there is.
bool isSingleWindowView(int32_t viewNumber);

// View numbers of the work areas.
inline constexpr int32_t kViewYearFile = 130;
inline constexpr int32_t kViewEmployees = 153;
inline constexpr int32_t kViewCustomerQuery = 157;
inline constexpr int32_t kViewCustomers = 168;
inline constexpr int32_t kViewServices = 171;
inline constexpr int32_t kViewVehicles = 177;
inline constexpr int32_t kViewLogbook = 179;
inline constexpr int32_t kViewMonthClosing = 207;

} // namespace lorvan
