#include "platform/user_store.h"
#include "cli/commands.h"
#include "cli/data_directory.h"
#include "foundation/calendar.h"
#include "foundation/error.h"
#include "foundation/time_text.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage =
    "Aufruf: lorvan-cli [--data VERZ] [--today \"TT.MM.JJJJ[ hh:mm]\"] [--yes|--no] [--protocol DATEI] BEFEHL ...\n"
    "Befehle:\n"
    "  show DATEI           Datendatei als JSON ausgeben\n"
    "  write DATEI < JSON   Datendatei aus JSON schreiben (aktuelle Version)\n"
    "  demo VERZ            Demo-Datenverzeichnis anlegen\n"
    "  demo VERZ --employees N [--years J]   Demo-Firma mit N Mitarbeitern (1-10000) und J Jahren (1-30)\n"
    "  holidays JAHR [LAND] Feiertage des Jahres (ohne Land: die bundesweiten)\n"
    "  month DATEI MONAT --json|--text   Monatsauswertung einer Jahresdatei\n"
    "  account DATEI --json|--text [--correct MONAT STUNDEN [--comment TEXT]]\n"
    "                                    Arbeitszeitkonto einer Jahresdatei (mit Korrektur eines Monats)\n"
    "  year DATEI --json|--text          Jahresauswertung, Urlaub und Krankheitstage einer Jahresdatei\n"
    "  month DATEI MONAT --pdf|--xlsx AUS          Monatsauswertung als PDF oder Arbeitsmappe\n"
    "  year DATEI --pdf|--xlsx AUS [--report year|account|grid|absences]  Bericht der Jahresansicht\n"
    "  day-sheet DATEI TT.MM.JJJJ [--form entry|view] [--json|--pdf AUS|--xlsx AUS]   Tageszettel eines Tages\n"
    "  weekly-proof DATEI (--week N | --from TT.MM.JJJJ --to TT.MM.JJJJ) [--json|--pdf AUS|--xlsx AUS]\n"
    "                    Stundennachweis einer Kalenderwoche oder eines Zeitraums\n"
    "  employees list [--all] [--json]     Mitarbeiter des Datenverzeichnisses (ohne --all nur aktive)\n"
    "  employees add < JSON                Mitarbeiter anlegen (ohne Nummer: die vorgeschlagene)\n"
    "  employees edit NR < JSON            Mitarbeiter ändern (nur die angegebenen Felder)\n"
    "  employees delete NR                 Mitarbeiter mit seinen Jahresdateien löschen\n"
    "  employees files NR                  Jahresdateien des Mitarbeiters (mit ARCHIV)\n"
    "  employees create-year-file NR JAHR [--template NAME] [--account X] [--remaining-vacation X]\n"
    "                    [--entitlement X] [--report-existing]   Jahresdatei aus Vorlage anlegen\n"
    "  customers list [--json] | search TEXT | add < JSON | edit NR < JSON | delete NR   Kunden (Daten.kd)\n"
    "  services list [--json] | search TEXT | add < JSON | edit NAME < JSON | delete NAME   Dienstleistungen (Daten.dl)\n"
    "  months add|delete DATEI MONAT       Monat einer Jahresdatei anlegen oder löschen\n"
    "  quick-entry [--from TT.MM.JJJJ] [--to TT.MM.JJJJ] --employee NR [--employee NR ...] < TAG.JSON\n"
    "                    Schnellerfassung eines Tages für mehrere Mitarbeiter und Tage\n"
    "  line check DATEI TT.MM.JJJJ [--first|--not-first] < ZEILE.JSON   Zeitzeile wie im Dialog\n"
    "                    'Arbeitszeit eingeben' vervollständigen und prüfen (schreibt nichts)\n"
    "  days add|delete DATEI TT.MM.JJJJ            Tag anlegen oder löschen\n"
    "  days show DATEI TT.MM.JJJJ [--json|--text]  Tag mit Auswertung und Prüfung\n"
    "  days set DATEI TT.MM.JJJJ [--fill-until TT.MM.JJJJ] < JSON   Tag speichern (wie im Tagesfenster)\n"
    "  settings check|set DATEI < JSON     Einstellungen der Datei prüfen bzw. prüfen und speichern\n"
    "                    (eine fehlende DATEI wird neu angelegt)\n"
    "  settings copy-from DATEI QUELLE     Einstellungen aus einer anderen Jahresdatei vorbesetzen\n"
    "  import times|absences DATEI [--layout standard|column|clock] [--skip-first-line]\n"
    "                    [--keep-existing] [--log-all] [--json]   Arbeitszeiten oder Fehlzeiten importieren\n"
    "  import employees DATEI --year JJJJ [--skip-first-line] [--log-all] [--only-new] [--json]\n"
    "                    Mitarbeiter importieren und ihre Jahresdateien anlegen\n"
    "                    (Protokoll auf der Standardfehlerausgabe und in --protocol DATEI)\n"
    "  query [--period all|year|last-year|month|last-month|own] [--from TT.MM.JJJJ] [--to TT.MM.JJJJ]\n"
    "                    [--employees all|NR,...] [--customers all|TEXT,...] [--services all|TEXT,...]\n"
    "                    [--services-at-customer 0|1] [--levels customer,service,day,employee,from-to]\n"
    "                    [--sums 1,1,0,...] [--costs|--no-costs] [--page-break 0|1|2] [--save-settings]\n"
    "                    [--json|--text|--pdf AUS|--xlsx AUS]   Kundenabfrage über alle Jahresdateien\n"
    "  query --list customers|services [--json]   Kunden oder Dienstleistungen zur Auswahl\n"
    "  Monatsabschluss, Auswahl jeweils: [--month MM.JJJJ | --period last|current] [--employee NR ...]\n"
    "                    [--department TEXT ...] [--include-inactive]\n"
    "  closing accounts|costs [--json|--text|--pdf AUS|--xlsx AUS]   Liste Arbeitszeitkonto / Mitarbeiterkosten\n"
    "  closing print --pdf AUS             Monatsauswertungen aller ausgewählten Mitarbeiter\n"
    "  booking export --consultant NR --client NR [--date MM/JJJJ] --out DATEI [--calendar DATEI]\n"
    "                    [--year-end]      Buchungsexport (schließt den Monat ab; Protokoll in --protocol)\n"
    "  absences export --out DATEI [--all-days]   Export der fehlenden Zeiten\n"
    "  potential analyse|times --from WW/JJJJ --to WW/JJJJ [--pze DATEI] [--machine DATEI]\n"
    "                    [--misconduct DATEI] [--xlsx AUS|--csv AUS] [--employee NR ...] [--department TEXT ...]\n"
    "                    [--include-inactive]   Wöchentliche Potentialanalyse / Arbeitszeiten je Wochentag\n"
    "  logbook vehicles [--json] | add-vehicle < JSON      Fahrzeuge (Daten.fz)\n"
    "  logbook create KENNZ JAHR | show KENNZ JAHR [--json]   Fahrtenbuch anlegen bzw. anzeigen\n"
    "  logbook add-trip KENNZ JAHR < JSON | edit-trip KENNZ JAHR N < JSON\n"
    "                    Fahrt erfassen bzw. ändern (Prüfungen wie im Dialog 'Fahrtenbuch-Eintrag')\n"
    "  logbook delete-trip|cancel-trip KENNZ JAHR N   Fahrt löschen (nur am ersten Tag) bzw. stornieren\n"
    "  logbook print KENNZ JAHR [--from TT.MM.JJJJ] [--to TT.MM.JJJJ] [--json|--pdf AUS]   Fahrtenbuch drucken\n"

    "  trips propose DATEI TT.MM.JJJJ [--json]   vorgeschlagene Fahrten eines Tages je Fahrzeug\n"
    "  trips transfer DATEI TT.MM.JJJJ KENNZ   Fahrten des Fahrzeugs ins Fahrtenbuch übernehmen\n"
    "  presets list [--json] | set [--kind ART --street STR --place ORT --purpose ZWECK] [< JSON]\n"
    "                    | delete ART      Vorbesetzungen des Fahrtenassistenten\n";

