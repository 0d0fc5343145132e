#pragma once

#include "masterdata/cached_master_file.h"
#include "masterdata/service_file.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lorvan {

// The program's list of all services in name order, for the entry and the imports (refresh rules
// and hold: CachedMasterFile). Records are handed out as copies; an unreadable file raises its
// message.
class ServiceList {
  public:
    // The list of "Daten.dl" in the data directory (none yet: an empty list).
    explicit ServiceList(const std::string& dataDirectory = {});

    void setDataDirectory(const std::string& dataDirectory);
    const std::string& filePath() const { return cache_.path(); }

    // The whole copy: the services by name.
    const CTwDienstlDoc& file() { return cache_.current(); }
    // All names in name order (for a choice box).
    std::vector<std::string> names();
    // The service whose name equals the text exactly (byte-wise).
    std::optional<CDienstlDoc> findByName(std::string_view name);
    // The service that a typed or imported text designates; a failed search appends its report to
    // the protocol.
    std::optional<CDienstlDoc> search(std::string_view text, std::string& protocol);

    // After every load or save of the service file in a window.
    void takeFrom(const CTwDienstlDoc& doc) { cache_.takeFrom(doc); }
    void forget() { cache_.forget(); }

    using Hold = CachedMasterFile<CTwDienstlDoc>::Hold;
    [[nodiscard]] Hold hold() { return cache_.hold(); }
    bool held() const { return cache_.held(); }

  private:
    CachedMasterFile<CTwDienstlDoc> cache_;
};

// "Daten.dl" in the directory.
std::string serviceFilePath(const std::string& dataDirectory);

} // namespace lorvan
