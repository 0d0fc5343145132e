#include "yearfile/document_base.h"

#include "foundation/archive.h"
#include "foundation/error.h"
#include "foundation/file_io.h"

namespace lorvan {

std::string unreadableFileMessage(const std::string& path, const std::string& cause) {
    std::string text = "Die Datei " + path + " lässt sich leider nicht einlesen. :-(\n\n" +
                       "Bitte löschen Sie die Datei und legen Sie sie erneut an.\n" +
                       "Falls die Datei viele Daten enthält, senden Sie mir diese mit einer E-Mail, dann " +
                       "werde ich versuchen sie wiederzubeleben.";
    if (!cause.empty()) text += "\n\nUrsache: " + cause;
    return text;
}

std::string CTwDocBase::toBytes() const {
    ArchiveWriter ar;
    store(ar);
    return ar.takeBytes();
}

void CTwDocBase::fromBytes(std::string_view bytes, const std::string& fileName) {
    ArchiveReader ar(bytes, fileName);
    try {
        loadedVersion_ = load(ar);
    } catch (...) {
        clear();
        loadedVersion_ = 0;
        throw;
    }
}

void CTwDocBase::open(const std::string& path) {
    try {
        const std::string bytes = readWholeFile(path);
        fromBytes(bytes, path);
    } catch (const LorvanError& e) {
        throw LorvanError(unreadableFileMessage(path, e.what()));
    } catch (const std::exception&) {
        clear();
        throw LorvanError(unreadableFileMessage(path, ""));
    }
    path_ = path;
}

void CTwDocBase::save(const std::string& path) {
    if (path.empty()) throw LorvanError("Der Dateiname wurde nicht angegeben.");
    writeFileAtomically(path, toBytes());
    loadedVersion_ = currentVersion();
    path_ = path;
}

} // namespace lorvan
