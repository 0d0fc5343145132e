#pragma once

#include "platform/web_browser.h"

#include <string>

namespace lorvan {

class Prompter;

// The product's web site; the pages on it are named after the program.
inline constexpr const char* kNewsPageAddress = "https://www.lorvan.example/lorvan.htm";
// The declaration of the logbook's conformity for the tax office.
inline constexpr const char* kLogbookDeclarationAddress = "https://www.lorvan.example/lorvan/fb_finanzamt.pdf";

// Shows the address in the browser; when that fails, says so with the address. True when shown.
bool openWebPage(WebBrowser& browser, Prompter& prompter, const std::string& address);

} // namespace lorvan
