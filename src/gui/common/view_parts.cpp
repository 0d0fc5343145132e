#include "gui/common/view_parts.h"

#include <QBoxLayout>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollArea>

namespace lorvan {

namespace {

class ListKeys final : public QObject {
  public:
    ListKeys(QObject* parent, std::function<void()> activate, std::function<void()> remove)
        : QObject(parent), activate_(std::move(activate)), remove_(std::move(remove)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                activate_();
                return true;
            }
            if (key == Qt::Key_Delete) {
                remove_();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<void()> activate_;
    std::function<void()> remove_;
};

} // namespace

QWidget* placeInScrollArea(QWidget* view, QWidget* content) {
    auto* scroll = new QScrollArea(view);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(content);
    auto* outer = new QVBoxLayout(view);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
    return content;
}

void onListKeys(QWidget* list, std::function<void()> activate, std::function<void()> remove) {
    list->installEventFilter(new ListKeys(list, std::move(activate), std::move(remove)));
}

void addSaveAndCancelButtons(QBoxLayout* row, QWidget* receiver, std::function<void()> saveAndClose,
                             std::function<void()> cancel) {
    auto* saveAndCloseButton = new QPushButton(QStringLiteral("&Speichern + Schliessen"));
    auto* cancelButton = new QPushButton(QStringLiteral("Abbrechen"));
    QObject::connect(saveAndCloseButton, &QPushButton::clicked, receiver, std::move(saveAndClose));
    QObject::connect(cancelButton, &QPushButton::clicked, receiver, std::move(cancel));
    row->addWidget(saveAndCloseButton);
    row->addWidget(cancelButton);
}

QDialogButtonBox* addOkCancelButtons(QBoxLayout* layout, QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    layout->addWidget(buttons);
    return buttons;
}

} // namespace lorvan
