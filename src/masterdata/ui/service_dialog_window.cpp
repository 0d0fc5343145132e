#include "masterdata/ui/service_dialog_window.h"

#include "gui/common/qt_platform.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace lorvan {

ServiceDialogWindow::ServiceDialogWindow(ServiceDialog& model, Prompter& prompter, QWidget* parent)
    : QDialog(parent), model_(model), prompter_(prompter), name_(new QLineEdit), costs_(new QLineEdit) {
    setWindowTitle(toQt(kServiceDialogTitle));
    auto* layout = new QVBoxLayout(this);

    auto* nameRow = new QHBoxLayout;
    auto* nameLabel = new QLabel(toQt(kServiceNameLabel) + QStringLiteral(":"));
    nameLabel->setBuddy(name_);
    name_->setObjectName(QStringLiteral("name"));
    name_->setText(toQt(model_.name()));
    name_->setMinimumWidth(300);
    connect(name_, &QLineEdit::textChanged, this, [this](const QString& text) { model_.setName(fromQt(text)); });
    nameRow->addWidget(nameLabel);
    nameRow->addWidget(name_, 1);
    layout->addLayout(nameRow);

    auto* box = new QGroupBox(toQt(kServiceCostsCaption));
    auto* boxLayout = new QVBoxLayout(box);
    auto* group = new QButtonGroup(this);
    for (int32_t kind = 0; kind < 3; ++kind) {
        auto* button = new QRadioButton(toQt(kServiceCostKindLabels[static_cast<size_t>(kind)]));
        button->setObjectName(QStringLiteral("kind%1").arg(kind));
        group->addButton(button, kind);
        boxLayout->addWidget(button);
        kinds_[static_cast<size_t>(kind)] = button;
    }
    if (model_.costKind() >= 0 && model_.costKind() < 3) kinds_[static_cast<size_t>(model_.costKind())]->setChecked(true);
    connect(group, &QButtonGroup::idClicked, this, [this](int kind) {
        model_.setCostKind(kind);
        showCosts();
    });

    auto* costsRow = new QHBoxLayout;
    auto* costsLabel = new QLabel(toQt(kServiceCostsLabel) + QStringLiteral(":"));
    costsLabel->setBuddy(costs_);
    costs_->setObjectName(QStringLiteral("costs"));
    costs_->setAlignment(Qt::AlignRight);
    costs_->setMaximumWidth(costs_->fontMetrics().horizontalAdvance(QStringLiteral("0000000000,00")) + 16);
    connect(costs_, &QLineEdit::textChanged, this,
            [this](const QString& text) { model_.setCostsText(fromQt(text)); });
    costsRow->addWidget(costsLabel);
    costsRow->addWidget(costs_);
    costsRow->addStretch();
    boxLayout->addLayout(costsRow);
    layout->addWidget(box);
    showCosts();

    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    name_->setFocus();
}

void ServiceDialogWindow::showCosts() {
    costs_->setText(toQt(model_.costsText()));
    costs_->setEnabled(model_.costsEnabled());
}

void ServiceDialogWindow::accept() {
    switch (model_.confirm(prompter_)) {
    case ServiceField::None:
        QDialog::accept();
        return;
    case ServiceField::Name:
        name_->setFocus();
        name_->selectAll();
        return;
    case ServiceField::Costs:
        costs_->setFocus();
        costs_->selectAll();
        return;
    case ServiceField::CostKind:
        if (model_.costKind() >= 0 && model_.costKind() < 3) kinds_[static_cast<size_t>(model_.costKind())]->setFocus();
        return;
    }
}

bool QtServiceDialogRunner::run(ServiceDialog& dialog) {
    ServiceDialogWindow window(dialog, prompter_, parent_);
    return window.exec() == QDialog::Accepted;
}

} // namespace lorvan
