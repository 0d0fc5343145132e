#include "entry/ui/time_line_dialog.h"

#include "app/application.h"
#include "app/help_topics.h"
#include "foundation/error.h"
#include "foundation/format.h"
#include "foundation/number_text.h"
#include "gui/common/completion_field.h"
#include "gui/common/help_window.h"
#include "gui/common/qt_platform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include <cstdlib>

namespace lorvan {
namespace {

MasterDataEditors& editors() {
    static MasterDataEditors instance;
    return instance;
}

// The app's cached lists, with the editors of the desktop for the two buttons.
class DialogMasterData final : public CachedLineMasterData {
  public:
    DialogMasterData(CustomerList& customers, ServiceList& services) : CachedLineMasterData(customers, services) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    std::optional<std::string> openCustomer(std::string_view text) override {
        if (!editors().customer) return std::nullopt;
        return editors().customer(parent_, text);
    }
    std::optional<std::string> openService(std::string_view name, int32_t costKind, double costAmount) override {
        if (!editors().service) return std::nullopt;
        return editors().service(parent_, name, costKind, costAmount);
    }

  private:
    QWidget* parent_ = nullptr;
};

// A number as the fields show it: empty for 0, a decimal comma otherwise.
QString numberText(double value) {
    return value == 0.0 ? QString() : toQt(decimalPointToComma(format("%g", value)));
}

double numberOf(const QString& text) {
    return std::strtod(decimalCommaToPoint(fromQt(text.trimmed())).c_str(), nullptr);
}

QString amountText(double value) {
    return toQt(formatAmount(value));
}

QLabel* labelFor(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

void setTextKeepingCursor(QLineEdit* edit, const QString& text) {
    if (edit->text() != text) edit->setText(text);
}

} // namespace

void setMasterDataEditors(MasterDataEditors e) {
    editors() = std::move(e);
}

TimeLineDialog::TimeLineDialog(TimeLineEntry& model, Prompter& prompter,
                               const std::vector<std::string>& customerNames,
                               const std::vector<std::string>& serviceNames, QWidget* parent)
    : QDialog(parent), model_(model), prompter_(prompter), kind_(new QComboBox), customer_(new QLineEdit),
      service_(new QLineEdit), pause_(new QLineEdit), costKind_(new QComboBox), costAmount_(new QLineEdit),
      costLabel_(new QLabel), standbyLabel_(new QLabel), remark_(new QLineEdit), vehicle_(new QComboBox),
      odometerAfter_(new QLineEdit), kilometresDriven_(new QLineEdit),
      openCustomer_(new QPushButton(QStringLiteral("Öff&nen..."))),
      openService_(new QPushButton(QStringLiteral("Öf&fnen..."))),
      complete_(new QPushButton(QStringLiteral("&Vervollständigen"))), ok_(new QPushButton(QStringLiteral("OK"))),
      cancel_(new QPushButton(QStringLiteral("Abbrechen"))), customerCompletion_(new CACEdit(this)),
      serviceCompletion_(new CACEdit(this)) {
    setWindowTitle(toQt(kTimeLineDialogTitle));
    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    int row = 0;

    kind_->setObjectName(QStringLiteral("kind"));
    kind_->setEditable(true);
    kind_->setInsertPolicy(QComboBox::NoInsert);
    for (const char* kind : kTimeLineKinds)
        kind_->addItem(toQt(kind));
    grid->addWidget(labelFor(QStringLiteral("&Art:"), kind_), row, 0);
    grid->addWidget(kind_, row++, 1);
    connect(kind_, &QComboBox::activated, this, [this] { commitKind(); });
    connect(kind_->lineEdit(), &QLineEdit::editingFinished, this, [this] { commitKind(); });

    const QString ignored = QStringLiteral("-/,;");
    customer_->setObjectName(QStringLiteral("customer"));
    customer_->setMinimumWidth(260);
    customerCompletion_->attach(customer_);
    customerCompletion_->setIgnoredCharacters(ignored);
    customerCompletion_->setWordList(customerNames);
    connect(customerCompletion_, &CACEdit::textEdited, this,
            [this](const QString& text) { model_.setCustomer(fromQt(text)); });
    openCustomer_->setObjectName(QStringLiteral("openCustomer"));
    openCustomer_->setToolTip(toQt(kCustomerButtonTip));
    openCustomer_->setAutoDefault(false);
    connect(openCustomer_, &QPushButton::clicked, this, [this] {
        model_.openCustomer();
        showModel();
    });
    grid->addWidget(labelFor(QStringLiteral("&Kunde:"), customer_), row, 0);
    grid->addWidget(customer_, row, 1, 1, 2);
    grid->addWidget(openCustomer_, row++, 3);

    service_->setObjectName(QStringLiteral("service"));
    serviceCompletion_->attach(service_);
    serviceCompletion_->setIgnoredCharacters(ignored);
    serviceCompletion_->setWordList(serviceNames);
    connect(serviceCompletion_, &CACEdit::textEdited, this, [this](const QString& text) {
        model_.setService(fromQt(text));
        showLabels();
    });
    openService_->setObjectName(QStringLiteral("openService"));
    openService_->setToolTip(toQt(kServiceButtonTip));
    openService_->setAutoDefault(false);
    connect(openService_, &QPushButton::clicked, this, [this] {
        model_.openService();
        showModel();
    });
    grid->addWidget(labelFor(QStringLiteral("&Dienstleistung:"), service_), row, 0);
    grid->addWidget(service_, row, 1, 1, 2);
    grid->addWidget(openService_, row++, 3);

    const std::array<std::pair<TimeField, QString>, 3> times = {{{TimeField::From, QStringLiteral("V&on:")},
                                                                 {TimeField::To, QStringLiteral("&Bis:")},
                                                                 {TimeField::Duration, QStringLiteral("Da&uer:")}}};
    const std::array<const char*, 3> timeNames = {"from", "to", "duration"};
    for (const auto& [field, text] : times) {
        const size_t i = static_cast<size_t>(field);
        auto* edit = new QLineEdit;
        edit->setObjectName(QString::fromLatin1(timeNames[i]));
        edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00:00000")) + 12);
        auto* box = new QCheckBox(QStringLiteral("Fest"));
        box->setObjectName(QString::fromLatin1(timeNames[i]) + QStringLiteral("Fixed"));
        times_[i] = edit;
        fixed_[i] = box;
        connect(edit, &QLineEdit::textEdited, this, [this, field = field](const QString& typed) {
            model_.typeTime(field, fromQt(typed));
            showModel();
        });
        connect(edit, &QLineEdit::editingFinished, this, [this, field = field] {
            model_.leaveTime(field);
            showModel();
        });
        connect(box, &QCheckBox::clicked, this, [this, field = field](bool on) {
            model_.setFixed(field, on);
            showModel();
        });
        auto* line = new QHBoxLayout;
        line->addWidget(edit);
        line->addWidget(box);
        line->addStretch();
        grid->addWidget(labelFor(text, edit), row, 0);
        grid->addLayout(line, row, 1);
        if (field == TimeField::Duration) {
            standbyLabel_->setObjectName(QStringLiteral("standbyLabel"));
            grid->addWidget(standbyLabel_, row, 2, 1, 2);
        }
        ++row;
    }

    pause_->setObjectName(QStringLiteral("pause"));
    pause_->setValidator(new QIntValidator(0, 48 * 60, pause_));
    pause_->setMaximumWidth(times_[0]->maximumWidth());
    connect(pause_, &QLineEdit::textEdited, this, [this](const QString& text) {
        model_.setPause(text.toInt());
        showLabels();
    });
    complete_->setObjectName(QStringLiteral("complete"));
    complete_->setToolTip(toQt(kCompleteButtonTip));
    complete_->setAutoDefault(false);
    connect(complete_, &QPushButton::clicked, this, [this] {
        commitKind();
        model_.complete();
        showModel();
    });
    grid->addWidget(labelFor(QStringLiteral("Incl. &Pause (in Minuten):"), pause_), row, 0);
    grid->addWidget(pause_, row, 1, Qt::AlignLeft);
    grid->addWidget(complete_, row++, 3);

    costKind_->setObjectName(QStringLiteral("costKind"));
    for (const char* text : kCostKindTexts)
        costKind_->addItem(toQt(text));
    connect(costKind_, &QComboBox::activated, this, [this](int index) {
        model_.setCostKind(index);
        showModel();
    });
    costAmount_->setObjectName(QStringLiteral("costAmount"));
    costAmount_->setMaximumWidth(costAmount_->fontMetrics().horizontalAdvance(QStringLiteral("0000000,00")) + 12);
    costAmount_->setAlignment(Qt::AlignRight);
    connect(costAmount_, &QLineEdit::textEdited, this, [this](const QString& text) {
        model_.setCostAmount(numberOf(text));
        showLabels();
    });
    connect(costAmount_, &QLineEdit::editingFinished, this,
            [this] { setTextKeepingCursor(costAmount_, amountText(model_.costAmount())); });
    costLabel_->setObjectName(QStringLiteral("costLabel"));
    auto* costs = new QHBoxLayout;
    costs->addWidget(costKind_);
    costs->addWidget(costAmount_);
    costs->addStretch();
    grid->addWidget(labelFor(QStringLiteral("Ko&sten:"), costKind_), row, 0);
    grid->addLayout(costs, row, 1);
    grid->addWidget(costLabel_, row++, 2, 1, 2);

    remark_->setObjectName(QStringLiteral("remark"));
    connect(remark_, &QLineEdit::textEdited, this, [this](const QString& text) { model_.setRemark(fromQt(text)); });
    grid->addWidget(labelFor(QStringLiteral("Anm&erkung für Tageszettel:"), remark_), row, 0);
    grid->addWidget(remark_, row++, 1, 1, 3);

    for (size_t i = 0; i < calculations_.size(); ++i) {
        auto* edit = new QLineEdit;
        edit->setObjectName(QStringLiteral("calculation%1").arg(i + 1));
        edit->setMaximumWidth(costAmount_->maximumWidth());
        edit->setAlignment(Qt::AlignRight);
        connect(edit, &QLineEdit::textEdited, this,
                [this, i](const QString& text) { model_.setCalculationField(i, numberOf(text)); });
        calculations_[i] = edit;
        grid->addWidget(labelFor(toQt(model_.calculationFieldName(i)) + QStringLiteral(":"), edit), row, 0);
        grid->addWidget(edit, row++, 1, Qt::AlignLeft);
    }

    vehicle_->setObjectName(QStringLiteral("vehicle"));
    vehicle_->setEditable(true);
    vehicle_->setInsertPolicy(QComboBox::NoInsert);
    connect(vehicle_->lineEdit(), &QLineEdit::textEdited, this,
            [this](const QString& text) { model_.setVehicle(fromQt(text)); });
    odometerAfter_->setObjectName(QStringLiteral("odometerAfter"));
    kilometresDriven_->setObjectName(QStringLiteral("kilometresDriven"));
    connect(odometerAfter_, &QLineEdit::textEdited, this,
            [this](const QString& text) { model_.setOdometerAfter(numberOf(text)); });
    connect(kilometresDriven_, &QLineEdit::textEdited, this,
            [this](const QString& text) { model_.setKilometresDriven(numberOf(text)); });
    const std::array<std::pair<QString, QWidget*>, 3> vehicleFields = {
        {{QStringLiteral("Fahrzeug:"), vehicle_},
         {QStringLiteral("Kilometerstand danach:"), odometerAfter_},
         {QStringLiteral("Gefahrene Kilometer:"), kilometresDriven_}}};
    for (size_t i = 0; i < vehicleFields.size(); ++i) {
        QLabel* label = labelFor(vehicleFields[i].first, vehicleFields[i].second);
        grid->addWidget(label, row, 0);
        grid->addWidget(vehicleFields[i].second, row++, 1);
        vehicleRow_[2 * i] = label;
        vehicleRow_[2 * i + 1] = vehicleFields[i].second;
    }

    ok_->setObjectName(QStringLiteral("ok"));
    ok_->setDefault(true);
    cancel_->setObjectName(QStringLiteral("cancel"));
    cancel_->setAutoDefault(false);
    connect(ok_, &QPushButton::clicked, this, &TimeLineDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &TimeLineDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(6);
    layout->addLayout(buttons);

    auto* help = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, &TimeLineDialog::showHelp);

    showModel();
    kind_->setFocus();
}

QWidget* TimeLineDialog::fieldWidget(LineField field) const {
    switch (field) {
    case LineField::Kind:
        return kind_;
    case LineField::Customer:
        return customer_;
    case LineField::Service:
        return service_;
    case LineField::From:
        return times_[0];
    case LineField::To:
        return times_[1];
    case LineField::Duration:
        return times_[2];
    case LineField::Pause:
        return pause_;
    case LineField::CostKind:
        return costKind_;
    case LineField::CostAmount:
        return costAmount_;
    case LineField::Remark:
        return remark_;
    case LineField::Calculation1:
        return calculations_[0];
    case LineField::Calculation2:
        return calculations_[1];
    case LineField::Calculation3:
        return calculations_[2];
    case LineField::Vehicle:
        return vehicle_;
    case LineField::OdometerAfter:
        return odometerAfter_;
    case LineField::KilometresDriven:
        return kilometresDriven_;
    case LineField::None:
        break;
    }
    return nullptr;
}

LineField TimeLineDialog::focusedField() const {
    const QWidget* focus = focusWidget();
    for (LineField field : {LineField::Kind, LineField::From, LineField::To, LineField::Duration})
        if (const QWidget* widget = fieldWidget(field); widget && (widget == focus || widget->isAncestorOf(focus)))
            return field;
    return LineField::None;
}

void TimeLineDialog::commitKind() {
    const std::string typed = fromQt(kind_->currentText());
    if (typed != model_.kind()) model_.setKind(typed);
    showModel();
}

void TimeLineDialog::showModel() {
    if (kind_->currentText() != toQt(model_.kind())) kind_->setEditText(toQt(model_.kind()));
    setTextKeepingCursor(customer_, toQt(model_.customer()));
    setTextKeepingCursor(service_, toQt(model_.service()));
    for (TimeField field : {TimeField::From, TimeField::To, TimeField::Duration}) {
        const size_t i = static_cast<size_t>(field);
        setTextKeepingCursor(times_[i], toQt(model_.timeText(field)));
        fixed_[i]->setChecked(model_.fixed(field));
        fixed_[i]->setEnabled(model_.fixedEnabled(field));
    }
    if (pause_->text().toInt() != model_.pause() || (model_.pause() == 0 && !pause_->text().isEmpty()))
        pause_->setText(model_.pause() == 0 ? QString() : QString::number(model_.pause()));
    costKind_->setCurrentIndex(model_.costKind());
    if (!costAmount_->hasFocus() || numberOf(costAmount_->text()) != model_.costAmount())
        setTextKeepingCursor(costAmount_, amountText(model_.costAmount()));
    setTextKeepingCursor(remark_, toQt(model_.remark()));
    for (size_t i = 0; i < calculations_.size(); ++i)
        if (numberOf(calculations_[i]->text()) != model_.calculationField(i))
            calculations_[i]->setText(numberText(model_.calculationField(i)));
    vehicle_->setEditText(toQt(model_.vehicle()));
    setTextKeepingCursor(odometerAfter_, numberText(model_.odometerAfter()));
    setTextKeepingCursor(kilometresDriven_, numberText(model_.kilometresDriven()));

    for (LineField field : {LineField::Kind, LineField::Customer, LineField::Service, LineField::From, LineField::To,
                            LineField::Duration, LineField::Pause, LineField::CostKind, LineField::CostAmount,
                            LineField::Remark, LineField::Calculation1, LineField::Calculation2,
                            LineField::Calculation3, LineField::Vehicle, LineField::OdometerAfter,
                            LineField::KilometresDriven})
        fieldWidget(field)->setEnabled(model_.enabled(field));
    openCustomer_->setEnabled(model_.customerButtonEnabled());
    openService_->setEnabled(model_.serviceButtonEnabled());
    complete_->setEnabled(model_.completeButtonEnabled());
    ok_->setEnabled(model_.okEnabled());
    for (QWidget* widget : vehicleRow_)
        widget->setVisible(model_.vehicleFieldsShown());
    showLabels();
}

void TimeLineDialog::showLabels() {
    costLabel_->setText(toQt(model_.costLabel()));
    standbyLabel_->setText(toQt(model_.standbyLabel()));
}

void TimeLineDialog::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && event->modifiers() == Qt::NoModifier && !qobject_cast<QPushButton*>(focusWidget())) {
        focusNextChild();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TimeLineDialog::accept() {
    commitKind();
    const LineCheckResult result = model_.accept(prompter_, focusedField());
    showModel();
    if (result.accepted) {
        QDialog::accept();
        return;
    }
    if (QWidget* widget = fieldWidget(result.focus)) widget->setFocus();
}

void TimeLineDialog::showHelp() {
    showHelpTopic(help_, this, prompter_, kHelpTimeLine);
}

bool editTimeLine(QWidget* parent, CLorvanApp& app, Prompter& prompter, CZeitZeile& line, bool isFirstNewLine,
                  bool monthClosed) {
    std::vector<std::string> customerNames;
    std::vector<std::string> serviceNames;
    bool checkCustomers = false;
    try {
        for (const auto& [number, customer] : app.customers().file().customers)
            customerNames.push_back(customer.name);
        checkCustomers = app.customers().checkOnEntry();
    } catch (const LorvanError& e) {
        prompter.error(e.what());
    }
    try {
        serviceNames = app.services().names();
    } catch (const LorvanError& e) {
        prompter.error(e.what());
    }
    DialogMasterData masterData(app.customers(), app.services());
    TimeLineEntry::Options options;
    options.isFirstNewLine = isFirstNewLine;
    options.monthClosed = monthClosed;
    options.checkCustomersOnEntry = checkCustomers;
    TimeLineEntry model(line, options, &masterData);
    TimeLineDialog dialog(model, prompter, customerNames, serviceNames, parent);
    masterData.setParent(&dialog);
    if (dialog.exec() != QDialog::Accepted) return false;
    model.apply(line);
    return true;
}

} // namespace lorvan
