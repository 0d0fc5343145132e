#pragma once

#include "app/application.h"
#include "platform/user_store.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

#include <fstream>
#include <sstream>
#include <string>

namespace lorvan::test {

// A data directory and a per-user store in temporary folders, a scripted prompter and the
// application core on them.
struct AppFixture {
    TempDir data;
    TempDir home;
    IniUserStore store{home.file("config/TwApps/Lorvan.conf")};
    ScriptedPrompter prompter;
    CLorvanApp app{store, prompter};

    std::string dataDirectory() const { return data.path().string() + "/"; }
};

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace lorvan::test
