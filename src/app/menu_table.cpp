#include "app/menu_table.h"

#include <utility>

namespace lorvan {

namespace {

using C = MenuCommand;

MenuItem item(const char* text, C command, const char* shortcut = "") {
    return MenuItem{text, shortcut, command, {}};
}

MenuItem separator() {
    return MenuItem{};
}

MenuItem submenu(const char* text, std::vector<MenuItem> children) {
    return MenuItem{text, "", C::None, std::move(children)};
}

// Print, preview and export of one report.
MenuItem reportMenu(const char* text, C print, C preview, C exportCommand) {
    return submenu(text, {item("&Druck...", print), item("&Seitenansicht...", preview),
                          item("&Export nach Excel...", exportCommand)});
}

MenuItem fileMenu(MenuBarKind kind) {
    const bool withDocument = kind != MenuBarKind::NoDocument;
    const bool daySheet = kind == MenuBarKind::DayView;
    std::vector<MenuItem> entries{item("&Neu", C::New, "Strg+N"), item("Ö&ffnen...", C::Open, "Strg+O")};
    if (withDocument) {
        entries.push_back(item("&Schließen", C::Close));
        entries.push_back(item("S&peichern", C::Save, "Strg+S"));
        entries.push_back(separator());
        entries.push_back(item(daySheet ? "&Drucken - Tageszettel..." : "&Drucken...", C::Print, "Strg+P"));
        entries.push_back(item(daySheet ? "Sei&tenansicht - Tageszettel..." : "Sei&tenansicht...", C::PrintPreview));
    } else {
        entries.push_back(separator());
    }
    entries.push_back(item("Drucker&einrichtung...", C::PrintSetup));
    entries.push_back(separator());
    entries.push_back(item("&Mitarbeiter verwalten...", C::Employees));
    entries.push_back(item("&Kunden verwalten...", C::Customers));
    entries.push_back(item("Dienst&leistungen verwalten...", C::Services));
    entries.push_back(item("Fahrtenb&uch...", C::Logbook));
    entries.push_back(separator());
    entries.push_back(item("Letzte Datei", C::RecentFiles));
    entries.push_back(separator());
    entries.push_back(item("&Beenden", C::Exit));
    return submenu("&Datei", std::move(entries));
}

MenuItem editMenu(bool withDocument) {
    std::vector<MenuItem> entries{
        item("&Rückgängig", C::Undo, "Strg+Z"), separator(), item("&Ausschneiden", C::Cut, "Strg+X"),
        item("&Kopieren", C::Copy, "Strg+C"), item("E&infügen", C::Paste, "Strg+V")};
    if (withDocument) {
        entries.push_back(separator());
        entries.push_back(item("Aktuell ausgewählten &Eintrag öffnen...", C::OpenEntry));
        entries.push_back(item("Aktuell ausgewählten Eintrag &löschen", C::DeleteEntry));
    }
    return submenu("&Bearbeiten", std::move(entries));
}

MenuItem viewMenu() {
    return submenu("&Ansicht",
                   {item("&Symbolleiste", C::ToggleToolbar), item("S&tatusleiste", C::ToggleStatusBar)});
}

MenuItem firmMenu() {
    return submenu("Fir&menverarbeitungen",
                   {item("&Kundenabfrage...", C::CustomerQuery), item("&Schnellerfassung...", C::QuickEntry),
                    item("Daten&import...", C::DataImport), item("&Mitarbeiterimport...", C::EmployeeImport),
                    separator(), item("Monats&abschluss...", C::MonthClosing)});
}

MenuItem evaluationsMenu(bool employeeFile) {
    return submenu(
        "Aus&wertungen",
        {item(employeeFile ? "Genommener &Urlaub des Jahres..." : "Genommener &Urlaub...", C::VacationTaken),
         item(employeeFile ? "&Krankheitstage des Jahres..." : "&Krankheitstage...", C::SickDays),
         separator(),
         reportMenu("&Fehlzeiten drucken", C::AbsencesPrint, C::AbsencesPreview, C::AbsencesExport),
         reportMenu("&Tageszettel drucken", C::DaySheetPrint, C::DaySheetPreview, C::DaySheetExport),
         reportMenu("&Monatsauswertung drucken", C::MonthReportPrint, C::MonthReportPreview,
                    C::MonthReportExport),
         submenu("&Jahresauswertung drucken",
                 {item("&Druck Kurzübersicht...", C::YearSummaryPrint),
                  item("&Seitenansicht Kurzübersicht...", C::YearSummaryPreview),
                  item("&Export nach Excel Kurzübersicht...", C::YearSummaryExport), separator(),
                  item("Druck &monatliche Arbeitszeiten...", C::YearGridPrint),
                  item("Seitenansicht monatliche &Arbeitszeiten...", C::YearGridPreview),
                  item("E&xport nach Excel monatliche Arbeitszeiten...", C::YearGridExport)}),
         separator(), item("&Wochenauswertung...", C::WeekEvaluation), separator(),
         submenu("&Arbeitszeitkonto",
                 {item("&Bearbeiten...", C::AccountEdit), separator(), item("&Druck...", C::AccountPrint),
                  item("&Seitenansicht...", C::AccountPreview),
                  item("&Export nach Excel...", C::AccountExport)})});
}

MenuItem extrasMenu(MenuBarKind kind) {
    std::vector<MenuItem> entries{item("Allgemeine &Einstellungen...", C::GeneralSettings)};
    if (kind == MenuBarKind::YearFile || kind == MenuBarKind::DayView)
        entries.push_back(item("Einstellungen der aktuellen &Datei...", C::FileSettings));
    if (kind == MenuBarKind::EmployeeFile)
        entries.push_back(item("Einstellungen &des Mitarbeiters...", C::EmployeeSettings));
    return submenu("E&xtras", std::move(entries));
}

MenuItem windowMenu() {
    return submenu("&Fenster", {item("Über&lappend", C::Cascade), item("&Nebeneinander", C::Tile),
                                item("&Symbole anordnen", C::ArrangeIcons)});
}

MenuItem helpMenu() {
    return submenu("&?", {item("In&halt...", C::HelpContents), item("&Suchen...", C::HelpSearch),
                          item("Inde&x...", C::HelpIndex), separator(), item("&Neuigkeiten...", C::News),
                          separator(), item("&Info über Lorvan...", C::About)});
}

const MenuItem* find(const MenuItem& menu, MenuCommand command) {
    if (menu.command == command && command != C::None) return &menu;
    for (const MenuItem& child : menu.children)
        if (const MenuItem* found = find(child, command)) return found;
    return nullptr;
}

} // namespace

std::vector<MenuItem> menuBar(MenuBarKind kind) {
    const bool withDocument = kind != MenuBarKind::NoDocument;
    std::vector<MenuItem> bar{fileMenu(kind), editMenu(withDocument), viewMenu(), firmMenu()};
    if (withDocument) bar.push_back(evaluationsMenu(kind == MenuBarKind::EmployeeFile));
    bar.push_back(extrasMenu(kind));
    bar.push_back(windowMenu());
    bar.push_back(helpMenu());
    return bar;
}

std::vector<MenuCommand> toolbarCommands() {
    return {C::New,   C::Open, C::Save,  C::None, C::Cut,  C::Copy,
            C::Paste, C::None, C::Print, C::None, C::About};
}

std::string portableShortcut(const std::string& germanShortcut) {
    static const std::pair<const char*, const char*> kKeys[] = {
        {"Strg", "Ctrl"}, {"Umschalt", "Shift"}, {"Entf", "Del"}, {"Einfg", "Ins"}};
    std::string result;
    size_t start = 0;
    while (start <= germanShortcut.size()) {
        size_t end = germanShortcut.find('+', start);
        if (end == std::string::npos) end = germanShortcut.size();
        std::string key = germanShortcut.substr(start, end - start);
        for (const auto& [german, portable] : kKeys)
            if (key == german) key = portable;
        if (!result.empty()) result += '+';
        result += key;
        start = end + 1;
    }
    return result;
}

std::vector<FurtherKey> furtherKeys() {
    return {{"Alt+Backspace", C::Undo},
            {"Shift+Entf", C::Cut},
            {"Strg+Einfg", C::Copy},
            {"Shift+Einfg", C::Paste}};
}

const MenuItem* findMenuItem(const std::vector<MenuItem>& bar, MenuCommand command) {
    for (const MenuItem& menu : bar)
        if (const MenuItem* found = find(menu, command)) return found;
    return nullptr;
}

std::optional<ReportCommand> reportCommand(MenuCommand command, ActiveView view) {
    if (view != ActiveView::YearView && view != ActiveView::MonthView && view != ActiveView::DayView)
        return std::nullopt;
    using S = ReportSubject;
    using A = ReportAction;
    static const std::pair<MenuCommand, ReportCommand> kReports[] = {
        {C::AbsencesPrint, {S::Absences, A::Print}},
        {C::AbsencesPreview, {S::Absences, A::Preview}},
        {C::AbsencesExport, {S::Absences, A::Export}},
        {C::MonthReportPrint, {S::MonthReport, A::Print}},
        {C::MonthReportPreview, {S::MonthReport, A::Preview}},
        {C::MonthReportExport, {S::MonthReport, A::Export}},
        {C::YearSummaryPrint, {S::YearEvaluation, A::Print}},
        {C::YearSummaryPreview, {S::YearEvaluation, A::Preview}},
        {C::YearSummaryExport, {S::YearEvaluation, A::Export}},
        {C::YearGridPrint, {S::WorkingTimeGrid, A::Print}},
        {C::YearGridPreview, {S::WorkingTimeGrid, A::Preview}},
        {C::YearGridExport, {S::WorkingTimeGrid, A::Export}},
        {C::AccountPrint, {S::Account, A::Print}},
        {C::AccountPreview, {S::Account, A::Preview}},
        {C::AccountExport, {S::Account, A::Export}},
    };
    const S own = view == ActiveView::MonthView ? S::MonthReport : S::YearEvaluation;
    const bool ofAMonth = view == ActiveView::MonthView || view == ActiveView::DayView;
    std::optional<ReportCommand> found;
    if (view != ActiveView::DayView) {
        if (command == C::Print) found = ReportCommand{own, A::Print};
        if (command == C::PrintPreview) found = ReportCommand{own, A::Preview};
    }
    for (const auto& [menuCommand, report] : kReports)
        if (menuCommand == command) found = report;
    if (found && found->subject == S::MonthReport && !ofAMonth) return std::nullopt;
    return found;
}

} // namespace lorvan
