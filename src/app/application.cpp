#include "app/application.h"

namespace lorvan {

CLorvanApp::CLorvanApp(UserStore& store, Prompter& prompter)
    : store_(store), prompter_(prompter), recentFiles_(store) {}

void CLorvanApp::setDataDirectory(std::string directory) {
    dataDirectory_ = std::move(directory);
    employees_.setDataDirectory(dataDirectory_);
    customers_.setDataDirectory(dataDirectory_);
    services_.setDataDirectory(dataDirectory_);
}

bool CLorvanApp::loadSettings(const std::string& directory, bool atStartUp) {
    return lorvan::loadSettings(settings_, directory, atStartUp, store_);
}

bool CLorvanApp::saveSettings() {
    return lorvan::saveSettings(settings_, dataDirectory_, prompter_);
}

void CLorvanApp::advanceMonthClosing(const std::string& text) {
    if (lorvan::advanceMonthClosing(settings_, text)) saveSettings();
}

WorkAreaPlan CLorvanApp::openWorkArea(int32_t view, bool createWhenMissing) const {
    return planWorkArea(view, createWhenMissing, dataDirectory_);
}

WorkAreaPlan CLorvanApp::planCommand(WorkAreaCommand command) const {
    return lorvan::planCommand(command, dataDirectory_, processing_.running());
}

} // namespace lorvan
