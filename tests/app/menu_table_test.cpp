#include "app/menu_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lorvan {
namespace {

std::vector<std::string> texts(const std::vector<MenuItem>& items) {
    std::vector<std::string> result;
    for (const MenuItem& item : items)
        if (!item.isSeparator()) result.push_back(item.text);
    return result;
}

const MenuItem& menuNamed(const std::vector<MenuItem>& bar, const std::string& text) {
    for (const MenuItem& menu : bar)
        if (menu.text == text) return menu;
    throw std::runtime_error("no menu " + text);
}

TEST(MenuTable, BarsHaveTheirMenusInOrder) {
    EXPECT_EQ(texts(menuBar(MenuBarKind::YearFile)),
              (std::vector<std::string>{"&Datei", "&Bearbeiten", "&Ansicht", "Fir&menverarbeitungen",
                                        "Aus&wertungen", "E&xtras", "&Fenster", "&?"}));
    EXPECT_EQ(texts(menuBar(MenuBarKind::DayView)), texts(menuBar(MenuBarKind::YearFile)));
    EXPECT_EQ(texts(menuBar(MenuBarKind::NoDocument)),
              (std::vector<std::string>{"&Datei", "&Bearbeiten", "&Ansicht", "Fir&menverarbeitungen",
                                        "E&xtras", "&Fenster", "&?"}));
}

TEST(MenuTable, YearFileBarHasEveryEntryWithItsShortcut) {
    struct Case {
        MenuCommand command;
        const char* text;
        const char* shortcut;
    };
    const Case cases[] = {
        {MenuCommand::New, "&Neu", "Strg+N"},
        {MenuCommand::Open, "Ö&ffnen...", "Strg+O"},
        {MenuCommand::Close, "&Schließen", ""},
        {MenuCommand::Save, "S&peichern", "Strg+S"},
        {MenuCommand::Print, "&Drucken...", "Strg+P"},
        {MenuCommand::PrintPreview, "Sei&tenansicht...", ""},
        {MenuCommand::PrintSetup, "Drucker&einrichtung...", ""},
        {MenuCommand::Employees, "&Mitarbeiter verwalten...", ""},
        {MenuCommand::Customers, "&Kunden verwalten...", ""},
        {MenuCommand::Services, "Dienst&leistungen verwalten...", ""},
        {MenuCommand::Logbook, "Fahrtenb&uch...", ""},
        {MenuCommand::RecentFiles, "Letzte Datei", ""},
        {MenuCommand::Exit, "&Beenden", ""},
        {MenuCommand::Undo, "&Rückgängig", "Strg+Z"},
        {MenuCommand::Cut, "&Ausschneiden", "Strg+X"},
        {MenuCommand::Copy, "&Kopieren", "Strg+C"},
        {MenuCommand::Paste, "E&infügen", "Strg+V"},
        {MenuCommand::OpenEntry, "Aktuell ausgewählten &Eintrag öffnen...", ""},
        {MenuCommand::DeleteEntry, "Aktuell ausgewählten Eintrag &löschen", ""},
        {MenuCommand::ToggleToolbar, "&Symbolleiste", ""},
        {MenuCommand::ToggleStatusBar, "S&tatusleiste", ""},
        {MenuCommand::CustomerQuery, "&Kundenabfrage...", ""},
        {MenuCommand::QuickEntry, "&Schnellerfassung...", ""},
        {MenuCommand::DataImport, "Daten&import...", ""},
        {MenuCommand::EmployeeImport, "&Mitarbeiterimport...", ""},
        {MenuCommand::MonthClosing, "Monats&abschluss...", ""},
        {MenuCommand::VacationTaken, "Genommener &Urlaub...", ""},
        {MenuCommand::SickDays, "&Krankheitstage...", ""},
        {MenuCommand::YearSummaryPrint, "&Druck Kurzübersicht...", ""},
        {MenuCommand::YearSummaryPreview, "&Seitenansicht Kurzübersicht...", ""},
        {MenuCommand::YearSummaryExport, "&Export nach Excel Kurzübersicht...", ""},
        {MenuCommand::YearGridPrint, "Druck &monatliche Arbeitszeiten...", ""},
        {MenuCommand::YearGridPreview, "Seitenansicht monatliche &Arbeitszeiten...", ""},
        {MenuCommand::YearGridExport, "E&xport nach Excel monatliche Arbeitszeiten...", ""},
        {MenuCommand::WeekEvaluation, "&Wochenauswertung...", ""},
        {MenuCommand::AccountEdit, "&Bearbeiten...", ""},
        {MenuCommand::GeneralSettings, "Allgemeine &Einstellungen...", ""},
        {MenuCommand::FileSettings, "Einstellungen der aktuellen &Datei...", ""},
        {MenuCommand::Cascade, "Über&lappend", ""},
        {MenuCommand::Tile, "&Nebeneinander", ""},
        {MenuCommand::ArrangeIcons, "&Symbole anordnen", ""},
        {MenuCommand::HelpContents, "In&halt...", ""},
        {MenuCommand::HelpSearch, "&Suchen...", ""},
        {MenuCommand::HelpIndex, "Inde&x...", ""},
        {MenuCommand::News, "&Neuigkeiten...", ""},
        {MenuCommand::About, "&Info über Lorvan...", ""},
    };
    const std::vector<MenuItem> bar = menuBar(MenuBarKind::YearFile);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const MenuItem* item = findMenuItem(bar, c.command);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->text, c.text);
        EXPECT_EQ(item->shortcut, c.shortcut);
    }
}

