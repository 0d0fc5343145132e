#include "gui/common/print_preview.h"

#include "gui/common/qt_platform.h"
#include "output/print_file_name.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace lorvan {

namespace {

struct PrintCancelled {};

// Before each page: shows its number in the box and stops when "Abbrechen" was pressed.
class ProgressSurface final : public QtSurface {
  public:
    ProgressSurface(QPainter& painter, QPrinter& printer, QProgressDialog& box, QString heading)
        : QtSurface(painter, printer), box_(box), heading_(std::move(heading)) {}

    void beginPage() override {
        QApplication::processEvents();
        if (box_.wasCanceled()) throw PrintCancelled{};
        ++page_;
        box_.setLabelText(heading_ + QStringLiteral("\n\nSeite %1").arg(page_));
        QApplication::processEvents();
        QtSurface::beginPage();
    }

  private:
    QProgressDialog& box_;
    QString heading_;
    int page_ = 0;
};

} // namespace

bool printWithProgress(QWidget* parent, QPrinter& printer, const DrawDocument& document,
                       const std::string& title) {
    const QString printerName =
        printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : printer.printerName();
    QProgressDialog box(parent);
    box.setWindowTitle(QStringLiteral("Lorvan"));
    box.setCancelButtonText(QStringLiteral("Abbrechen"));
    box.setRange(0, 0);
    box.setMinimumDuration(0);
    box.setWindowModality(Qt::WindowModal);
    const QString heading = QStringLiteral("Drucke\n%1\nauf\n%2")
                                .arg(toQt(title), printerName.isEmpty() ? QStringLiteral("-") : printerName);
    box.setLabelText(heading);
    box.show();
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    try {
        ProgressSurface surface(painter, printer, box, heading);
        document(surface);
    } catch (const PrintCancelled&) {
        printer.abort();
        painter.end();
        return false;
    } catch (...) {
        printer.abort(); // nothing half-drawn reaches the printer
        painter.end();
        throw;
    }
    return painter.end();
}

namespace {

// Where PDFs go before the user chose a folder: the documents folder, the home folder without one.
std::string defaultPrintFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return fromQt(!documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath());
}

} // namespace

std::unique_ptr<QPrintDialog> createPrintDialog(QWidget* parent, QPrinter& printer, const std::string& title,
                                                const std::string& lastPrintFile) {
    // The toolkit's dialog proposes the printer's output file, which is still the previous report's
    // after a print to a file; without one it makes a name of the document name in the home or
    // current folder (on X11 only). Only a printer that prints to a file anyway gets the new name:
    // an output file name turns a printer into a PDF writer.
    const std::string last = !lastPrintFile.empty() ? lastPrintFile : fromQt(printer.outputFileName());
    const QString proposal = toQt(proposedPrintFile(title, last, defaultPrintFolder()));
    printer.setDocName(toQt(title));
    if (printer.outputFormat() == QPrinter::PdfFormat) printer.setOutputFileName(proposal);
    auto dialog = std::make_unique<QPrintDialog>(&printer, parent);
    // With a printer as the destination the file field waits in the dialog's form: it gets the same
    // proposal, for when the user switches to printing to a file.
    if (auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("filename"))) {
        field->setText(proposal);
        // Wide enough to show the whole path (up to a sensible width; a longer one scrolls).
        const int textWidth =
            field->fontMetrics().horizontalAdvance(proposal) + 4 * field->fontMetrics().averageCharWidth();
        field->setMinimumWidth(std::min(textWidth, 800));
    }
    return dialog;
}

bool runPrintDialog(QWidget* parent, QPrinter& printer, const std::string& title,
                    std::string& lastPrintFile) {
    const std::unique_ptr<QPrintDialog> dialog = createPrintDialog(parent, printer, title, lastPrintFile);
    if (dialog->exec() != QDialog::Accepted) return false;
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        lastPrintFile = fromQt(printer.outputFileName());
    return true;
}

PrintPreviewDialog::PrintPreviewDialog(QWidget* parent, QPrinter& printer, DrawDocument document,
                                       std::string title, std::string* lastPrintFile)
    : QDialog(parent), printer_(printer), document_(std::move(document)), title_(std::move(title)),
      lastPrintFile_(lastPrintFile != nullptr ? lastPrintFile : &ownPrintFile_),
      preview_(new QPrintPreviewWidget(&printer, this)), pageLabel_(new QLabel(this)) {
    setWindowTitle(QStringLiteral("Seitenansicht - ") + toQt(title_));
    auto* bar = new QToolBar(this);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    print_ = bar->addAction(QStringLiteral("&Drucken..."), this, &PrintPreviewDialog::printFromPreview);
    bar->addSeparator();
    next_ = bar->addAction(QStringLiteral("&Nächste"), this, [this] {
        preview_->setCurrentPage(preview_->currentPage() + 1);
        updateState();
    });
    previous_ = bar->addAction(QStringLiteral("&Vorherige"), this, [this] {
        preview_->setCurrentPage(preview_->currentPage() - 1);
        updateState();
    });
    twoPages_ = bar->addAction(QStringLiteral("&Zwei Seiten"), this, [this] {
        if (preview_->viewMode() == QPrintPreviewWidget::SinglePageView) {
            preview_->setViewMode(QPrintPreviewWidget::FacingPagesView);
        } else {
            preview_->setViewMode(QPrintPreviewWidget::SinglePageView);
        }
        preview_->fitInView();
        updateState();
    });
    bar->addSeparator();
    zoomIn_ = bar->addAction(QStringLiteral("Ver&größern"), this, [this] {
        preview_->zoomIn(1.25);
        updateState();
    });
    zoomOut_ = bar->addAction(QStringLiteral("Ver&kleinern"), this, [this] {
        preview_->zoomOut(1.25);
        updateState();
    });
    bar->addSeparator();
    bar->addAction(QStringLiteral("&Schließen"), this, &QDialog::reject);
    bar->addSeparator();
    bar->addWidget(pageLabel_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(preview_, 1);

    preview_->setViewMode(QPrintPreviewWidget::SinglePageView);
    preview_->setZoomMode(QPrintPreviewWidget::FitInView);
    connect(preview_, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter* target) { printDocument(*target, document_); });
    connect(preview_, &QPrintPreviewWidget::previewChanged, this, &PrintPreviewDialog::updateState);
    resize(900, 760);
}

QString PrintPreviewDialog::pageText() const {
    const int count = preview_->pageCount();
    if (count == 0) return QString();
    return QStringLiteral("Seite %1 von %2").arg(preview_->currentPage()).arg(count);
}

void PrintPreviewDialog::updateState() {
    const int count = preview_->pageCount();
    const int current = preview_->currentPage();
    const bool twoPages = preview_->viewMode() != QPrintPreviewWidget::SinglePageView;
    next_->setEnabled(current < count);
    previous_->setEnabled(current > 1);
    twoPages_->setText(twoPages ? QStringLiteral("&Eine Seite") : QStringLiteral("&Zwei Seiten"));
    twoPages_->setEnabled(twoPages || count > 1);
    pageLabel_->setText(pageText());
}

void PrintPreviewDialog::printFromPreview() {
    if (!runPrintDialog(this, printer_, title_, *lastPrintFile_)) return;
    printWithProgress(this, printer_, document_, title_);
    accept();
}

} // namespace lorvan
