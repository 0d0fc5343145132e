#include "entry/ui/file_view_windows.h"

#include "app/help_topics.h"
#include "app/open_year_file.h"
#include "entry/day_management.h"
#include "entry/file_views.h"
#include "gui/common/qt_platform.h"
#include "gui/common/view_parts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

namespace lorvan {

QIcon statusIcon(int32_t category) {
    // One colour and one mark per category, so the kinds stay apart without colour too.
    struct Look {
        QColor color;
        const char* mark;
    };
    static const Look kLooks[] = {
        {QColor(46, 139, 87), "✓"},   // 0 a working day with times
        {QColor(230, 126, 34), "!"},  // 1 incomplete
        {QColor(192, 57, 43), "F"},   // 2 public holiday
        {QColor(41, 128, 185), "U"},  // 3 vacation
        {QColor(93, 173, 226), "½"},  // 4 half vacation day
        {QColor(142, 68, 173), "K"},  // 5 sick
        {QColor(22, 160, 133), "Z"},  // 6 time off
        {QColor(127, 140, 141), "–"}, // 7 day off, parental leave, not employed
        {QColor(241, 196, 15), "?"},  // 8 working day without times
    };
    const Look& look = kLooks[category >= 0 && category <= 8 ? category : 0];
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(look.color.darker(130));
    painter.setBrush(look.color);
    if (category == 4) {
        painter.setBrush(Qt::white);
        painter.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
        painter.setBrush(look.color);
        painter.drawPie(QRectF(0.5, 0.5, 15, 15), 90 * 16, 180 * 16);
    } else {
        painter.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
    }
    QFont font = painter.font();
    font.setPixelSize(11);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(category == 8 ? Qt::black : Qt::white);
    painter.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QString::fromUtf8(look.mark));
    painter.end();
    return QIcon(pixmap);
}

namespace {

// Enter on the list opens the selected entry like a double-click.
class EnterFilter final : public QObject {
  public:
    EnterFilter(FileListView* view) : QObject(view), view_(view) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if ((key == Qt::Key_Return || key == Qt::Key_Enter) && view_->selectedNumber() != 0) {
                emit view_->entryActivated(view_->selectedNumber());
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    FileListView* view_;
};

QLineEdit* readOnlyField() {
    auto* field = new QLineEdit;
    field->setReadOnly(true);
    return field;
}

} // namespace

FileListView::FileListView(std::shared_ptr<OpenYearFile> file, const QString& secondFieldText,
                           const QString& proposalLabel, QWidget* parent)
    : DocumentView(std::move(file), parent), content_(new QWidget) {
    placeInScrollArea(this, content_);
    auto* layout = new QGridLayout(content_);
    layout->addWidget(new QLabel(QString::fromUtf8(kFileViewCaption)), 0, 0, 1, 3);
    nameField_ = readOnlyField();
    secondField_ = readOnlyField();
    secondField_->setText(secondFieldText);
    layout->addWidget(nameField_, 1, 0, 1, 2);
    layout->addWidget(secondField_, 1, 2);

    list_ = new QTreeWidget;
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->installEventFilter(new EnterFilter(this));
    connect(list_, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { emit entryActivated(item->data(0, Qt::UserRole).toInt()); });
    connect(list_, &QTreeWidget::currentItemChanged, this, [this] { emit commandStateChanged(); });
    layout->addWidget(list_, 2, 0, 1, 3);
    layout->setRowStretch(2, 1);
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list_, &QWidget::customContextMenuRequested, this, [this](const QPoint& position) {
        std::unique_ptr<QMenu> menu(createListMenu());
        if (menu) menu->exec(list_->viewport()->mapToGlobal(position));
    });

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(proposalLabel));
    proposalField_ = new QLineEdit;
    proposalField_->setMaximumWidth(50);
    proposalField_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,2}")), proposalField_));
    bottom->addWidget(proposalField_);
    proposalText_ = new QLabel;
    bottom->addWidget(proposalText_);
    createButton_ = new QPushButton(QStringLiteral("A&nlegen"));
    // Creating months comes with the data entry; a view that creates enables it.
    createButton_->setEnabled(false);
    proposalField_->setEnabled(false);
    connect(createButton_, &QPushButton::clicked, this, &FileListView::createRequested);
    connect(proposalField_, &QLineEdit::returnPressed, createButton_, &QPushButton::click);
    bottom->addWidget(createButton_);
    bottom->addStretch();
    saveAndCloseButton_ = new QPushButton(QStringLiteral("&Speichern + Schliessen"));
    saveAndCloseButton_->setEnabled(false);
    connect(saveAndCloseButton_, &QPushButton::clicked, this, &FileListView::saveAndCloseRequested);
    bottom->addWidget(saveAndCloseButton_);
    auto* cancel = new QPushButton(QStringLiteral("Abbrechen"));
    connect(cancel, &QPushButton::clicked, this, [this] {
        emit closingByOwnButton();
        closeWindow();
    });
    bottom->addWidget(cancel);
    layout->addLayout(bottom, 3, 0, 1, 3);
}

