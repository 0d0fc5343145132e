#include "masterdata/ui/customer_dialog_window.h"

#include "gui/common/qt_platform.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <climits>
#include <string>

namespace lorvan {

namespace {

// The notes keep their lines with "\r\n" in the record; the field shows plain line breaks.
QString notesForField(const std::string& notes) {
    QString text = toQt(notes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

// A whole number the file can hold: digits beyond its range cannot be typed.
class NumberValidator final : public QIntValidator {
  public:
    explicit NumberValidator(QObject* parent) : QIntValidator(INT_MIN, INT_MAX, parent) {}
    State validate(QString& input, int& position) const override {
        const State state = QIntValidator::validate(input, position);
        if (state != Intermediate) return state;
        bool isNumber = false;
        input.toLongLong(&isNumber);
        // An empty field or a lone sign is on its way to a number; a number out of range is not.
        return isNumber ? Invalid : Intermediate;
    }
};

QString label(CustomerField field) {
    return toQt(CustomerDialog::info(field).label) + QStringLiteral(":");
}

} // namespace

CustomerDialogWindow::CustomerDialogWindow(CustomerDialog& model, Prompter& prompter, QWidget* parent)
    : QDialog(parent), model_(model), prompter_(prompter), number_(new QLineEdit),
      notes_(new QPlainTextEdit), printNotes_(new QCheckBox(toQt(CustomerDialog::info(CustomerField::PrintNotes).label))) {
    setWindowTitle(toQt(kCustomerDialogTitle));
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);

    number_->setObjectName(QStringLiteral("number"));
    number_->setValidator(new NumberValidator(number_));
    number_->setMaximumWidth(number_->fontMetrics().horizontalAdvance(QStringLiteral("-2147483648")) + 16);
    number_->setText(QString::number(model_.record().number));
    connect(number_, &QLineEdit::textChanged, this, [this](const QString& text) { model_.setNumber(text.toInt()); });
    form->addRow(label(CustomerField::Number), number_);

    const std::pair<CustomerField, const char*> lines[] = {{CustomerField::Name, "name"},
                                                           {CustomerField::Street, "street"},
                                                           {CustomerField::ZipCity, "zipCity"},
                                                           {CustomerField::Phone, "phone"}};
    for (const auto& [field, name] : lines) {
        auto* edit = new QLineEdit;
        edit->setObjectName(QString::fromLatin1(name));
        edit->setText(toQt(model_.text(field)));
        edit->setMaxLength(static_cast<int>(model_.maxLength(field)));
        connect(edit, &QLineEdit::textChanged, this, [this, edit, field = field](const QString& text) {
            if (!model_.setText(field, fromQt(text))) edit->setText(toQt(model_.text(field)));
        });
        form->addRow(label(field), edit);
        lines_[field] = edit;
    }
    lines_[CustomerField::Name]->setMinimumWidth(320);

    notes_->setObjectName(QStringLiteral("notes"));
    notes_->setTabChangesFocus(true);
    notes_->setPlainText(notesForField(model_.text(CustomerField::Notes)));
    notes_->setMinimumHeight(notes_->fontMetrics().lineSpacing() * 6);
    connect(notes_, &QPlainTextEdit::textChanged, this, [this] { notesEdited(); });
    form->addRow(label(CustomerField::Notes), notes_);

    printNotes_->setObjectName(QStringLiteral("printNotes"));
    printNotes_->setChecked(model_.printNotes());
    connect(printNotes_, &QCheckBox::toggled, this, [this](bool on) { model_.setPrintNotes(on); });
    form->addRow(QString(), printNotes_);

    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    number_->setFocus();
    number_->selectAll();
}

void CustomerDialogWindow::notesEdited() {
    const std::string text = fromQt(notes_->toPlainText());
    if (model_.setText(CustomerField::Notes, text)) return;
    // Longer than the field takes: the text stays as it was, the cursor where it stood.
    const QSignalBlocker blocker(notes_);
    const int position = notes_->textCursor().position();
    notes_->setPlainText(notesForField(model_.text(CustomerField::Notes)));
    QTextCursor cursor = notes_->textCursor();
    cursor.setPosition(std::min(position, static_cast<int>(notes_->toPlainText().size())));
    notes_->setTextCursor(cursor);
}

QWidget* CustomerDialogWindow::fieldWidget(CustomerField field) const {
    switch (field) {
    case CustomerField::Number:
        return number_;
    case CustomerField::Notes:
        return notes_;
    case CustomerField::PrintNotes:
        return printNotes_;
    case CustomerField::None:
        return nullptr;
    default:
        return lines_.at(field);
    }
}

void CustomerDialogWindow::accept() {
    const CustomerField failed = model_.confirm(prompter_);
    if (failed == CustomerField::None) {
        QDialog::accept();
        return;
    }
    if (QWidget* widget = fieldWidget(failed)) {
        widget->setFocus();
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) edit->selectAll();
    }
}

bool QtCustomerDialogRunner::run(CustomerDialog& dialog) {
    CustomerDialogWindow window(dialog, prompter_, parent_);
    return window.exec() == QDialog::Accepted;
}

} // namespace lorvan
