#pragma once

#include <functional>
#include <memory>
#include <string>

namespace lorvan {

class AtomicFileWriter;

// The question asked when the disk is full; true means "try again". The callers wire it to
// Prompter::askYesNo; without one a full disk fails at once.
using RetryQuestion = std::function<bool(const std::string& question)>;

// A line file: import files, protocols, delimited exports and INI files. Text in memory is UTF-8;
// on disk it is Windows-1252 (characters it cannot hold are written as "?"), or UTF-8 once
// setUtf8() was called. Lines are written with CR LF and read with CR LF or LF, without the line
// end. Every failure leaves a two-part German text: the message and its cause.
class TextFile {
public:
    enum class Mode {
        Read,    // reading
        Create,  // create and write; an existing file is truncated
        Write,   // write without truncating (created when missing); seekToEnd() appends
        Replace, // write a new file beside the target; commit() puts it in place of the target, so
                 // a failure or a crash never leaves the target half written (AtomicFileWriter:
                 // a link is followed and its target replaced)
    };

    explicit TextFile(std::string fileName, bool noQuestions = false, RetryQuestion askRetry = {});
    virtual ~TextFile();
    TextFile(const TextFile&) = delete;
    TextFile& operator=(const TextFile&) = delete;

    // On success the error texts stay as they were.
    bool open(Mode mode);
    // Raises fullErrorText() when the file cannot be opened.
    void openOrThrow(Mode mode);

    // The next line without its line end; false at the end of the file. Raises fullErrorText()
    // when reading fails.
    bool readLine(std::string& line);

    // Writes the text as it is (callers end lines with "\n", which goes to disk as CR LF) and hands
    // it to the system at once. A full disk asks whether to try again (unless no questions are
    // allowed); false when the write finally failed.
    bool tryWriteLine(const std::string& text);
    // As tryWriteLine, but raises fullErrorText() instead of returning false.
    void writeLine(const std::string& text);

    // Positions at the end of the file so that further lines are appended.
    void seekToEnd();

    // Mode::Replace: flushes the new file to disk and renames it over the target. False (with
    // the write failure texts) when that fails; the target then stays as it was.
    bool commit();

    // Closes the file; a Mode::Replace file that was not committed is thrown away.
    virtual void close();
    virtual void clearError();

    // Message + "\n(" + cause + ")".
    std::string fullErrorText() const;
    const std::string& messageText() const { return message_; }
    const std::string& causeText() const { return cause_; }

    const std::string& fileName() const { return fileName_; }
    bool isOpen() const { return fd_ >= 0; }
    void setUtf8(bool on = true) { utf8_ = on; }

    // The question of a full disk for a file name.
    static std::string diskFullQuestion(const std::string& fileName);

private:
    void fail(const char* messageFormat, int errorNumber);
    void fail(const char* messageFormat, const std::string& cause);
    bool fillBuffer();

    std::string fileName_;
    std::string message_;
    std::string cause_;
    int fd_ = -1;
    bool utf8_ = false;
    bool noQuestions_;
    RetryQuestion askRetry_;

    // Reading: bytes read ahead and the position of the next line in them.
    std::string buffer_;
    size_t bufferPos_ = 0;
    bool atEnd_ = false;
    bool atStart_ = true;

    // Mode::Replace: the new file until commit(); fd_ is its descriptor.
    std::unique_ptr<AtomicFileWriter> replacement_;
};

} // namespace lorvan