void FileListView::showOwner() {
    nameField_->setText(toQt(file_->document.settings().name));
}

void FileListView::setDesignedSize(QSize size) {
    // Never smaller than its fields and buttons need in the font of this desktop.
    size = size.expandedTo(content_->sizeHint());
    designedSize_ = size;
    content_->setMinimumSize(size);
    resize(size);
}

QMenu* FileListView::createListMenu() {
    auto* menu = new QMenu(QStringLiteral("Liste"), this);
    QAction* open = menu->addAction(QStringLiteral("Aktuell ausgewählten &Eintrag öffnen..."), this, [this] {
        if (selectedNumber() != 0) emit entryActivated(selectedNumber());
    });
    open->setEnabled(opensEntries() && selectedNumber() != 0);
    QAction* remove =
        menu->addAction(QStringLiteral("Aktuell ausgewählten Eintrag &löschen"), this, &FileListView::deleteRequested);
    remove->setEnabled(deletesEntries());
    return menu;
}

QWidget* FileListView::focusTarget() {
    // The keys go to the list at once: arrows choose, Enter opens.
    return list_;
}

int32_t FileListView::selectedNumber() const {
    const QTreeWidgetItem* item = list_->currentItem();
    return item != nullptr ? item->data(0, Qt::UserRole).toInt() : 0;
}

void FileListView::selectNumber(int32_t number) {
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
        if (list_->topLevelItem(i)->data(0, Qt::UserRole).toInt() == number) {
            list_->setCurrentItem(list_->topLevelItem(i));
            return;
        }
    }
}

CLorvanView::CLorvanView(std::shared_ptr<OpenYearFile> file, const Datum& today, QWidget* parent)
    : FileListView(file, QString::number(file->document.settings().year), QStringLiteral("Nächster Monat:"),
                   parent),
      today_(today) {
    list_->setHeaderLabels({QString::fromUtf8(kYearListTitle)});
    list_->setColumnWidth(0, 120);
    showOwner();
    setDesignedSize(QSize(360, 380));
    proposalField_->setEnabled(true);
    createButton_->setEnabled(true);
    saveAndCloseButton_->setEnabled(true);
    refresh();
}

void CLorvanView::showOwner() {
    FileListView::showOwner();
    const QString year = QString::number(file_->document.settings().year);
    secondField_->setText(year);
    setWindowTitle(toQt(file_->document.settings().name) + QStringLiteral(" ") + year);
}

