#pragma once

#include "output/ui/qt_surface.h"

#include <QDialog>

#include <memory>
#include <string>

class QAction;
class QLabel;
class QPrintDialog;
class QPrinter;
class QPrintPreviewWidget;

namespace lorvan {

// Prints the pages of a document on a printer that has been set up (print dialog done) while a
// box "Drucke" ... "auf" ... with "Abbrechen" shows the page being printed. Cancelling stops after
// the current page and discards the print job. True when every page was printed.
bool printWithProgress(QWidget* parent, QPrinter& printer, const DrawDocument& document,
                       const std::string& title);

// The print dialog for the report with that title. Printing to a file proposes the report's own
// file name (printFileName) in the folder of lastPrintFile, the last PDF printed (the documents
// folder before the first); the destination stays what the user chose last, a printer or a file.
std::unique_ptr<QPrintDialog> createPrintDialog(QWidget* parent, QPrinter& printer, const std::string& title,
                                                const std::string& lastPrintFile);
// Runs that dialog; a report printed to a file becomes lastPrintFile. True when accepted.
bool runPrintDialog(QWidget* parent, QPrinter& printer, const std::string& title, std::string& lastPrintFile);

// The print preview of a report: the pages on the printer's paper with a bar "&Drucken...",
// "&Nächste", "&Vorherige", the one/two pages switch, "Ver&größern", "Ver&kleinern" and
// "&Schließen".
class PrintPreviewDialog final : public QDialog {
    Q_OBJECT
  public:
    // lastPrintFile: the last PDF printed, shared with the other print dialogs of the program (see
    // runPrintDialog); the dialog keeps its own when nullptr.
    PrintPreviewDialog(QWidget* parent, QPrinter& printer, DrawDocument document, std::string title,
                       std::string* lastPrintFile = nullptr);

    QPrintPreviewWidget* preview() const { return preview_; }
    QAction* printAction() const { return print_; }
    QAction* nextAction() const { return next_; }
    QAction* previousAction() const { return previous_; }
    QAction* twoPagesAction() const { return twoPages_; }
    QAction* zoomInAction() const { return zoomIn_; }
    QAction* zoomOutAction() const { return zoomOut_; }
    // "Seite 1 von 2"
    QString pageText() const;

  private:
    void updateState();
    void printFromPreview();

    QPrinter& printer_;
    DrawDocument document_;
    std::string title_;
    std::string ownPrintFile_;
    std::string* lastPrintFile_;
    QPrintPreviewWidget* preview_;
    QLabel* pageLabel_;
    QAction* print_;
    QAction* next_;
    QAction* previous_;
    QAction* twoPages_;
    QAction* zoomIn_;
    QAction* zoomOut_;
};

} // namespace lorvan
