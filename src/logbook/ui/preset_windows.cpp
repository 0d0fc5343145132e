#include "logbook/ui/preset_windows.h"

#include "app/help_topics.h"
#include "gui/common/help_window.h"
#include "gui/common/qt_platform.h"
#include "gui/common/view_parts.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace lorvan {

PresetEntryWindow::PresetEntryWindow(PresetEntryDialog& dialog, Prompter& prompter, LogbookWordLists* words,
                                     QWidget* parent)
    : QDialog(parent), dialog_(dialog), prompter_(prompter), words_(words) {
    setWindowTitle(QStringLiteral("Vorbesetzung definieren"));
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(toQt(kPresetEntryIntro));
    intro->setWordWrap(true);
    layout->addWidget(intro);
    auto* form = new QFormLayout;
    kind_ = new QComboBox;
    kind_->setObjectName(QStringLiteral("kind"));
    kind_->setEditable(dialog.kindEditable());
    for (const std::string& choice : dialog.kindChoices())
        kind_->addItem(toQt(choice));
    kind_->setCurrentText(toQt(dialog.text(PresetField::Kind)));
    kind_->setEnabled(dialog.kindEditable());
    street_ = new QLineEdit(toQt(dialog.text(PresetField::Street)));
    street_->setObjectName(QStringLiteral("street"));
    place_ = new QLineEdit(toQt(dialog.text(PresetField::Place)));
    place_->setObjectName(QStringLiteral("place"));
    purpose_ = new QLineEdit(toQt(dialog.text(PresetField::Purpose)));
    purpose_->setObjectName(QStringLiteral("purpose"));
    form->addRow(QStringLiteral("&Art:"), kind_);
    form->addRow(QStringLiteral("&Straße:"), street_);
    form->addRow(QStringLiteral("&Ort:"), place_);
    form->addRow(QStringLiteral("&Zweck:"), purpose_);
    layout->addLayout(form);
    addOkCancelButtons(layout, this);
    (dialog.initialFocus() == PresetField::Kind ? static_cast<QWidget*>(kind_) : street_)->setFocus();
    if (dialog.kindEditable()) kind_->setCurrentText(QString());
    resize(460, sizeHint().height());
}

void PresetEntryWindow::accept() {
    dialog_.setText(PresetField::Kind, fromQt(kind_->currentText()));
    dialog_.setText(PresetField::Street, fromQt(street_->text()));
    dialog_.setText(PresetField::Place, fromQt(place_->text()));
    dialog_.setText(PresetField::Purpose, fromQt(purpose_->text()));
    switch (dialog_.confirm(prompter_, words_)) {
    case PresetField::None: QDialog::accept(); return;
    case PresetField::Kind: kind_->setFocus(); return;
    case PresetField::Street: street_->setFocus(); return;
    case PresetField::Place: place_->setFocus(); return;
    case PresetField::Purpose: purpose_->setFocus(); return;
    }
}

namespace {

class PresetsWindow final : public QDialog {
  public:
    PresetsWindow(PresetsDialog& dialog, Prompter& prompter, LogbookWordLists* words, QWidget* parent)
        : QDialog(parent), dialog_(dialog), prompter_(prompter), words_(words) {
        setWindowTitle(QStringLiteral("Vorbesetzungen festlegen"));
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(new QLabel(toQt(kPresetsIntro)));
        list_ = new QTreeWidget;
        list_->setObjectName(QStringLiteral("presetList"));
        list_->setRootIsDecorated(false);
        QStringList titles;
        for (const PresetsDialog::Column& column : PresetsDialog::columns())
            titles << toQt(column.title);
        list_->setHeaderLabels(titles);
        for (size_t i = 0; i < PresetsDialog::columns().size(); ++i)
            list_->setColumnWidth(static_cast<int>(i), PresetsDialog::columns()[i].width);
        onListKeys(list_, [this] { openSelected(); }, [this] { deleteSelected(); });
        connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { openSelected(); });
        list_->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(list_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
            QMenu menu(this);
            menu.addAction(QStringLiteral("Aktuell ausgewählten &Eintrag öffnen..."), this, [this] { openSelected(); });
            menu.addAction(QStringLiteral("Aktuell ausgewählten Eintrag &löschen"), this, [this] { deleteSelected(); });
            menu.exec(list_->viewport()->mapToGlobal(at));
        });
        layout->addWidget(list_, 1);
        auto* row = new QHBoxLayout;
        auto* add = new QPushButton(QStringLiteral("&Neue Vorbesetzung..."));
        connect(add, &QPushButton::clicked, this, [this] {
            dialog_.newPreset(runner());
            fill();
        });
        auto* close = new QPushButton(QStringLiteral("Schließen"));
        connect(close, &QPushButton::clicked, this, [this] {
            if (dialog_.close()) accept();
        });
        row->addWidget(add);
        row->addStretch();
        row->addWidget(close);
        layout->addLayout(row);
        addHelpShortcut(this, kHelpTripAssistant);
        resize(720, 360);
        fill();
    }

  private:
    PresetEntryRunner runner() {
        return [this](PresetEntryDialog& entry) {
            PresetEntryWindow window(entry, prompter_, words_, this);
            return window.exec() == QDialog::Accepted;
        };
    }
    int selected() const {
        QTreeWidgetItem* item = list_->currentItem();
        return item != nullptr && item->isSelected() ? list_->indexOfTopLevelItem(item) : -1;
    }
    void openSelected() {
        if (selected() < 0) {
            QApplication::beep();
            return;
        }
        dialog_.openPreset(selected(), runner());
        fill();
    }
    void deleteSelected() {
        if (!dialog_.deletePreset(selected())) QApplication::beep();
        fill();
    }
    void fill() {
        list_->clear();
        for (const std::vector<std::string>& row : dialog_.rows()) {
            QStringList cells;
            for (const std::string& cell : row)
                cells << toQt(cell);
            new QTreeWidgetItem(list_, cells);
        }
    }

    PresetsDialog& dialog_;
    Prompter& prompter_;
    LogbookWordLists* words_;
    QTreeWidget* list_;
};

} // namespace

void runPresetsWindow(QWidget* parent, const std::string& dataDirectory, Prompter& prompter, LogbookWordLists* words) {
    PresetsDialog dialog(dataDirectory, prompter);
    if (!dialog.open()) return;
    PresetsWindow window(dialog, prompter, words, parent);
    window.exec();
}

} // namespace lorvan
