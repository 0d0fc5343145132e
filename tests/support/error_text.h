#pragma once

#include "foundation/error.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace lorvan::test {

// What errorOf gives for an action that raises nothing.
inline constexpr const char* kNoError = "(kein Fehler)";

// The German text of the LorvanError that the action raises, or kNoError when it raises none.
inline std::string errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const LorvanError& e) {
        return e.what();
    }
    return kNoError;
}

} // namespace lorvan::test

// Expects the expression to raise a LorvanError with exactly this German text. A mismatch shows the
// text that was raised ("(kein Fehler)" when none was) and the expression; another exception fails
// the test as an unexpected one.
#define EXPECT_THROW_MSG(expression, expectedText)                                                           \
    EXPECT_EQ(::lorvan::test::errorOf([&] { static_cast<void>(expression); }), (expectedText))               \
        << "raised by: " #expression
