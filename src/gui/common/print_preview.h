#pragma once

#include "output/ui/qt_surface.h"

#include <QDialog>

#include <string>

class QAction;
class QLabel;
class QPrinter;
class QPrintPreviewWidget;

namespace lorvan {

// Prints the pages of a document on a printer that has been set up (print dialog done) while a
// box "Drucke" ... "auf" ... with "Abbrechen" shows the page being printed. Cancelling stops after
// the current page and discards the print job. True when every page was printed.
bool printWithProgress(QWidget* parent, QPrinter& printer, const DrawDocument& document,
                       const std::string& title);

// The print preview of a report: the pages on the printer's paper with a bar "&Drucken...",
// "&Nächste", "&Vorherige", the one/two pages switch, "Ver&größern", "Ver&kleinern" and
// "&Schließen".
class PrintPreviewDialog final : public QDialog {
    Q_OBJECT
  public:
    PrintPreviewDialog(QWidget* parent, QPrinter& printer, DrawDocument document, std::string title);

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
