#include "yearfile/year_document.h"

#include "foundation/format.h"
#include "foundation/number_text.h"
#include "platform/clock.h"
#include "platform/prompter.h"
#include "yearfile/settings.h"

#include <cctype>

namespace lorvan {

std::string fileNameFor(const std::string& name, int32_t year) {
    return format("%s%ld.%s", toFileNamePart(name).c_str(), static_cast<long>(year), kYearFileExtension);
}

std::string fullYearFilePath(const std::string& dataDirectory, const std::string& name, int32_t year) {
    return withSeparator(dataDirectory, true) + fileNameFor(name, year);
}

std::optional<YearFileOwner> yearFileOwnerOf(const std::string& path, const EmployeeNames* employees) {
    const std::string name = fileNameOfPath(path);
    const std::string extension = std::string(".") + kYearFileExtension;
    if (name.size() < extension.size() + 4) return std::nullopt;
    const std::string tail = name.substr(name.size() - extension.size());
    for (size_t i = 0; i < tail.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(tail[i])) != extension[i]) return std::nullopt;
    const size_t yearAt = name.size() - extension.size() - 4;
    YearFileOwner owner;
    owner.year = static_cast<int32_t>(readLeadingInteger(name.substr(yearAt, 4)));
    const std::string namePart = name.substr(0, yearAt);
    if (employees) owner.name = employees->findByName(namePart, true);
    if (owner.name.empty()) owner.name = namePart;
    return owner;
}

void CTwDoc::startNew(const Clock& clock) {
    clear();
    forgetFile();
    ownerSettings().completeDefaults(clock);
    needsFileName_ = true;
}

bool CTwDoc::open(const std::string& path, const StorageContext& context) {
    if (!path.empty() && !fileExists(path) && !directoryExists(path)) {
        if (const std::optional<YearFileOwner> owner = yearFileOwnerOf(path, context.employees)) {
            clear();
            forgetFile();
            ownerSettings().name = owner->name;
            ownerSettings().year = owner->year;
            needsFileName_ = true;
            return true;
        }
    }
    if (!CTwDocBase::open(path, context)) return false;
    needsFileName_ = false;
    if (context.recent) context.recent->addPath(path);
    return true;
}

bool CTwDoc::save(const std::string& path, bool setAsCurrentPath, const StorageContext& context) {
    if (!needsFileName_ && !path.empty()) return CTwDocBase::save(path, setAsCurrentPath, context);
    const std::string target =
        fullYearFilePath(context.dataDirectory, ownerSettings().name, ownerSettings().year);
    if (fileExists(target)) {
        promptsOf(context).error(kYearFileExists);
        return false;
    }
    // The new file becomes the document's file; only a written file is named in the recent list.
    if (!write(target, true, context)) return false;
    needsFileName_ = false;
    if (context.recent) context.recent->addPath(target);
    return true;
}

void CTwDoc::syncPath(const StorageContext& context) {
    const std::string wanted =
        fullYearFilePath(context.dataDirectory, ownerSettings().name, ownerSettings().year);
    if (wanted == path()) return;
    if (context.recent && !path().empty()) context.recent->removePath(path());
    setPath(wanted);
}

std::string CTwDoc::title() const {
    if (needsFileName_ || path().empty()) return fileNameFor(ownerSettings().name, ownerSettings().year);
    return fileNameOfPath(path());
}

} // namespace lorvan