int usage(const std::string& problem) {
    if (!problem.empty()) std::cerr << problem << '\n';
    std::cerr << kUsage;
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    using namespace lorvan;
    cli::Options options;
    std::vector<std::string> rest;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        // The value that follows an option, or nullptr when the option comes last.
        auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        if (!rest.empty()) {
            rest.push_back(arg);
        } else if (arg == "--data") {
            const char* v = value();
            if (!v) return usage("--data braucht ein Verzeichnis.");
            options.dataDirectory = v;
        } else if (arg == "--today") {
            const char* v = value();
            if (!v) return usage("--today braucht ein Datum.");
            // "TT.MM.JJJJ" with an optional time of day "hh:mm" after a blank.
            const std::string text = v;
            const size_t blank = text.find(' ');
            const ParsedDate d = parseDate(text.substr(0, blank));
            if (!d.valid || d.day == 0 || d.month == 0)
                return usage(std::string("Falsches Datumsformat: ") + v);
            options.today = Datum{d.day, d.month, d.year};
            if (blank != std::string::npos) {
                std::string time = text.substr(blank + 1);
                if (!normalizeTime(time, false, true) || time.empty() || parseClock(time) >= 24 * 60)
                    return usage(std::string("Falsches Uhrzeitformat: ") + v);
                options.todayMinutes = parseClock(time);
            }
        } else if (arg == "--yes") {
            options.answerYes = true;
        } else if (arg == "--no") {
            options.answerYes = false;
        } else if (arg == "--protocol") {
            const char* v = value();
            if (!v) return usage("--protocol braucht einen Dateinamen.");
            options.protocolFile = v;
        } else if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        } else if (arg.rfind("--", 0) == 0) {
            return usage("Unbekannte Option: " + arg);
        } else {
            rest.push_back(arg);
        }
    }
    if (rest.empty()) return usage("");
    const std::string command = rest.front();
    const std::vector<std::string> args(rest.begin() + 1, rest.end());
    try {
        // The data directory: --data, else the one the desktop program works on.
        IniUserStore store(IniUserStore::defaultPathOfProcess());
        cli::prepareDataDirectory(options, store);
        if (command == "show") return cli::runShow(options, args, std::cout);
        if (command == "write") return cli::runWrite(options, args, std::cin, std::cout);
        if (command == "demo") return cli::runDemo(options, args, std::cout);
        if (command == "holidays") return cli::runHolidays(options, args, std::cout);
        if (command == "month") return cli::runMonth(options, args, std::cout);
        if (command == "account") return cli::runAccount(options, args, std::cout);
        if (command == "year") return cli::runYear(options, args, std::cout);
        if (command == "day-sheet") return cli::runDaySheet(options, args, std::cout);
        if (command == "weekly-proof") return cli::runWeeklyProof(options, args, std::cout);
        if (command == "employees") return cli::runEmployees(options, args, std::cin, std::cout);
        if (command == "customers") return cli::runCustomers(options, args, std::cin, std::cout);
        if (command == "services") return cli::runServices(options, args, std::cin, std::cout);
        if (command == "months") return cli::runMonths(options, args, std::cout);
        if (command == "quick-entry") return cli::runQuickEntry(options, args, std::cin, std::cout);
        if (command == "line") return cli::runLine(options, args, std::cin, std::cout);
        if (command == "days") return cli::runDays(options, args, std::cin, std::cout);
        if (command == "settings") return cli::runSettings(options, args, std::cin, std::cout, std::cerr);
        if (command == "query") return cli::runQuery(options, args, std::cout);
        if (command == "import") return cli::runImport(options, args, std::cin, std::cout, std::cerr);
        if (command == "closing") return cli::runClosing(options, args, std::cout, std::cerr);
        if (command == "booking") return cli::runBooking(options, args, std::cout, std::cerr);
        if (command == "absences") return cli::runAbsences(options, args, std::cout, std::cerr);
        if (command == "logbook") return cli::runLogbook(options, args, std::cin, std::cout);
        if (command == "potential") return cli::runPotential(options, args, std::cout, std::cerr);
        // The logbook print on a logbook given as JSON, for tests (not in the usage text).
        if (command == "logbook-print-input") return cli::runLogbookPrintInput(options, args, std::cout);
        if (command == "trips") return cli::runTrips(options, args, std::cout);
        if (command == "presets") return cli::runPresets(options, args, std::cin, std::cout);
        return usage("Unbekannter Befehl: " + command);
    } catch (const LorvanError& e) {
        std::cerr << e.what() << '\n';
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "Interner Fehler: " << e.what() << '\n';
        return 1;
    }
}
