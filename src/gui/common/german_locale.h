#pragma once

#include <memory>
#include <utility>

class QCoreApplication;

// The desktop program speaks German whatever the machine's locale is: the toolkit's own dialogs
// (dates and month names of the file selection, the print dialog's texts) as much as the program's
// windows. The C library keeps writing numbers in the "C" form that format() and the data files rely
// on ("1.5", never "1,5"), and programs started from here (the spreadsheet program, the browser) get
// the user's own environment.
namespace lorvan {

// Before the application object: the toolkit's system locale becomes German. The toolkit reads it
// from the environment once, at its first use; the environment is the user's again afterwards.
void prepareGermanLocale();
// Once the application object exists (it hands the environment's locale to the C library): the
// default locale German, the toolkit's German translations, numbers of the C library in "C" form.
void finishGermanLocale(QCoreApplication& application);

// The application object of the desktop program (and of its window tests) with that locale.
template <typename Application, typename... Arguments>
std::unique_ptr<Application> makeGermanApplication(Arguments&&... arguments) {
    prepareGermanLocale();
    auto application = std::make_unique<Application>(std::forward<Arguments>(arguments)...);
    finishGermanLocale(*application);
    return application;
}

} // namespace lorvan
