#include "app/web_pages.h"

#include "platform/prompter.h"

namespace lorvan {

bool openWebPage(WebBrowser& browser, Prompter& prompter, const std::string& address) {
    if (browser.open(address)) return true;
    prompter.error("Der Internetbrowser konnte nicht geöffnet werden, um folgende Seite anzuzeigen:\n" +
                   address);
    return false;
}

} // namespace lorvan