TEST(MenuTable, TheDayViewPrintsTheDaySheet) {
    const std::vector<MenuItem> bar = menuBar(MenuBarKind::DayView);
    const MenuItem* print = findMenuItem(bar, MenuCommand::Print);
    const MenuItem* preview = findMenuItem(bar, MenuCommand::PrintPreview);
    ASSERT_NE(print, nullptr);
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(print->text, "&Drucken - Tageszettel...");
    EXPECT_EQ(print->shortcut, "Strg+P");
    EXPECT_EQ(preview->text, "Sei&tenansicht - Tageszettel...");
    EXPECT_NE(findMenuItem(bar, MenuCommand::FileSettings), nullptr);
}

TEST(MenuTable, ReportSubmenusOfTheEvaluations) {
    const std::vector<MenuItem> bar = menuBar(MenuBarKind::YearFile);
    const MenuItem& evaluations = menuNamed(bar, "Aus&wertungen");
    for (const char* report : {"&Fehlzeiten drucken", "&Tageszettel drucken", "&Monatsauswertung drucken"}) {
        SCOPED_TRACE(report);
        EXPECT_EQ(texts(menuNamed(evaluations.children, report).children),
                  (std::vector<std::string>{"&Druck...", "&Seitenansicht...", "&Export nach Excel..."}));
    }
    EXPECT_EQ(texts(menuNamed(evaluations.children, "&Arbeitszeitkonto").children),
              (std::vector<std::string>{"&Bearbeiten...", "&Druck...", "&Seitenansicht...",
                                        "&Export nach Excel..."}));
}

TEST(MenuTable, BarWithoutDocumentLeavesOutTheDocumentCommands) {
    const std::vector<MenuItem> bar = menuBar(MenuBarKind::NoDocument);
    EXPECT_EQ(
        texts(menuNamed(bar, "&Datei").children),
        (std::vector<std::string>{"&Neu", "Ö&ffnen...", "Drucker&einrichtung...", "&Mitarbeiter verwalten...",
                                  "&Kunden verwalten...", "Dienst&leistungen verwalten...", "Fahrtenb&uch...",
                                  "Letzte Datei", "&Beenden"}));
    EXPECT_EQ(texts(menuNamed(bar, "E&xtras").children),
              (std::vector<std::string>{"Allgemeine &Einstellungen..."}));
    for (MenuCommand command :
         {MenuCommand::Save, MenuCommand::Print, MenuCommand::OpenEntry, MenuCommand::MonthReportPrint})
        EXPECT_EQ(findMenuItem(bar, command), nullptr);
}