void CLorvanView::refresh() {
    list_->clear();
    const std::vector<FileViewRow> rows = yearViewRows(file_->document);
    for (const FileViewRow& row : rows) {
        auto* item = new QTreeWidgetItem(list_, {toQt(row.text)});
        item->setData(0, Qt::UserRole, row.number);
    }
    const int selected = yearViewInitialRow(file_->document, rows, today_);
    if (selected >= 0) list_->setCurrentItem(list_->topLevelItem(selected));
    const int32_t next = nextMonthProposal(file_->document);
    proposalField_->setText(next == 0 ? QString() : QString::number(next));
}

int CLorvanView::helpTopic() const {
    return kHelpYearView;
}

CMonatView::CMonatView(std::shared_ptr<OpenYearFile> file, int32_t month, const Datum& today,
                       std::function<bool()> monthClosed, QWidget* parent)
    : FileListView(file, QString(), QStringLiteral("Nächster Tag:"), parent), month_(month), today_(today),
      monthClosed_(std::move(monthClosed)) {
    list_->setHeaderLabels({QString::fromUtf8(kMonthListTitle), QString::fromUtf8(kInfoColumnTitle)});
    list_->setColumnWidth(0, 148);
    list_->setColumnWidth(1, 300);
    list_->setIconSize(QSize(16, 16));
    showOwner();
    connect(proposalField_, &QLineEdit::textChanged, this, [this] { showDayNumberText(); });
    // Room for the longest text beside the number.
    proposalText_->setMinimumWidth(
        proposalText_->fontMetrics().horizontalAdvance(QStringLiteral("Der Tag wurde schon angelegt.")) + 8);
    setDesignedSize(QSize(520, 460));
    refresh();
}

void CMonatView::showOwner() {
    FileListView::showOwner();
    if (const CMonatDoc* m = file_->document.month(month_)) {
        secondField_->setText(toQt(monthViewTitle(*m)));
        setWindowTitle(toQt(file_->document.settings().name) + QStringLiteral(" - ") + toQt(monthViewTitle(*m)));
    }
}

void CMonatView::showDayNumberText() {
    const CMonatDoc* month = file_->document.month(month_);
    proposalText_->setText(month != nullptr ? toQt(dayNumberText(*month, proposalField_->text().toInt())) : QString());
}

int CMonatView::helpTopic() const {
    return kHelpMonthView;
}

void CMonatView::applyClosedState() {
    // A closed month says why nothing may be created or saved.
    const bool closed = isClosed();
    const QString reason = closed ? QString::fromUtf8(kMonthLockedMessage) : QString();
    for (QPushButton* button : {createButton_, saveAndCloseButton_}) {
        button->setEnabled(!closed);
        button->setToolTip(reason);
    }
    proposalField_->setEnabled(!closed);
}

void CMonatView::refresh() {
    // After a change the row chosen stays chosen; a new view selects its initial row.
    const int32_t chosen = selectedNumber();
    list_->clear();
    const CMonatDoc* month = file_->document.month(month_);
    if (month == nullptr) return;
    const std::vector<FileViewRow> rows = monthViewRows(*month);
    for (const FileViewRow& row : rows) {
        auto* item = new QTreeWidgetItem(list_, {toQt(row.text), toQt(row.info)});
        item->setData(0, Qt::UserRole, row.number);
        item->setIcon(1, statusIcon(row.category));
    }
    // The day titles stay readable whatever the font: the column grows beyond its designed width.
    list_->resizeColumnToContents(0);
    list_->setColumnWidth(0, std::max(148, list_->columnWidth(0) + 8));
    const int selected = monthViewInitialRow(*month, rows, today_);
    if (selected >= 0) list_->setCurrentItem(list_->topLevelItem(selected));
    if (chosen != 0) selectNumber(chosen);
    const int32_t next = nextDayProposal(file_->document, month_);
    proposalField_->setText(next == 0 ? QString() : QString::number(next));
    showDayNumberText();
    applyClosedState();
}

QMenu* CMonatView::createListMenu() {
    // A closed month offers no list commands.
    return isClosed() ? nullptr : FileListView::createListMenu();
}

} // namespace lorvan
