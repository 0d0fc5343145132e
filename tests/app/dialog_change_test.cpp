#include "app/dialog_change.h"

#include "support/scripted_prompter.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace lorvan {
namespace {

TEST(DialogChangeGuard, CloseRequestFollowsFlagAnswerAndChecks) {
    struct Case {
        const char* name;
        bool changed;
        std::optional<Answer> answer; // nothing: no question may be asked
        bool checksPass;
        CloseDecision expected;
        int handlerCalls;
    };
    const Case cases[] = {
        {"untouched closes without question", false, std::nullopt, true, CloseDecision::Discard, 0},
        {"Yes with passing checks takes the data", true, Answer::Yes, true, CloseDecision::Accepted, 1},
        {"Yes with failing checks stays open", true, Answer::Yes, false, CloseDecision::KeepOpen, 1},
        {"No closes without the data", true, Answer::No, true, CloseDecision::Discard, 0},
        {"Cancel stays open", true, Answer::Cancel, true, CloseDecision::KeepOpen, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::ScriptedPrompter prompter;
        if (c.answer) prompter.answer(*c.answer);
        DialogChangeGuard guard;
        if (c.changed) guard.markChanged();
        int handlerCalls = 0;
        const CloseDecision decision = guard.closeRequest(prompter, [&] {
            ++handlerCalls;
            return c.checksPass;
        });
        EXPECT_EQ(decision, c.expected);
        EXPECT_EQ(handlerCalls, c.handlerCalls);
        EXPECT_TRUE(prompter.allAnswered());
        const std::vector<std::string> expectedTexts =
            c.answer
                ? std::vector<
                      std::string>{"Es wurden Daten geändert.\nSollen die Änderungen gespeichert werden?"}
                : std::vector<std::string>{};
        EXPECT_EQ(prompter.texts(), expectedTexts);
        if (c.answer) {
            EXPECT_EQ(prompter.log().front().kind, "yesnocancel");
        }
    }
}

TEST(DialogChangeGuard, ClearedFlagNoLongerAsks) {
    test::ScriptedPrompter prompter;
    DialogChangeGuard guard;
    guard.markChanged();
    EXPECT_TRUE(guard.changed());
    guard.clearChanged();
    EXPECT_FALSE(guard.changed());
    EXPECT_EQ(guard.closeRequest(prompter, [] { return false; }), CloseDecision::Discard);
    EXPECT_TRUE(prompter.log().empty());
}

} // namespace
} // namespace lorvan
