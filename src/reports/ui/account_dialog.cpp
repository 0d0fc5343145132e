#include "reports/ui/account_dialog.h"

#include "foundation/calendar.h"
#include "foundation/error.h"
#include "foundation/format.h"
#include "foundation/number_text.h"
#include "app/open_year_file.h"
#include "gui/common/qt_platform.h"
#include "platform/prompter.h"
#include "yearfile/year_file.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace lorvan {

namespace {

QLineEdit* readOnlyField(const QString& text) {
    auto* field = new QLineEdit(text);
    field->setReadOnly(true);
    return field;
}

} // namespace

AccountCorrectionDialog::AccountCorrectionDialog(Prompter& prompter, CMonatDoc& month, QWidget* parent)
    : CDialogWithCancel(prompter, parent), month_(month) {
    setWindowTitle(QStringLiteral("Arbeitszeitkonto korrigieren"));
    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(toQt(monthName(month.number()))), 0, 0, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("Korrektur um")), 1, 0);
    correction_ = new QDoubleSpinBox;
    correction_->setLocale(QLocale(QLocale::German, QLocale::Germany));
    correction_->setDecimals(2);
    correction_->setRange(-kCorrectionHoursLimit, kCorrectionHoursLimit);
    correction_->setValue(month.accountCorrection);
    layout->addWidget(correction_, 1, 1);
    layout->addWidget(new QLabel(QStringLiteral("Kommentar")), 2, 0);
    comment_ = new QLineEdit(toQt(month.correctionComment));
    comment_->setMaxLength(static_cast<int>(kCorrectionCommentLength));
    comment_->setMinimumWidth(240);
    layout->addWidget(comment_, 2, 1);
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &AccountCorrectionDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &AccountCorrectionDialog::reject);
    layout->addWidget(buttons, 3, 0, 1, 2);
    watch(this);
}

bool AccountCorrectionDialog::acceptData() {
    if (CLorvanDoc* document = month_.document())
        return storeAccountCorrection(*document, month_.number(), {correction_->value(), fromQt(comment_->text())});
    month_.accountCorrection = correction_->value();
    month_.correctionComment = fromQt(comment_->text());
    return true;
}

AccountDialog::AccountDialog(OpenYearFile& file, Prompter& prompter, QWidget* parent)
    : QDialog(parent), file_(file), prompter_(prompter), evaluator_(file.document, file.context()) {
    setWindowTitle(QStringLiteral("Arbeitszeitkonto"));
    auto* layout = new QVBoxLayout(this);

    auto* owner = new QHBoxLayout;
    owner->addWidget(new QLabel(QStringLiteral("für")));
    owner->addWidget(readOnlyField(toQt(file_.document.settings().name)), 1);
    auto* year = readOnlyField(QString::number(file_.document.settings().year));
    year->setMaximumWidth(60);
    owner->addWidget(year);
    layout->addLayout(owner);

    list_ = new QTreeWidget;
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setAllColumnsShowFocus(true);
    layout->addWidget(list_, 1);

    auto* balanceRow = new QHBoxLayout;
    balanceRow->addWidget(new QLabel(QStringLiteral("Aktueller Stand des Arbeitszeitkontos in Stunden")));
    balance_ = readOnlyField(QString());
    balance_->setAlignment(Qt::AlignRight);
    balance_->setMaximumWidth(100);
    balanceRow->addWidget(balance_);
    balanceRow->addStretch();
    correct_ = new QPushButton(QStringLiteral("Korrigieren..."));
    connect(correct_, &QPushButton::clicked, this, &AccountDialog::correctSelected);
    balanceRow->addWidget(correct_);
    auto* close = new QPushButton(QStringLiteral("Schließen"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    balanceRow->addWidget(close);
    layout->addLayout(balanceRow);

    resize(860, 420);
    refresh();
    list_->setFocus();
}

void AccountDialog::refresh() {
    list_->clear();
    balance_->clear();
    try {
        account_ = accountList(evaluator_);
        loaded_ = true;
    } catch (const LorvanError& e) {
        // A month without working-time period cannot be evaluated.
        account_ = AccountList{};
        loaded_ = false;
        prompter_.error(e.what());
        return;
    }
    const CEinstArbzt& settings = file_.document.settings();
    QStringList headings;
    for (const std::string& heading : account_.headings)
        headings << toQt(heading);
    list_->setHeaderLabels(headings);
    const int lastColumn = static_cast<int>(account_.headings.size()) - 1;
    for (size_t i = 0; i < account_.rows.size(); ++i) {
        QStringList cells;
        for (const std::string& cell : accountRowCells(account_.rows[i], settings))
            cells << toQt(cell);
        auto* item = new QTreeWidgetItem(list_, cells);
        item->setData(0, Qt::UserRole, static_cast<int>(i));
        // The amounts stand right-aligned between the month and the comment.
        for (int column = 1; column < lastColumn; ++column)
            item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
    }
    // Room beside the widest text, so that the amounts do not touch the next column.
    for (int column = 0; column <= lastColumn; ++column) {
        list_->resizeColumnToContents(column);
        list_->setColumnWidth(column, list_->columnWidth(column) + 16);
    }
    balance_->setText(toQt(decimalPointToComma(format("%.2f", account_.balance))));
}

void AccountDialog::correctSelected() {
    const QTreeWidgetItem* item = list_->currentItem();
    if (item == nullptr || !item->isSelected()) {
        QApplication::beep();
        return;
    }
    const AccountRow& row = account_.rows.at(static_cast<size_t>(item->data(0, Qt::UserRole).toInt()));
    if (const std::optional<std::string> refusal = correctionRefusal(row)) {
        prompter_.inform(*refusal);
        return;
    }
    CMonatDoc* month = file_.document.month(row.month);
    if (month == nullptr) return;
    const int32_t number = row.month;
    AccountCorrectionDialog dialog(prompter_, *month, this);
    if (dialog.exec() == QDialog::Accepted) monthCorrected(number);
}

void AccountDialog::storeCorrection(int32_t month, double hours, const std::string& comment) {
    if (storeAccountCorrection(file_.document, month, {hours, comment})) monthCorrected(month);
}

void AccountDialog::monthCorrected(int32_t month) {
    refresh();
    // The corrected month stays selected.
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = list_->topLevelItem(i);
        const AccountRow& row = account_.rows.at(static_cast<size_t>(item->data(0, Qt::UserRole).toInt()));
        if (row.kind == AccountRowKind::Month && row.month == month) list_->setCurrentItem(item);
    }
    emit documentChanged();
}

} // namespace lorvan
