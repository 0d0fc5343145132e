#include "foundation/archive.h"

#include "foundation/error.h"
#include "foundation/text_encoding.h"

#include <algorithm>

namespace lorvan {

void ArchiveWriter::writeLength(uint64_t n) {
    if (n < 0xFF) {
        writeUInt8(static_cast<uint8_t>(n));
    } else if (n < 0xFFFE) {
        writeUInt8(0xFF);
        writeUInt16(static_cast<uint16_t>(n));
    } else {
        writeUInt8(0xFF);
        writeUInt16(0xFFFF);
        writeUInt32(static_cast<uint32_t>(n));
    }
}

void ArchiveWriter::writeString(std::string_view text) {
    if (auto bytes = utf8ToCp1252(text)) {
        writeLength(bytes->size());
        buffer_.append(*bytes);
        return;
    }
    const std::u16string units = utf8ToUtf16(text);
    writeUInt8(0xFF);
    writeUInt16(0xFFFE);
    writeLength(units.size());
    for (char16_t u : units) writeUInt16(static_cast<uint16_t>(u));
}

void ArchiveReader::failAtEnd() const {
    throw EndOfFileError(fileName_);
}

void ArchiveReader::refill(uint64_t n) {
    // Blocks of 16 KB: small beside what a loaded file takes in memory, few reads for a year file.
    constexpr size_t kBlockSize = 16384;
    if (source_ == nullptr || n > remaining()) failAtEnd();
    const size_t unread = data_.size() - pos_;
    const size_t want = std::max(static_cast<size_t>(n), kBlockSize);
    // The unread bytes (data_ points into the block) move to its front before it may grow, the
    // rest is read behind them.
    if (unread > 0) std::memmove(block_.data(), data_.data() + pos_, unread);
    consumed_ += pos_;
    pos_ = 0;
    if (block_.size() < want) block_.resize(want);
    size_t have = unread;
    while (have < n) {
        const size_t got = source_->read(block_.data() + have, block_.size() - have);
        if (got == 0) break;
        have += got;
    }
    data_ = std::string_view(block_.data(), have);
    if (have < n) failAtEnd();
}

uint64_t ArchiveReader::readLength(bool allowUtf16, bool& utf16) {
    const uint8_t b = readUInt8();
    if (b != 0xFF) return b;
    const uint16_t w = readUInt16();
    if (w == 0xFFFF) return readUInt32();
    if (w == 0xFFFE && allowUtf16) {
        utf16 = true;
        bool inner = false;
        return readLength(false, inner);
    }
    return w;
}

std::string ArchiveReader::readString() {
    // Nearly every string of a file is shorter than 255 bytes: its length is the first byte.
    need(1);
    const auto first = static_cast<uint8_t>(data_[pos_]);
    if (first != 0xFF) {
        ++pos_;
        if (first == 0) return std::string(); // many fields are left empty
        need(first);
        const std::string_view bytes = data_.substr(pos_, first);
        pos_ += first;
        return cp1252ToUtf8(bytes);
    }
    bool utf16 = false;
    const uint64_t n = readLength(true, utf16);
    if (utf16) {
        need(n * 2);
        std::u16string units(static_cast<size_t>(n), u'\0');
        for (auto& u : units) u = static_cast<char16_t>(readUInt16());
        return utf16ToUtf8(units);
    }
    need(n);
    std::string_view bytes = data_.substr(pos_, static_cast<size_t>(n));
    pos_ += static_cast<size_t>(n);
    return cp1252ToUtf8(bytes);
}

std::string_view ArchiveReader::readLongStringBytes(bool& utf16) {
    utf16 = false;
    const uint64_t n = readLength(true, utf16);
    const uint64_t size = utf16 ? n * 2 : n;
    need(size);
    const std::string_view bytes = data_.substr(pos_, static_cast<size_t>(size));
    pos_ += static_cast<size_t>(size);
    return bytes;
}

int32_t ArchiveReader::readCount(size_t minElementBytes) {
    const int32_t n = readInt32();
    if (n < 1) return 0;
    if (static_cast<uint64_t>(n) * (minElementBytes == 0 ? 1 : minElementBytes) > remaining()) failAtEnd();
    return n;
}

} // namespace lorvan
