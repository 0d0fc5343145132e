#pragma once

// PLACEHOLDER: the settings record is being written; only the members below are fixed so far.
#include <cstdint>
#include <string>

namespace lorvan {

class ArchiveReader;
class ArchiveWriter;

class CEinst {
public:
    virtual ~CEinst() = default;
    std::string name;
    int32_t year = 0;
};

class CEinstArbzt : public CEinst {
public:
    int32_t wagesAsCostsInCustomerQuery = 0;
    void store(ArchiveWriter& ar) const;
    void load(ArchiveReader& ar, int32_t version);
};

} // namespace lorvan
