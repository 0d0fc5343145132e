#pragma once

#include "gui/common/german_locale.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <QApplication>

#include <cstdlib>
#include <memory>
#include <string>

// What the window tests of this program share: one application object on the offscreen platform
// for the whole run, German as in the program whatever the machine's locale, and a demo data
// directory made once by the command line.
namespace lorvan::test {

class GuiEnvironment final : public ::testing::Environment {
  public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "gui_tests";
        static char* argv[] = {name, nullptr};
        application_ = makeGermanApplication<QApplication>(argc, argv);
    }
    void TearDown() override {
        demo_.reset();
        application_.reset();
    }

    // "<dir>/data/" with the demo of 15 June 2026; made at the first call.
    static std::string demoDataDirectory() {
        if (!demo_) {
            demo_ = std::make_unique<TempDir>();
            const std::string command = std::string(LORVAN_CLI) + " --today 15.06.2026 demo " +
                                        demo_->path().string() + "/data > /dev/null";
            if (std::system(command.c_str()) != 0) ADD_FAILURE() << "the demo data could not be made";
        }
        return demo_->path().string() + "/data/";
    }

  private:
    static inline std::unique_ptr<TempDir> demo_;
    std::unique_ptr<QApplication> application_;
};

inline ::testing::Environment* const kGuiEnvironment =
    ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

inline std::string demoDataDirectory() {
    return GuiEnvironment::demoDataDirectory();
}

} // namespace lorvan::test
