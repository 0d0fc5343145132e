#include "foundation/text_file.h"

#include "foundation/atomic_file.h"
#include "foundation/error.h"
#include "foundation/file_io.h"
#include "foundation/format.h"
#include "foundation/text_encoding.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lorvan {
namespace {

constexpr const char* kOpenFailed = "Die Datei '%s' konnte nicht geöffnet werden.";
constexpr const char* kReadFailed = "Die Datei '%s' konnte nicht gelesen werden.";
constexpr const char* kWriteFailed = "Die Datei '%s' konnte nicht geschrieben werden.";
constexpr size_t kChunk = 65536;
constexpr size_t kMaxCauseCharacters = 1000;

bool hasHighBytes(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return true;
    return false;
}

// The bytes of a line on disk: the encoding of the file, every line end as CR LF.
std::string diskBytes(const std::string& text, bool utf8) {
    const std::string encoded = utf8 ? text : utf8ToCp1252Lossy(text);
    std::string out;
    out.reserve(encoded.size() + 2);
    for (size_t i = 0; i < encoded.size(); ++i) {
        if (encoded[i] == '\n' && (i == 0 || encoded[i - 1] != '\r')) out += '\r';
        out += encoded[i];
    }
    return out;
}

} // namespace

TextFile::TextFile(std::string fileName, bool noQuestions, RetryQuestion askRetry)
    : fileName_(std::move(fileName)), noQuestions_(noQuestions), askRetry_(std::move(askRetry)) {}

TextFile::~TextFile() { TextFile::close(); }

std::string TextFile::diskFullQuestion(const std::string& fileName) {
    return format("Es steht kein Speicherplatz mehr zum Schreiben der Datei '%s' zur Verfügung.\n"
                  "Stellen Sie ausreichend Speicherplatz zur Verfügung und versuchen Sie es anschließend "
                  "noch einmal.\n\nWollen Sie es jetzt noch einmal versuchen?",
                  fileName.c_str());
}

void TextFile::fail(const char* messageFormat, int errorNumber) {
    fail(messageFormat, systemErrorText(errorNumber));
}

void TextFile::fail(const char* messageFormat, const std::string& cause) {
    message_ = format(messageFormat, fileName_.c_str());
    cause_ = leftCharacters(cause, kMaxCauseCharacters);
}

bool TextFile::open(Mode mode) {
    close();
    if (fileName_.empty()) {
        message_ = "Die Datei konnte nicht geöffnet werden, da der Dateiname nicht angegeben wurde.";
        cause_ = "Die Datei wurde nicht angegeben.";
        return false;
    }
    struct stat st {};
    const bool exists = ::stat(fileName_.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode)) {
        fail(kOpenFailed, EISDIR);
        return false;
    }
    // A write-protected file stays untouched, whoever runs the program.
    if (mode != Mode::Read && exists && S_ISREG(st.st_mode) && !(st.st_mode & S_IWUSR)) {
        fail(kOpenFailed, EACCES);
        return false;
    }

    int fd = -1;
    switch (mode) {
    case Mode::Read: fd = ::open(fileName_.c_str(), O_RDONLY | O_CLOEXEC); break;
    case Mode::Create: fd = ::open(fileName_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666); break;
    case Mode::Write: fd = ::open(fileName_.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666); break;
    case Mode::Replace: {
        auto replacement = std::make_unique<AtomicFileWriter>();
        if (!replacement->startReplacing(fileName_)) {
            fail(kOpenFailed, replacement->cause());
            return false;
        }
        fd = replacement->descriptor();
        replacement_ = std::move(replacement);
        break;
    }
    }
    if (fd < 0) {
        fail(kOpenFailed, errno);
        return false;
    }
    fd_ = fd;
    buffer_.clear();
    bufferPos_ = 0;
    atEnd_ = false;
    atStart_ = true;
    return true;
}

