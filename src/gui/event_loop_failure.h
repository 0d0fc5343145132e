#pragma once

#include <exception>
#include <functional>

namespace lorvan {

class Prompter;

// What an error that reached the event loop does: the open documents are closed without questions,
// then "Interner Fehler: " and the error text (at most 1000 characters) is shown. False for a
// failure that is no std::exception: "Interner Fehler" is shown and the program must end.
bool reportEventLoopFailure(std::exception_ptr failure, Prompter& prompter,
                            const std::function<void()>& closeDocuments);

} // namespace lorvan
