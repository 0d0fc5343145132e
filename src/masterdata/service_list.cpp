#include "masterdata/service_list.h"

#include "foundation/file_system.h"

namespace lorvan {
namespace {

std::optional<CDienstlDoc> copyOf(const CDienstlDoc* service) {
    return service ? std::optional<CDienstlDoc>(*service) : std::nullopt;
}

} // namespace

std::string serviceFilePath(const std::string& dataDirectory) {
    return dataDirectory.empty() ? std::string()
                                 : withSeparator(dataDirectory, true) + CTwDienstlDoc::kFileName;
}

ServiceList::ServiceList(const std::string& dataDirectory) : cache_(serviceFilePath(dataDirectory)) {}

void ServiceList::setDataDirectory(const std::string& dataDirectory) {
    cache_.setPath(serviceFilePath(dataDirectory));
}

std::vector<std::string> ServiceList::names() {
    return file().names();
}

std::optional<CDienstlDoc> ServiceList::findByName(std::string_view name) {
    return copyOf(file().find(name));
}

std::optional<CDienstlDoc> ServiceList::search(std::string_view text, std::string& protocol) {
    return copyOf(file().searchService(text, protocol));
}

} // namespace lorvan
