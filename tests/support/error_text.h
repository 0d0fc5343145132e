#pragma once

#include "foundation/error.h"

#include <functional>
#include <string>

namespace lorvan::test {

// The German text of the LorvanError that the action raises, or "(kein Fehler)" when it raises none.
inline std::string errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const LorvanError& e) {
        return e.what();
    }
    return "(kein Fehler)";
}

} // namespace lorvan::test
