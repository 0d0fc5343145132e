#include "gui/common/qt_platform.h"

#include "foundation/io_select.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFontMetrics>
#include <QHeaderView>
#include <QIcon>
#include <QLayout>
#include <QLocale>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QStringList>
#include <QStyle>
#include <QTimer>
#include <QTreeView>
#include <QUrl>

#include <algorithm>
#include <memory>

namespace lorvan {

QString toQt(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string fromQt(const QString& text) {
    return text.toUtf8().toStdString();
}

namespace {

struct ButtonSpec {
    QMessageBox::StandardButton button;
    const char* text;
};

QMessageBox::StandardButton showBox(QWidget* parent, QMessageBox::Icon icon, const std::string& text,
                                    std::initializer_list<ButtonSpec> buttons) {
    QMessageBox box(icon, QStringLiteral("Lorvan"), toQt(text), QMessageBox::NoButton, parent);
    for (const ButtonSpec& buttonSpec : buttons)
        box.addButton(buttonSpec.button)->setText(QString::fromUtf8(buttonSpec.text));
    box.setDefaultButton(buttons.begin()->button);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace

void QtPrompter::inform(const std::string& text) {
    showBox(parent_, QMessageBox::Information, text, {{QMessageBox::Ok, "OK"}});
}

void QtPrompter::warn(const std::string& text) {
    showBox(parent_, QMessageBox::Warning, text, {{QMessageBox::Ok, "OK"}});
}

void QtPrompter::error(const std::string& text) {
    showBox(parent_, QMessageBox::Critical, text, {{QMessageBox::Ok, "OK"}});
}

bool QtPrompter::askYesNo(const std::string& text) {
    return showBox(parent_, QMessageBox::Question, text,
                   {{QMessageBox::Yes, "Ja"}, {QMessageBox::No, "Nein"}}) == QMessageBox::Yes;
}

Answer QtPrompter::askYesNoCancel(const std::string& text) {
    switch (
        showBox(parent_, QMessageBox::Question, text,
                {{QMessageBox::Yes, "Ja"}, {QMessageBox::No, "Nein"}, {QMessageBox::Cancel, "Abbrechen"}})) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

bool QtPrompter::askOkCancel(const std::string& text) {
    return showBox(parent_, QMessageBox::Question, text,
                   {{QMessageBox::Ok, "OK"}, {QMessageBox::Cancel, "Abbrechen"}}) == QMessageBox::Ok;
}

bool QtWebBrowser::open(const std::string& address) {
    return QDesktopServices::openUrl(QUrl(toQt(address), QUrl::StrictMode));
}

std::string QtProgramRunner::start(const std::vector<std::string>& command) {
    if (command.empty()) return "Kein Programm angegeben.";
    // The toolkit's reasons name system calls ("execv: ..."); the user gets plain words.
    const QString program = toQt(command[0]);
    if (QStandardPaths::findExecutable(program).isEmpty() && !QFileInfo(program).isExecutable())
        return "Das Programm " + command[0] + " ist nicht installiert.";
    QStringList arguments;
    for (size_t i = 1; i < command.size(); ++i)
        arguments << toQt(command[i]);
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    if (!process.startDetached()) return "Das Programm " + command[0] + " konnte nicht gestartet werden.";
    return {};
}

namespace {

// The toolkit sizes the columns of its file list for English texts in a narrow font ("128.88 GB");
// the German headers ("Änderungsdatum") and texts ("10.12.25 14:33") need more. Every column but
// the name gets what its header and its rows need, and the dialog grows until all of them fit.
void fitFileColumns(QFileDialog& dialog, QTreeView& view) {
    QHeaderView* header = view.header();
    const QAbstractItemView& rows = view;
    const QLocale system = QLocale::system();
    // Before the rows are there: the widest texts of their kind.
    const QStringList samples = {
        QString(), system.formattedDataSize(1023 * 1024 * 1024 - 1), QString(),
        system.toString(QDateTime(QDate(2000, 12, 28), QTime(23, 58)), QLocale::ShortFormat)};
    const QFontMetrics metrics(view.font());
    const int padding = 2 * view.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view) + 12;
    for (int column = 1; column < header->count(); ++column) {
        int wanted = std::max(header->sectionSizeHint(column), rows.sizeHintForColumn(column));
        if (column < samples.size())
            wanted = std::max(wanted, metrics.horizontalAdvance(samples[column]) + padding);
        if (header->sectionSize(column) < wanted) header->resizeSection(column, wanted);
    }
    int columns = 0;
    for (int column = 0; column < header->count(); ++column)
        if (!header->isSectionHidden(column)) columns += header->sectionSize(column);
    const int needed =
        columns + 2 * view.frameWidth() + view.style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2;
    if (view.width() > 0 && needed > view.width())
        dialog.resize(dialog.width() + needed - view.width(), dialog.height());
}

} // namespace

std::unique_ptr<QFileDialog> createIoSelectDialog(QWidget* parent, const IoSelect& selection) {
    auto dialog = std::make_unique<QFileDialog>(parent, toQt(selection.title()));
    dialog->setOption(QFileDialog::DontUseNativeDialog, true);
    dialog->setLabelText(QFileDialog::Accept, toQt(selection.confirmButtonText()));
    // German labels also where the toolkit's translations are not installed.
    dialog->setLabelText(QFileDialog::LookIn, QStringLiteral("Suchen in:"));
    dialog->setLabelText(QFileDialog::FileName, selection.listsFiles() ? QStringLiteral("Dateiname:")
                                                                       : QStringLiteral("Verzeichnis:"));
    dialog->setLabelText(QFileDialog::FileType, QStringLiteral("Dateityp:"));
    dialog->setLabelText(QFileDialog::Reject, QStringLiteral("Abbrechen"));
    const IoSelect::StartPlace start = selection.startPlace(fromQt(QDir::currentPath()));
    dialog->setDirectory(toQt(start.directory));
    if (!start.fileName.empty()) dialog->selectFile(toQt(start.fileName));
    if (!selection.listsFiles()) {
        dialog->setFileMode(QFileDialog::Directory);
        dialog->setOption(QFileDialog::ShowDirsOnly, true);
    } else {
        dialog->setFileMode(selection.acceptsOnlyExistingFiles() ? QFileDialog::ExistingFile
                                                                 : QFileDialog::AnyFile);
        if (selection.isSaveDialog()) dialog->setAcceptMode(QFileDialog::AcceptSave);
        QStringList filters;
        for (const FileTypeFilter& filter : selection.filters()) {
            QString patterns = toQt(filter.patterns);
            patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
            filters << toQt(filter.label).section(QLatin1Char('('), 0, 0).trimmed() + QStringLiteral(" (") +
                           patterns + QStringLiteral(")");
        }
        dialog->setNameFilters(filters);
        if (!selection.defaultExtension().empty())
            dialog->setDefaultSuffix(toQt(selection.defaultExtension()));
        dialog->setOption(QFileDialog::DontConfirmOverwrite, !selection.asksBeforeOverwriting());
    }
    // The list in its detail form; its columns fit their German texts now and once the rows are read
    // (in the background).
    dialog->setViewMode(QFileDialog::Detail);
    if (auto* view = dialog->findChild<QTreeView*>(QStringLiteral("treeView"))) {
        dialog->layout()->activate();
        fitFileColumns(*dialog, *view);
        QFileDialog* shown = dialog.get();
        if (auto* model = qobject_cast<QFileSystemModel*>(view->model())) {
            // The rows come in the background, and their texts later still: the type of a file
            // ("azr File" instead of "File") arrives after the row. Every change is followed by one
            // fitting, once the events of the moment are handled (the rows of a directory are sorted
            // in after its signal).
            auto* refit = new QTimer(view);
            refit->setSingleShot(true);
            refit->setInterval(0);
            QObject::connect(refit, &QTimer::timeout, view, [shown, view] { fitFileColumns(*shown, *view); });
            const auto later = [refit] { refit->start(); };
            QObject::connect(model, &QFileSystemModel::directoryLoaded, refit, later);
            QObject::connect(model, &QAbstractItemModel::rowsInserted, refit, later);
            QObject::connect(model, &QAbstractItemModel::dataChanged, refit, later);
            QObject::connect(model, &QAbstractItemModel::layoutChanged, refit, later);
        }
    }
    return dialog;
}

std::optional<std::string> runIoSelect(QWidget* parent, const IoSelect& selection) {
    const std::unique_ptr<QFileDialog> dialog = createIoSelectDialog(parent, selection);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return std::nullopt;
    return selection.result(fromQt(dialog->selectedFiles().front()));
}

QIcon programIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        const qreal unit = size / 32.0;
        // The calendar sheet with its blue head.
        painter.setPen(QPen(QColor(40, 70, 120), unit));
        painter.setBrush(Qt::white);
        painter.drawRoundedRect(QRectF(2 * unit, 4 * unit, 28 * unit, 26 * unit), 3 * unit, 3 * unit);
        painter.setBrush(QColor(41, 98, 168));
        painter.drawRoundedRect(QRectF(2 * unit, 4 * unit, 28 * unit, 7 * unit), 3 * unit, 3 * unit);
        // The clock with its hands at a quarter to eight.
        const QPointF centre(16 * unit, 20.5 * unit);
        painter.setBrush(QColor(250, 250, 250));
        painter.drawEllipse(centre, 7.5 * unit, 7.5 * unit);
        painter.setPen(QPen(QColor(40, 40, 40), 1.8 * unit, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(centre, centre + QPointF(-3.5 * unit, -1.5 * unit));
        painter.drawLine(centre, centre + QPointF(0, -5.5 * unit));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace lorvan
