#include "entry/ui/quick_entry_dialog.h"

#include "app/application.h"
#include "app/open_year_file.h"
#include "entry/ui/entry_commands.h"
#include "gui/common/desktop.h"
#include "gui/common/qt_platform.h"
#include "platform/prompter.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>
#include <set>

namespace lorvan {
namespace {

// The year files of the quick entry: a file open in a window is changed and saved in that window's
// document; every other one is read from and written to disk.
class DesktopYearFiles final : public QuickEntryFiles {
  public:
    explicit DesktopYearFiles(Desktop& desktop)
        : desktop_(desktop), store_(StorageContext{&desktop.prompter(), desktop.app().dataDirectory(), nullptr,
                                                   &desktop.app().employees()}) {}

    CLorvanDoc* open(const std::string& path) override {
        if (const std::shared_ptr<OpenYearFile> file = openYearFileOf(desktop_, path)) {
            touched_.insert(file);
            return &file->document;
        }
        return store_.open(path);
    }
    CLorvanDoc& adopt(const std::string& path, CLorvanDoc document) override {
        return store_.adopt(path, std::move(document));
    }
    bool save(const std::string& path, CLorvanDoc& document) override {
        if (const std::shared_ptr<OpenYearFile> file = openYearFileOf(desktop_, path))
            return desktop_.saveYearFile(*file);
        return store_.save(path, document);
    }
    // The windows of the files changed show their new months and days.
    void refreshViews() const {
        for (const std::shared_ptr<OpenYearFile>& file : touched_)
            refreshViewsOf(desktop_, file);
    }

  private:
    Desktop& desktop_;
    YearFileStore store_;
    std::set<std::shared_ptr<OpenYearFile>> touched_;
};

QDate toQDate(const Datum& date) {
    return QDate(date.year, date.month, date.day);
}

Datum toDatum(const QDate& date) {
    return Datum{date.day(), date.month(), date.year()};
}

QDateEdit* dateField(const Datum& date) {
    auto* field = new QDateEdit(toQDate(date));
    field->setCalendarPopup(true);
    field->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    return field;
}

QTreeWidget* employeeList() {
    auto* list = new QTreeWidget;
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setHeaderLabels({QStringLiteral("Personalnr"), QStringLiteral("Name")});
    list->setColumnWidth(0, 90);
    list->setColumnWidth(1, 120);
    list->setMinimumHeight(220);
    return list;
}

void fillList(QTreeWidget* list, const std::vector<QuickEntryEmployee>& rows) {
    list->clear();
    for (const QuickEntryEmployee& row : rows) {
        auto* item = new QTreeWidgetItem(list, {QString::number(row.number), toQt(row.name)});
        item->setData(0, Qt::UserRole, row.number);
        item->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
    }
    // Long names stay whole: the column grows beyond its designed width.
    // (The last column stretches, so its width is measured from its texts, not read back.)
    int nameWidth = 120;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        nameWidth = std::max(nameWidth, list->fontMetrics().horizontalAdvance(list->topLevelItem(i)->text(1)) + 16);
    list->setColumnWidth(1, nameWidth);
    // Both columns show whole, without a horizontal scroll bar.
    list->setMinimumWidth(list->columnWidth(0) + nameWidth + 2 * list->frameWidth() +
                          list->verticalScrollBar()->sizeHint().width());
}

} // namespace

QuickEntryDialog::QuickEntryDialog(Desktop& desktop, const std::map<int32_t, CMitarbeiterDoc>& employees,
                                   QuickEntryDayDialog dayDialog, QWidget* parent)
    : QDialog(parent), desktop_(desktop), model_(employees, desktop.clock()), dayDialog_(std::move(dayDialog)) {
    setWindowTitle(QStringLiteral("Schnellerfassung"));
    auto* layout = new QVBoxLayout(this);

    auto* dates = new QHBoxLayout;
    from_ = dateField(model_.from);
    to_ = dateField(model_.to);
    dates->addWidget(new QLabel(QStringLiteral("Tag")));
    dates->addWidget(from_);
    dates->addSpacing(12);
    dates->addWidget(new QLabel(QStringLiteral("bis")));
    dates->addWidget(to_);
    dates->addStretch();
    layout->addLayout(dates);

    auto* lists = new QGridLayout;
    possible_ = employeeList();
    selected_ = employeeList();
    lists->addWidget(new QLabel(QStringLiteral("Mögliche Mitarbeiter")), 0, 0);
    lists->addWidget(new QLabel(QStringLiteral("Ausgewählte Mitarbeiter")), 0, 2);
    lists->addWidget(possible_, 1, 0);
    lists->addWidget(selected_, 1, 2);
    auto* moves = new QVBoxLayout;
    moves->addStretch();
    auto addMove = [&](const char* text, const std::function<void()>& action) {
        auto* button = new QPushButton(QString::fromUtf8(text));
        button->setObjectName(QString::fromUtf8(text));
        button->setFixedWidth(40);
        connect(button, &QPushButton::clicked, this, [this, action] {
            action();
            fillLists();
        });
        moves->addWidget(button);
    };
    addMove(">>", [this] { model_.selectAll(); });
    addMove(">", [this] { model_.select(markedNumbers(possible_)); });
    addMove("<", [this] { model_.remove(markedNumbers(selected_)); });
    addMove("<<", [this] { model_.removeAll(); });
    moves->addStretch();
    lists->addLayout(moves, 1, 1);
    layout->addLayout(lists, 1);
    // A double-click moves the employee across.
    connect(possible_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        model_.select({item->data(0, Qt::UserRole).toInt()});
        fillLists();
    });
    connect(selected_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        model_.remove({item->data(0, Qt::UserRole).toInt()});
        fillLists();
    });

    onlyActive_ = new QCheckBox(QStringLiteral("nur aktive Mitarbeiter anzeigen"));
    onlyActive_->setChecked(model_.onlyActive());
    connect(onlyActive_, &QCheckBox::toggled, this, [this](bool on) {
        model_.setOnlyActive(on);
        fillLists();
    });
    layout->addWidget(onlyActive_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    enterTimes_ = new QPushButton(QStringLiteral("&Zeiten erfassen..."));
    enterTimes_->setDefault(true);
    connect(enterTimes_, &QPushButton::clicked, this, [this] { enterTimes(); });
    buttons->addWidget(enterTimes_);
    auto* cancel = new QPushButton(QStringLiteral("Abbrechen"));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    fillLists();
}

void QuickEntryDialog::fillLists() {
    fillList(possible_, model_.possible());
    fillList(selected_, model_.selected());
}

std::vector<int32_t> QuickEntryDialog::markedNumbers(const QTreeWidget* list) const {
    std::vector<int32_t> numbers;
    for (const QTreeWidgetItem* item : list->selectedItems())
        numbers.push_back(item->data(0, Qt::UserRole).toInt());
    return numbers;
}

void QuickEntryDialog::enterTimes() {
    model_.from = toDatum(from_->date());
    model_.to = toDatum(to_->date());
    CLorvanApp& app = desktop_.app();
    const MonthClosedRule closed = monthClosedRule(app);
    DesktopYearFiles files(desktop_);
    const bool saved = model_.run(desktop_.prompter(), files, closed, app.dataDirectory(),
                                  [this](CTagDoc& day, const QuickEntryHeader& header) {
                                      return dayDialog_ && dayDialog_(this, day, header);
                                  });
    files.refreshViews();
    desktop_.updateCommands();
    if (saved) accept();
}

} // namespace lorvan
