#include "yearfile/document_base.h"

#include "foundation/archive.h"
#include "foundation/error.h"
#include "foundation/file_io.h"
#include "platform/prompter.h"

#include <algorithm>
#include <cstring>

namespace lorvan {
namespace {

// Tells two contents apart for the change check; it is kept only in memory, never written. Every
// load hashes the whole file, so this has to keep pace with reading it: FNV-1a's xor-and-multiply
// over 8-byte words in four independent lanes (the processor works on them side by side), each step
// followed by folding the high half into the low half so that every bit affects all later ones.
// Every step can be undone, so a change within one word always changes the digest.
// The bytes may come in pieces of any size (blocks of a file read while it is decoded).
class ContentDigest {
  public:
    void add(const char* data, size_t size) {
        if (size == 0) return; // an empty view may carry no address at all
        size_ += size;
        if (pendingSize_ > 0) {
            const size_t take = std::min(size, sizeof pending_ - pendingSize_);
            std::memcpy(pending_ + pendingSize_, data, take);
            pendingSize_ += take;
            data += take;
            size -= take;
            if (pendingSize_ < sizeof pending_) return;
            mixChunk(pending_);
            pendingSize_ = 0;
        }
        for (; size >= sizeof pending_; data += sizeof pending_, size -= sizeof pending_)
            mixChunk(data);
        std::memcpy(pending_, data, size);
        pendingSize_ = size;
    }
    uint64_t value() const {
        uint64_t hash = mix(kBasis, size_);
        for (const uint64_t lane : lanes_)
            hash = mix(hash, lane);
        for (size_t i = 0; i < pendingSize_; ++i)
            hash = mix(hash, static_cast<unsigned char>(pending_[i]));
        return hash;
    }

  private:
    static constexpr uint64_t kBasis = 14695981039346656037ull;
    static constexpr uint64_t kPrime = 1099511628211ull;
    static uint64_t mix(uint64_t hash, uint64_t word) {
        hash = (hash ^ word) * kPrime;
        return hash ^ (hash >> 32);
    }
    void mixChunk(const char* chunk) {
        for (size_t k = 0; k < 4; ++k) {
            uint64_t word;
            std::memcpy(&word, chunk + 8 * k, 8);
            lanes_[k] = mix(lanes_[k], word);
        }
    }

    uint64_t lanes_[4] = {kBasis, kBasis + 1, kBasis + 2, kBasis + 3};
    uint64_t size_ = 0;
    char pending_[32] = {};
    size_t pendingSize_ = 0;
};

uint64_t digestOf(std::string_view bytes) {
    ContentDigest digest;
    digest.add(bytes.data(), bytes.size());
    return digest.value();
}

// The bytes of an open file for the decoder, hashed for the change check as they pass.
class DigestingSource final : public ArchiveSource {
  public:
    explicit DigestingSource(FileBlockReader& file) : file_(file) {}
    size_t read(char* into, size_t size) override {
        const size_t got = file_.read(into, size);
        digest_.add(into, got);
        return got;
    }
    // The digest of the whole file: what the decoder left unread is read and hashed first.
    uint64_t digestOfWholeFile() {
        char rest[4096];
        while (read(rest, sizeof rest) > 0) {
        }
        return digest_.value();
    }

