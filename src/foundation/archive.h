#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

// The byte encoding of every data file: little-endian numbers, length-prefixed Windows-1252
// strings and element counts, written in one sequential pass and read back in the same order.
namespace lorvan {

class ArchiveWriter {
public:
    ArchiveWriter() { buffer_.reserve(4096); }

    void writeInt32(int32_t value) { appendRaw(&value, 4); }
    void writeUInt32(uint32_t value) { appendRaw(&value, 4); }
    void writeUInt16(uint16_t value) { appendRaw(&value, 2); }
    void writeUInt8(uint8_t value) { buffer_.push_back(static_cast<char>(value)); }
    void writeFloat64(double value) { appendRaw(&value, 8); }
    void writeBool(bool value) { writeInt32(value ? 1 : 0); }
    // A UTF-8 text in Windows-1252; a text that Windows-1252 cannot hold is written in the UTF-16
    // form, so that no character is lost.
    void writeString(std::string_view text);
    void writeCount(size_t count) { writeInt32(static_cast<int32_t>(count)); }

    const std::string& bytes() const { return buffer_; }
    std::string takeBytes() { return std::move(buffer_); }

private:
    void appendRaw(const void* data, size_t n) { buffer_.append(static_cast<const char*>(data), n); }
    void writeLength(uint64_t n);

    std::string buffer_;
};

// Where a reader gets the next bytes of a file it decodes while reading.
class ArchiveSource {
public:
    // Up to size bytes into `into`; 0 at the end of the file. Raises LorvanError on a read error.
    virtual size_t read(char* into, size_t size) = 0;

protected:
    ~ArchiveSource() = default;
};

class ArchiveReader {
public:
    // Reads from the bytes of one file; fileName appears in the end-of-file message.
    // The reader keeps a view of the bytes, which must outlive it.
    ArchiveReader(std::string_view data, std::string fileName)
        : data_(data), fileSize_(data.size()), fileName_(std::move(fileName)) {}
    ArchiveReader(std::string&& data, std::string fileName) = delete;
    // Reads a file of fileSize bytes from source while decoding it, one block at a time: the whole
    // file is never in memory. A file that ends before fileSize fails with the end-of-file error.
    ArchiveReader(ArchiveSource& source, uint64_t fileSize, std::string fileName)
        : source_(&source), fileSize_(fileSize), fileName_(std::move(fileName)) {}

    // The numbers are read here in the header: a year file holds tens of thousands of them, and a
    // call into another translation unit for each would cost more than the reading itself.
    int32_t readInt32() { return readRaw<int32_t>(); }
    uint32_t readUInt32() { return readRaw<uint32_t>(); }
    uint16_t readUInt16() { return readRaw<uint16_t>(); }
    uint8_t readUInt8() { return readRaw<uint8_t>(); }
    double readFloat64() { return readRaw<double>(); }
    // Yes/no field: every non-zero value means yes.
    bool readBool() { return readInt32() != 0; }
    std::string readString();
    // The stored bytes of a string without decoding them: Windows-1252 bytes, or with utf16 set its
    // UTF-16 code units, two little-endian bytes each. The view points into the reader's bytes
    // (when reading from a source: valid until the next read).
    std::string_view readStringBytes(bool& utf16) {
        need(1);
        const auto first = static_cast<uint8_t>(data_[pos_]);
        if (first != 0xFF) {
            ++pos_;
            need(first);
            const std::string_view bytes(data_.data() + pos_, first);
            pos_ += first;
            utf16 = false;
            return bytes;
        }
        return readLongStringBytes(utf16);
    }
    // Passes over n bytes of numbers that are not needed.
    void skip(size_t n) {
        need(n);
        pos_ += n;
    }
    // Passes over a string.
    void skipString() {
        bool utf16 = false;
        readStringBytes(utf16);
    }
    // A collection count; below 1 means empty. Each element takes at least minElementBytes, so a
    // count that cannot fit into the rest of the file fails at once with the end-of-file error.
    int32_t readCount(size_t minElementBytes);

    // The bytes of the file not yet read.
    uint64_t remaining() const { return fileSize_ - consumed_ - pos_; }
    const std::string& fileName() const { return fileName_; }

private:
    // Makes n bytes readable at pos_; the end-of-file error when the file holds fewer.
    void need(uint64_t n) {
        if (n > data_.size() - pos_) [[unlikely]]
            refill(n);
    }
    void refill(uint64_t n);
    [[noreturn]] void failAtEnd() const;
    template <typename T> T readRaw() {
        need(sizeof(T));
        T v;
        std::memcpy(&v, data_.data() + pos_, sizeof(T));
        pos_ += sizeof(T);
        return v;
    }
    uint64_t readLength(bool allowUtf16, bool& utf16);
    std::string_view readLongStringBytes(bool& utf16);

    std::string_view data_; // the bytes at hand: the whole file, or the block read last
    size_t pos_ = 0;
    ArchiveSource* source_ = nullptr;
    std::string block_;       // the bytes read from source_
    uint64_t consumed_ = 0;   // bytes of the file before data_
    uint64_t fileSize_ = 0;
    std::string fileName_;
};

} // namespace lorvan
