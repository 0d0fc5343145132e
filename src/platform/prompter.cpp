#include "platform/prompter.h"

#include <iostream>

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

} // namespace lorvan
