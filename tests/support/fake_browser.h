#pragma once

#include "app/web_pages.h"

#include <string>
#include <vector>

namespace lorvan::test {

// A web browser that records the addresses it was asked to open and works or fails as told.
class FakeBrowser final : public WebBrowser {
  public:
    explicit FakeBrowser(bool works) : works_(works) {}
    bool open(const std::string& address) override {
        opened.push_back(address);
        return works_;
    }
    std::vector<std::string> opened;

  private:
    bool works_;
};

} // namespace lorvan::test
