#pragma once

#include <string>

namespace lorvan {

enum class Answer { Yes, No, Cancel };

// Message boxes and questions with their exact German texts. The desktop shows them in dialogs;
// the command line answers them from its options; tests answer them from a script.
class Prompter {
public:
    virtual ~Prompter() = default;
    virtual void inform(const std::string& text) = 0;
    virtual void warn(const std::string& text) = 0;
    virtual void error(const std::string& text) = 0;
    virtual bool askYesNo(const std::string& text) = 0;
    virtual Answer askYesNoCancel(const std::string& text) = 0;
    virtual bool askOkCancel(const std::string& text) = 0;
};

// Answers every question the same way and writes every text to a stream (the command line).
class FixedAnswerPrompter final : public Prompter {
public:
    explicit FixedAnswerPrompter(bool answerYes, bool quiet = false) : yes_(answerYes), quiet_(quiet) {}
    void inform(const std::string& text) override;
    void warn(const std::string& text) override;
    void error(const std::string& text) override;
    bool askYesNo(const std::string& text) override;
    Answer askYesNoCancel(const std::string& text) override;
    bool askOkCancel(const std::string& text) override;

private:
    void show(const std::string& text) const;
    bool yes_;
    bool quiet_;
};

// Passes the questions on to another prompter and keeps every message, each ending in "\n", for a
// protocol: the saves inside a batch (an import, a year file created from a template) tell their
// failures in the batch's protocol. With alsoShow the messages are shown as well.
class ProtocolPrompter final : public Prompter {
public:
    explicit ProtocolPrompter(Prompter& questions, bool alsoShow = false)
        : questions_(questions), alsoShow_(alsoShow) {}
    void inform(const std::string& text) override;
    void warn(const std::string& text) override;
    void error(const std::string& text) override;
    bool askYesNo(const std::string& text) override { return questions_.askYesNo(text); }
    Answer askYesNoCancel(const std::string& text) override { return questions_.askYesNoCancel(text); }
    bool askOkCancel(const std::string& text) override { return questions_.askOkCancel(text); }
    const std::string& messages() const { return messages_; }
    // The messages since the last call.
    std::string takeMessages();

private:
    void keep(const std::string& text);
    Prompter& questions_;
    bool alsoShow_;
    std::string messages_;
};

} // namespace lorvan
