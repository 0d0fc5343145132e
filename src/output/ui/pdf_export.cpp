#include "output/ui/pdf_export.h"

#include "foundation/file_io.h"

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <cstdio>
#include <stdexcept>

namespace lorvan {

namespace {

QtMessageHandler previousHandler = nullptr;

void dropWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type != QtFatalMsg) return;
    if (previousHandler != nullptr) {
        previousHandler(type, context, message);
    } else {
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    }
}

} // namespace

std::string renderPdf(const DrawDocument& document, const PdfOptions& options) {
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(options.dpi);
        writer.setCreator(QStringLiteral("Lorvan"));
        writer.setTitle(QString::fromStdString(options.title));
        const double margin = options.marginMillimetres;
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                         options.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                         QMarginsF(margin, margin, margin, margin), QPageLayout::Millimeter));
        QPainter painter;
        if (!painter.begin(&writer)) throw std::runtime_error("QPdfWriter cannot be drawn on");
        try {
            QtSurface surface(painter, writer);
            document(surface);
        } catch (...) {
            painter.end();
            throw;
        }
        painter.end();
    }
    return bytes.toStdString();
}

void writePdf(const std::string& path, const DrawDocument& document, const PdfOptions& options) {
    writeFileAtomically(path, renderPdf(document, options));
}

GuiApplicationScope::GuiApplicationScope() {
    if (QCoreApplication::instance() != nullptr) {
        if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
            throw std::logic_error("a QCoreApplication cannot draw text: a QGuiApplication is needed");
        return;
    }
    // Creating it on a machine without a desktop session warns about what such a machine lacks (no
    // XDG_RUNTIME_DIR, for one); the command line has no use for that noise. Fatal messages pass.
    previousHandler = qInstallMessageHandler(dropWarnings);
    application_ = std::make_unique<QGuiApplication>(argc_, argv_);
    qInstallMessageHandler(previousHandler);
    previousHandler = nullptr;
}

GuiApplicationScope::~GuiApplicationScope() = default;

} // namespace lorvan
