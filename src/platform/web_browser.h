#pragma once

#include <string>

namespace lorvan {

// The desktop's web browser.
class WebBrowser {
  public:
    virtual ~WebBrowser() = default;
    // False when no browser could be started for the address.
    virtual bool open(const std::string& address) = 0;
};

} // namespace lorvan
