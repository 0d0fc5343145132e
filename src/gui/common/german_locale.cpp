#include "gui/common/german_locale.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <clocale>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace lorvan {

namespace {

// Every variable the toolkit and the C library take a locale from.
constexpr const char* kLocaleVariables[] = {"LC_ALL",      "LC_NUMERIC",     "LC_TIME",    "LC_MONETARY",
                                            "LC_MESSAGES", "LC_MEASUREMENT", "LC_COLLATE", "LC_CTYPE",
                                            "LANG",        "LANGUAGE"};

constexpr const char* kGermanLocale = "de_DE.UTF-8";

} // namespace

void prepareGermanLocale() {
    std::vector<std::pair<const char*, std::optional<std::string>>> saved;
    for (const char* name : kLocaleVariables) {
        const char* value = std::getenv(name);
        saved.emplace_back(name, value != nullptr ? std::optional<std::string>(value) : std::nullopt);
    }
    setenv("LC_ALL", kGermanLocale, 1);
    setenv("LANG", kGermanLocale, 1);
    setenv("LANGUAGE", "de", 1);
    // Read now, while the environment says German; the toolkit keeps what it read.
    (void)QLocale::system();
    for (const auto& [name, value] : saved) {
        if (value)
            setenv(name, value->c_str(), 1);
        else
            unsetenv(name);
    }
}

void finishGermanLocale(QCoreApplication& application) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    // The toolkit's own texts (file selection, print and page set-up dialogs) in German.
    auto* toolkitTexts = new QTranslator(&application);
    if (toolkitTexts->load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(toolkitTexts);
    // The application object applied the user's locale to the C library; its numbers stay "C".
    std::setlocale(LC_NUMERIC, "C");
}

} // namespace lorvan
