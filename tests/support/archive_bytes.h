#pragma once

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>

namespace lorvan::test {

// Builds the bytes of a data file field by field, independently of the archive writer, so that
// fixtures of old file versions can be spelled out in a test: little-endian numbers and strings
// with the one-byte length prefix (texts are given as Windows-1252 bytes, shorter than 255).
class ArchiveBytes {
  public:
    ArchiveBytes& int32(int32_t value) {
        const auto u = static_cast<uint32_t>(value);
        for (int shift = 0; shift < 32; shift += 8)
            bytes_ += static_cast<char>((u >> shift) & 0xFF);
        return *this;
    }
    ArchiveBytes& float64(double value) {
        uint64_t u;
        std::memcpy(&u, &value, 8);
        for (int shift = 0; shift < 64; shift += 8)
            bytes_ += static_cast<char>((u >> shift) & 0xFF);
        return *this;
    }
    ArchiveBytes& string(std::string_view cp1252) {
        if (cp1252.size() >= 0xFF) throw std::length_error("ArchiveBytes::string: text too long");
        bytes_ += static_cast<char>(cp1252.size());
        bytes_ += cp1252;
        return *this;
    }
    ArchiveBytes& raw(std::string_view bytes) {
        bytes_ += bytes;
        return *this;
    }

    const std::string& bytes() const { return bytes_; }
    size_t size() const { return bytes_.size(); }

  private:
    std::string bytes_;
};

} // namespace lorvan::test
