#pragma once

#include "platform/prompter.h"

#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

namespace lorvan::test {

// Answers questions from a queue and records every text, so tests assert the exact wording.
class ScriptedPrompter final : public Prompter {
public:
    struct Entry {
        std::string kind; // "inform", "warn", "error", "yesno", "yesnocancel", "okcancel"
        std::string text;
    };

    void answer(Answer a) { answers_.push_back(a); }
    void answerYes() { answer(Answer::Yes); }
    void answerNo() { answer(Answer::No); }
    void answerCancel() { answer(Answer::Cancel); }

    const std::vector<Entry>& log() const { return log_; }
    std::vector<std::string> texts() const {
        std::vector<std::string> t;
        for (const auto& e : log_) t.push_back(e.text);
        return t;
    }
    bool allAnswered() const { return answers_.empty(); }

    void inform(const std::string& text) override { log_.push_back({"inform", text}); }
    void warn(const std::string& text) override { log_.push_back({"warn", text}); }
    void error(const std::string& text) override { log_.push_back({"error", text}); }
    bool askYesNo(const std::string& text) override {
        log_.push_back({"yesno", text});
        return next() == Answer::Yes;
    }
    Answer askYesNoCancel(const std::string& text) override {
        log_.push_back({"yesnocancel", text});
        return next();
    }
    bool askOkCancel(const std::string& text) override {
        log_.push_back({"okcancel", text});
        return next() == Answer::Yes;
    }

private:
    Answer next() {
        if (answers_.empty()) throw std::logic_error("unexpected question: " + log_.back().text);
        const Answer a = answers_.front();
        answers_.pop_front();
        return a;
    }
    std::deque<Answer> answers_;
    std::vector<Entry> log_;
};

} // namespace lorvan::test
