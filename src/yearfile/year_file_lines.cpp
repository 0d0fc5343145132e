#include "yearfile/year_file_lines.h"

#include "foundation/archive.h"
#include "foundation/error.h"
#include "foundation/text_encoding.h"
#include "yearfile/year_file.h"

#include <array>
#include <cstring>

namespace lorvan {
namespace {

void requireRange(ArchiveReader& ar, int32_t value, int32_t low, int32_t high) {
    if (value < low || value > high) throw EndOfFileError(ar.fileName());
}

// A stored text is plain ASCII when no byte is from 0x80 up. The texts of time lines are short: they
// are looked at in words of eight or four bytes, the last word overlapping the one before.
bool isAscii(std::string_view bytes) {
    const char* p = bytes.data();
    const size_t n = bytes.size();
    if (n >= 8) {
        uint64_t high = 0;
        uint64_t word = 0;
        for (size_t i = 0; i + 8 <= n; i += 8) {
            std::memcpy(&word, p + i, 8);
            high |= word;
        }
        std::memcpy(&word, p + n - 8, 8);
        return ((high | word) & 0x8080808080808080ULL) == 0;
    }
    if (n >= 4) {
        uint32_t first = 0;
        uint32_t last = 0;
        std::memcpy(&first, p, 4);
        std::memcpy(&last, p + n - 4, 4);
        return ((first | last) & 0x80808080U) == 0;
    }
    unsigned high = 0;
    for (size_t i = 0; i < n; ++i)
        high |= static_cast<unsigned char>(p[i]);
    return (high & 0x80U) == 0;
}

// Where each day's lines lie in the file-order list: [begin, end), or begin < 0 for no record.
struct DayRange {
    int32_t begin = -1;
    int32_t end = -1;
};

} // namespace

std::string_view YearFileLines::decodedText(std::string_view bytes, bool utf16) {
    if (!utf16) return texts_.emplace_back(cp1252ToUtf8(bytes));
    std::u16string units(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < units.size(); ++i) {
        uint16_t unit = 0;
        std::memcpy(&unit, bytes.data() + 2 * i, 2);
        units[i] = static_cast<char16_t>(unit);
    }
    return texts_.emplace_back(utf16ToUtf8(units));
}

void YearFileLines::clear() {
    settings_ = CEinstArbzt();
    lines_.clear();
    sortedLines_.clear();
    reordered_ = false;
    texts_.clear();
}

void YearFileLines::read(std::string_view bytes, const std::string& fileName) {
    clear();
    try {
        ArchiveReader ar(bytes, fileName);
        const int32_t version = ar.readInt32();
        if (version > CLorvanDoc::kCurrentVersion) throw NewerVersionError();
        if (version < 1) throw EndOfFileError(ar.fileName());
        settings_.load(ar, version);

        // A line's pause (4 bytes), from version 5 its three fixed marks (4 each), from version 16
        // its three calculation fields (8 each).
        const size_t afterRemark = 4 + (version >= 5 ? 12 : 0) + (version >= 16 ? 24 : 0);
        std::array<std::array<DayRange, 32>, 13> ranges{};
        int32_t lastKey = 0; // month * 32 + day of the last day read; a smaller or equal key needs sorting
        // A stored text in UTF-8: the bytes themselves when they are plain ASCII (nearly always).
        const auto text = [this](std::string_view raw, bool utf16) {
            return !utf16 && isAscii(raw) ? raw : decodedText(raw, utf16);
        };
        const int32_t months = ar.readCount(CMonatDoc::minimumBytes(version));
        for (int32_t i = 0; i < months; ++i) {
            const int32_t month = ar.readInt32();
            requireRange(ar, month, 1, 12);
            // A later record of the month replaces the earlier one with all its days.
            for (DayRange& range : ranges[static_cast<size_t>(month)])
                if (range.begin >= 0) {
                    range = DayRange();
                    reordered_ = true;
                }
            if (version >= 8) {
                ar.readFloat64();
                ar.readInt32();
                ar.readFloat64();
            }
            if (version >= 10)
                for (int n = version >= 29 ? 6 : 5; n > 0; --n)
                    ar.readFloat64();
            if (version >= 11) ar.skipString();
            if (version >= 34) ar.readFloat64();
            const int32_t days = ar.readCount(CTagDoc::minimumBytes(version));
            for (int32_t j = 0; j < days; ++j) {
                const int32_t day = ar.readInt32();
                requireRange(ar, day, 1, 31);
                ar.skipString(); // further employees
                ar.readInt32();  // day kind
                ar.skipString(); // report remark
                if (version >= 39) ar.skipString();
                if (version >= 2) ar.readInt32();
                if (version >= 3) ar.readInt32();
                if (version >= 40) ar.readInt32();
                const int32_t count = ar.readCount(CZeitZeile::minimumBytes(version));
                DayRange& range = ranges[static_cast<size_t>(month)][static_cast<size_t>(day)];
                if (range.begin >= 0 || month * 32 + day <= lastKey) reordered_ = true;
                lastKey = month * 32 + day;
                range.begin = static_cast<int32_t>(lines_.size());
                for (int32_t k = 0; k < count; ++k) {
                    TimeLineFields& line = lines_.emplace_back();
                    line.month = month;
                    line.day = day;
                    bool utf16 = false;
                    std::string_view raw = ar.readStringBytes(utf16);
                    line.kind = text(raw, utf16);
                    if (version < 5) line.kind = texts_.emplace_back(kindFromOldCode(std::string(line.kind)));
                    raw = ar.readStringBytes(utf16);
                    line.customer = text(raw, utf16);
                    raw = ar.readStringBytes(utf16);
                    line.from = text(raw, utf16);
                    raw = ar.readStringBytes(utf16);
                    line.to = text(raw, utf16);
                    line.duration = ar.readInt32();
                    ar.skipString();      // remark
                    ar.skip(afterRemark); // pause, the fixed marks, the calculation fields
                    if (version >= 27) {
                        raw = ar.readStringBytes(utf16);
                        line.service = text(raw, utf16);
                        line.costKind = ar.readInt32();
                        line.costAmount = ar.readFloat64();
                    }
                    if (version >= 31) {
                        ar.skipString(); // vehicle
                        ar.skip(16);     // odometer, kilometres
                    }
                }
                range.end = static_cast<int32_t>(lines_.size());
            }
        }
        if (reordered_) {
            for (const auto& month : ranges)
                for (const DayRange& range : month)
                    if (range.begin >= 0)
                        sortedLines_.insert(sortedLines_.end(), lines_.begin() + range.begin,
                                              lines_.begin() + range.end);
        }
    } catch (...) {
        clear();
        throw;
    }
}

} // namespace lorvan