TEST(MenuTable, EmployeeBarDiffersInThreeTexts) {
    const std::vector<MenuItem> bar = menuBar(MenuBarKind::EmployeeFile);
    EXPECT_EQ(findMenuItem(bar, MenuCommand::VacationTaken)->text, "Genommener &Urlaub des Jahres...");
    EXPECT_EQ(findMenuItem(bar, MenuCommand::SickDays)->text, "&Krankheitstage des Jahres...");
    EXPECT_EQ(findMenuItem(bar, MenuCommand::EmployeeSettings)->text, "Einstellungen &des Mitarbeiters...");
    EXPECT_EQ(findMenuItem(bar, MenuCommand::FileSettings), nullptr);
}

TEST(MenuTable, ShortcutsInPortableForm) {
    const std::pair<const char*, const char*> cases[] = {
        {"Strg+N", "Ctrl+N"},
        {"Shift+Entf", "Shift+Del"},
        {"Strg+Einfg", "Ctrl+Ins"},
        {"Alt+Backspace", "Alt+Backspace"},
        {"Umschalt+Einfg", "Shift+Ins"},
        {"", ""},
    };
    for (const auto& [german, portable] : cases)
        EXPECT_EQ(portableShortcut(german), portable) << german;
}

TEST(MenuTable, ReportCommandsNeedTheirView) {
    using S = ReportSubject;
    using A = ReportAction;
    struct Case {
        MenuCommand command;
        ActiveView view;
        std::optional<ReportCommand> expected;
    };
    const Case cases[] = {
        {MenuCommand::Print, ActiveView::YearView, ReportCommand{S::YearEvaluation, A::Print}},
        {MenuCommand::Print, ActiveView::MonthView, ReportCommand{S::MonthReport, A::Print}},
        {MenuCommand::PrintPreview, ActiveView::MonthView, ReportCommand{S::MonthReport, A::Preview}},
        {MenuCommand::Print, ActiveView::None, std::nullopt},
        {MenuCommand::AccountPreview, ActiveView::Other, std::nullopt},
        {MenuCommand::MonthReportExport, ActiveView::YearView, std::nullopt},
        {MenuCommand::MonthReportExport, ActiveView::MonthView, ReportCommand{S::MonthReport, A::Export}},
        {MenuCommand::AccountPreview, ActiveView::MonthView, ReportCommand{S::Account, A::Preview}},
        {MenuCommand::YearGridExport, ActiveView::YearView, ReportCommand{S::WorkingTimeGrid, A::Export}},
        {MenuCommand::AbsencesPrint, ActiveView::YearView, ReportCommand{S::Absences, A::Print}},
        {MenuCommand::YearSummaryPreview, ActiveView::YearView, ReportCommand{S::YearEvaluation, A::Preview}},
        {MenuCommand::DaySheetPrint, ActiveView::MonthView, std::nullopt},
        // The day entry window: the reports of its month and year, but not as its own print.
        {MenuCommand::MonthReportPreview, ActiveView::DayView, ReportCommand{S::MonthReport, A::Preview}},
        {MenuCommand::YearSummaryExport, ActiveView::DayView, ReportCommand{S::YearEvaluation, A::Export}},
        {MenuCommand::Print, ActiveView::DayView, std::nullopt},
        {MenuCommand::PrintPreview, ActiveView::DayView, std::nullopt},
        {MenuCommand::Open, ActiveView::YearView, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.command));
        EXPECT_EQ(reportCommand(c.command, c.view), c.expected);
    }
}

} // namespace
} // namespace lorvan