void TextFile::openOrThrow(Mode mode) {
    if (!open(mode)) throw LorvanError(fullErrorText());
}

bool TextFile::fillBuffer() {
    const size_t have = buffer_.size();
    buffer_.resize(have + kChunk);
    for (;;) {
        const ssize_t n = ::read(fd_, buffer_.data() + have, kChunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const int e = errno;
            buffer_.resize(have);
            fail(kReadFailed, e);
            throw LorvanError(fullErrorText());
        }
        buffer_.resize(have + static_cast<size_t>(n));
        if (n == 0) atEnd_ = true;
        return n > 0;
    }
}

bool TextFile::readLine(std::string& line) {
    if (fd_ < 0) {
        fail(kReadFailed, EBADF);
        throw LorvanError(fullErrorText());
    }
    if (bufferPos_ >= kChunk) {
        buffer_.erase(0, bufferPos_);
        bufferPos_ = 0;
    }
    size_t searchFrom = bufferPos_;
    size_t end;
    while ((end = buffer_.find('\n', searchFrom)) == std::string::npos && !atEnd_) {
        searchFrom = buffer_.size();
        fillBuffer();
    }
    std::string_view raw;
    if (end == std::string::npos) {
        if (bufferPos_ >= buffer_.size()) return false;
        raw = std::string_view(buffer_).substr(bufferPos_);
        bufferPos_ = buffer_.size();
    } else {
        raw = std::string_view(buffer_).substr(bufferPos_, end - bufferPos_);
        if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
        bufferPos_ = end + 1;
    }
    if (!utf8_) {
        line = cp1252ToUtf8(raw);
    } else {
        // A byte order mark opens many UTF-8 files; it is no part of the first field.
        if (atStart_ && raw.substr(0, 3) == "\xEF\xBB\xBF") raw.remove_prefix(3);
        // Broken sequences become U+FFFD, so the text in memory is always valid UTF-8.
        line = hasHighBytes(raw) ? utf16ToUtf8(utf8ToUtf16(raw)) : std::string(raw);
    }
    atStart_ = false;
    return true;
}

bool TextFile::tryWriteLine(const std::string& text) {
    if (fd_ < 0) {
        fail(kWriteFailed, EBADF);
        return false;
    }
    const std::string bytes = diskBytes(text, utf8_);
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
            continue;
        }
        const int e = n == 0 ? ENOSPC : errno;
        if (e == EINTR) continue;
        // After a full disk only the part not yet written is written again.
        const bool diskFull = e == ENOSPC || e == EDQUOT;
        if (diskFull && !noQuestions_ && askRetry_ && askRetry_(diskFullQuestion(fileName_))) continue;
        fail(kWriteFailed, e);
        return false;
    }
    return true;
}

void TextFile::writeLine(const std::string& text) {
    if (!tryWriteLine(text)) throw LorvanError(fullErrorText());
}

void TextFile::seekToEnd() {
    if (fd_ < 0) return;
    if (::lseek(fd_, 0, SEEK_END) < 0) {
        fail(kWriteFailed, errno);
        throw LorvanError(fullErrorText());
    }
    buffer_.clear();
    bufferPos_ = 0;
    atEnd_ = false;
    atStart_ = false;
}

bool TextFile::commit() {
    if (!replacement_) return fd_ >= 0;
    const bool committed = replacement_->commit();
    if (!committed) fail(kWriteFailed, replacement_->cause());
    replacement_.reset();
    fd_ = -1;
    return committed;
}

void TextFile::close() {
    if (replacement_) {
        replacement_.reset(); // closes and removes the file that was not committed
        fd_ = -1;
    } else if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    buffer_.clear();
    bufferPos_ = 0;
    atEnd_ = false;
}

void TextFile::clearError() {
    message_.clear();
    cause_.clear();
}

std::string TextFile::fullErrorText() const { return message_ + "\n(" + cause_ + ")"; }

} // namespace lorvan
