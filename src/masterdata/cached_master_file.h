#pragma once

#include "foundation/file_system.h"

#include <string>
#include <utility>

namespace lorvan {

// The program's copy of a small master file ("Daten.kd", "Daten.dl") that the entry and the
// imports read often.
//
// Refresh rules:
// - the file is read at the first use; a missing file gives an empty copy;
// - every load or save of the file in a window hands its contents over (takeFrom), so the copy is
//   the last state read or written;
// - before each use the file's stamp is compared with the one of that state; a file changed by
//   another program or user since then (or one that appeared or vanished) is read again;
// - while the copy is held (a batch, such as an import of many lines) it is used as it is, without
//   looking at the disk; a hand-over still replaces it.
//
// A file that cannot be read raises its LorvanError; the copy is then empty and the next use reads
// the file again.
template <class Doc> class CachedMasterFile {
  public:
    explicit CachedMasterFile(std::string path = {}) : path_(std::move(path)) {}

    const std::string& path() const { return path_; }
    // Another file (a new data directory): the copy is read again at its next use.
    void setPath(std::string path) {
        path_ = std::move(path);
        forget();
    }

    // The copy after the refresh rules.
    const Doc& current() {
        if (!loaded_ || (holds_ == 0 && fileStamp(path_) != seen_)) load();
        return doc_;
    }

    // Takes over the contents of a document that was just loaded from or saved to the file.
    void takeFrom(const Doc& doc) {
        doc_ = doc;
        seen_ = doc.fileTime();
        loaded_ = true;
    }

    // The next use reads the file.
    void forget() {
        doc_ = Doc();
        seen_ = FileStamp{};
        loaded_ = false;
    }

    bool held() const { return holds_ > 0; }

    // Holds the copy while it lives; holds nest.
    class Hold {
      public:
        explicit Hold(CachedMasterFile& file) : file_(&file) { ++file_->holds_; }
        Hold(Hold&& other) noexcept : file_(std::exchange(other.file_, nullptr)) {}
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;
        Hold& operator=(Hold&&) = delete;
        ~Hold() {
            if (file_) --file_->holds_;
        }

      private:
        CachedMasterFile* file_;
    };
    [[nodiscard]] Hold hold() { return Hold(*this); }

  private:
    void load() {
        // Taken before reading: a change while reading shows at the next use.
        const FileStamp stamp = fileStamp(path_);
        Doc fresh;
        if (stamp.exists) {
            try {
                fresh.open(path_);
            } catch (...) {
                forget();
                throw;
            }
        }
        doc_ = std::move(fresh);
        seen_ = stamp;
        loaded_ = true;
    }

    std::string path_;
    Doc doc_;
    FileStamp seen_;
    bool loaded_ = false;
    int holds_ = 0;
};

} // namespace lorvan