  private:
    FileBlockReader& file_;
    ContentDigest digest_;
};

uint64_t digestOfFile(const std::string& path) {
    FileBlockReader file(path);
    DigestingSource source(file);
    return source.digestOfWholeFile();
}

std::string backupQuestion(const std::string& what, const std::string& reason) {
    return "Die interne Datensicherung bei Versionswechsel kann nicht durchgeführt werden.\n" + what +
           "\n\nUrsache:\n" + reason + "\n\nSoll das Speichern fortgesetzt werden?";
}

} // namespace

std::string unreadableFileMessage(const std::string& path, const std::string& cause) {
    std::string text = "Die Datei " + path + " lässt sich leider nicht einlesen. :-(\n\n" +
                       "Bitte löschen Sie die Datei und legen Sie sie erneut an.\n" +
                       "Falls die Datei viele Daten enthält, senden Sie mir diese mit einer E-Mail, dann " +
                       "werde ich versuchen sie wiederzubeleben.";
    if (!cause.empty()) text += "\n\nUrsache: " + cause;
    return text;
}

Prompter& promptsOf(const StorageContext& context) {
    if (!context.prompter) throw LorvanError(kPointerNotSet);
    return *context.prompter;
}

std::string CTwDocBase::toBytes() const {
    ArchiveWriter ar;
    store(ar);
    return ar.takeBytes();
}

void CTwDocBase::fromBytes(std::string_view bytes, const std::string& fileName) {
    ArchiveReader ar(bytes, fileName);
    loadFrom(ar);
}

void CTwDocBase::loadFrom(ArchiveReader& ar) {
    try {
        loadedVersion_ = load(ar);
    } catch (...) {
        clear();
        loadedVersion_ = 0;
        throw;
    }
}

void CTwDocBase::open(const std::string& path) {
    readFile(path, true);
}

void CTwDocBase::openToRead(const std::string& path) {
    readFile(path, false);
}

void CTwDocBase::readFile(const std::string& path, bool rememberContent) {
    // The stamp is taken before reading: a change after it then shows as a change at the next save.
    // The file is decoded block by block as it is read, so that its bytes are never held whole
    // beside the loaded document.
    FileStamp stamp;
    uint64_t digest = 0;
    try {
        FileBlockReader file(path, &stamp);
        DigestingSource source(file);
        ArchiveReader ar(source, file.size(), path);
        loadFrom(ar);
        if (rememberContent) digest = source.digestOfWholeFile();
    } catch (const LorvanError& e) {
        clear();
        forgetFile();
        throw LorvanError(unreadableFileMessage(path, e.what()));
    } catch (const std::exception&) {
        clear();
        forgetFile();
        throw LorvanError(unreadableFileMessage(path, ""));
    }
    fileStamp_ = stamp;
    contentDigest_ = digest;
    path_ = path;
}

bool CTwDocBase::open(const std::string& path, const StorageContext& context) {
    Prompter& prompter = promptsOf(context);
    try {
        open(path);
    } catch (const LorvanError& e) {
        prompter.error(e.what());
        return false;
    }
    return true;
}

void CTwDocBase::save(const std::string& path) {
    if (path.empty()) throw LorvanError("Der Dateiname wurde nicht angegeben.");
    const std::string bytes = toBytes();
    writeFileAtomically(path, bytes);
    remember(fileStamp(path), bytes);
    loadedVersion_ = currentVersion();
    path_ = path;
}

bool CTwDocBase::save(const std::string& path, bool setAsCurrentPath, const StorageContext& context) {
    Prompter& prompter = promptsOf(context);
    if (path.empty()) {
        prompter.error("Der Dateiname wurde nicht angegeben.");
        return false;
    }
    if (fileExists(path) && !mayOverwrite(path, context)) return false;
    return write(path, setAsCurrentPath, context);
}

bool CTwDocBase::mayOverwrite(const std::string& path, const StorageContext& context) {
    Prompter& prompter = promptsOf(context);
    if (fileChangedSinceSeen(path)) {
        if (!prompter.askYesNo("Die Datei '" + path +
                               "' wurde in der Zwischenzeit von einem anderen Benutzer geändert.\n\n"
                               "Sollen Ihre Angaben trotzdem gespeichert werden?"))
            return false;
        if (!prompter.askYesNo("Sind sie absolut sicher?\n\n"
                               "Die eingegebenen Daten des anderen Benutzers sind damit unwiederbringlich "
                               "verloren.\n\nSollen Ihre Angaben trotzdem gespeichert werden?"))
            return false;
    }
    return backUpOlderVersion(path, context);
}

bool CTwDocBase::write(const std::string& path, bool setAsCurrentPath, const StorageContext& context) {
    const std::string bytes = toBytes();
    try {
        writeFileAtomically(path, bytes);
    } catch (const LorvanError& e) {
        promptsOf(context).error(e.what());
        return false;
    }
    remember(fileStamp(path), bytes);
    loadedVersion_ = currentVersion();
    if (setAsCurrentPath) path_ = path;
    return true;
}

void CTwDocBase::forgetFile() {
    path_.clear();
    loadedVersion_ = 0;
    fileStamp_ = FileStamp{};
    contentDigest_ = 0;
}

void CTwDocBase::remember(const FileStamp& stamp, std::string_view bytes) {
    fileStamp_ = stamp;
    contentDigest_ = digestOf(bytes);
}

bool CTwDocBase::fileChangedSinceSeen(const std::string& path) const {
    if (fileStamp(path) != fileStamp_) return true;
    // Same time, size and file: within one clock tick only the content tells a change apart.
    try {
        return digestOfFile(path) != contentDigest_;
    } catch (const LorvanError&) {
        return true;
    }
}

bool CTwDocBase::backUpOlderVersion(const std::string& path, const StorageContext& context) {
    if (path.empty() || loadedVersion_ == 0 || loadedVersion_ == currentVersion() || !fileExists(path))
        return true;
    Prompter& prompter = promptsOf(context);
    // Without a data directory the backup goes beside the file.
    const std::string dataDirectory = context.dataDirectory.empty()
                                          ? directoryOfPath(path, true)
                                          : withSeparator(context.dataDirectory, true);
    const std::string folder = dataDirectory + "InternalBackup/";
    std::string reason;
    if (!directoryExists(folder)) {
        bool created = false;
        try {
            created = createDirectoryPath(folder, reason, dataDirectory);
        } catch (const LorvanError& e) {
            reason = e.what();
        }
        if (!created)
            return prompter.askYesNo(
                backupQuestion("Das Verzeichnis '" + folder + "' kann nicht angelegt werden.", reason));
    }
    const std::string name = fileNameOfPath(path);
    const size_t dot = name.rfind('.');
    const std::string baseName = dot == std::string::npos ? name : name.substr(0, dot);
    const std::string extension = dot == std::string::npos ? std::string() : name.substr(dot);
    const std::string backup = folder + baseName + std::to_string(loadedVersion_) + extension;
    if (fileExists(backup)) return true; // a backup from an earlier run is kept as it is
    if (!copyFile(path, backup, reason))
        return prompter.askYesNo(
            backupQuestion("Die Datei '" + backup + "' kann nicht erstellt werden.", reason));
    return true;
}

} // namespace lorvan
