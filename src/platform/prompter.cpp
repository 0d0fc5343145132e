#include "platform/prompter.h"

#include <iostream>
#include <utility>

namespace lorvan {

void FixedAnswerPrompter::show(const std::string& text) const {
    if (!quiet_) std::cerr << text << '\n';
}
void FixedAnswerPrompter::inform(const std::string& text) { show(text); }
void FixedAnswerPrompter::warn(const std::string& text) { show(text); }
void FixedAnswerPrompter::error(const std::string& text) { show(text); }
bool FixedAnswerPrompter::askYesNo(const std::string& text) {
    show(text + (yes_ ? " -> Ja" : " -> Nein"));
    return yes_;
}
Answer FixedAnswerPrompter::askYesNoCancel(const std::string& text) {
    show(text + (yes_ ? " -> Ja" : " -> Nein"));
    return yes_ ? Answer::Yes : Answer::No;
}
bool FixedAnswerPrompter::askOkCancel(const std::string& text) {
    show(text + (yes_ ? " -> OK" : " -> Abbrechen"));
    return yes_;
}

void ProtocolPrompter::keep(const std::string& text) {
    messages_ += text;
    if (text.empty() || text.back() != '\n') messages_ += '\n';
}

void ProtocolPrompter::inform(const std::string& text) {
    keep(text);
    if (alsoShow_) questions_.inform(text);
}

void ProtocolPrompter::warn(const std::string& text) {
    keep(text);
    if (alsoShow_) questions_.warn(text);
}

void ProtocolPrompter::error(const std::string& text) {
    keep(text);
    if (alsoShow_) questions_.error(text);
}

std::string ProtocolPrompter::takeMessages() {
    return std::exchange(messages_, std::string());
}

} // namespace lorvan
