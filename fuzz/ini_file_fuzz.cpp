// Reads arbitrary bytes as an INI file ("Lorvan.ini"): every input must be read without a crash, and
// once a section has been written (which normalises lone line breaks in values to CR LF), writing
// and reading it again must change nothing.
#include "foundation/ini_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The file lies in TMPDIR (scripts/fuzz sets a memory file system there: the saves sync).
    const char* folder = std::getenv("TMPDIR");
    std::string name = std::string(folder != nullptr ? folder : "/tmp") + "/lorvan-ini-fuzz-XXXXXX";
    const int fd = mkstemp(name.data());
    if (fd < 0) return 0;
    if (size > 0 && write(fd, data, size) != static_cast<ssize_t>(size)) {
        close(fd);
        unlink(name.c_str());
        return 0;
    }
    close(fd);
    lorvan::IniFile ini(name);
    lorvan::IniSection entries;
    lorvan::IniSection written;
    if (ini.readSection("Settings", entries) && ini.writeSection("Settings", entries) &&
        ini.readSection("Settings", written) && ini.writeSection("Settings", written)) {
        lorvan::IniSection again;
        if (!ini.readSection("Settings", again) || again != written) __builtin_trap();
    }
    unlink(name.c_str());
    return 0;
}
