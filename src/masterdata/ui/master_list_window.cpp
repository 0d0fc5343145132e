#include "masterdata/ui/master_list_window.h"

#include "gui/common/desktop.h"
#include "gui/common/qt_platform.h"
#include "gui/common/view_parts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

namespace lorvan {

MasterListWindow::MasterListWindow(Desktop& desktop, const QString& title,
                                   std::span<const MasterListColumn> columns, const QString& newButtonText,
                                   QWidget* parent)
    : DocumentView(nullptr, parent), desktop_(desktop), content_(new QWidget), list_(new QTreeWidget),
      extras_(new QVBoxLayout), newButton_(new QPushButton(newButtonText)),
      saveAndCloseButton_(new QPushButton(toQt(CustomerWindow::kSaveAndCloseButton))),
      cancelButton_(new QPushButton(toQt(CustomerWindow::kCancelButton))) {
    setWindowTitle(title);
    placeInScrollArea(this, content_);

    auto* layout = new QVBoxLayout(content_);
    QStringList headers;
    for (const MasterListColumn& column : columns)
        headers << toQt(column.title);
    list_->setHeaderLabels(headers);
    for (size_t i = 0; i < columns.size(); ++i) {
        list_->setColumnWidth(static_cast<int>(i), columns[i].width);
        columnWidths_.push_back(columns[i].width);
    }
    list_->header()->setStretchLastSection(true);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    onListKeys(list_, [this] { editSelected(); }, [this] { deleteSelected(); });
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { editSelected(); });
    connect(list_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (filling_) return;
        const int row = item != nullptr ? list_->indexOfTopLevelItem(item) : -1;
        selectInLogic(row >= 0 ? std::optional<size_t>(static_cast<size_t>(row)) : std::nullopt);
        emit commandStateChanged();
    });
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list_, &QWidget::customContextMenuRequested, this, [this](const QPoint& position) {
        std::unique_ptr<QMenu> menu(createListMenu());
        menu->exec(list_->viewport()->mapToGlobal(position));
    });
    layout->addWidget(list_, 1);
    layout->addLayout(extras_);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(newButton_);
    buttons->addStretch();
    buttons->addWidget(saveAndCloseButton_);
    buttons->addWidget(cancelButton_);
    layout->addLayout(buttons);
    connect(newButton_, &QPushButton::clicked, this, [this] { createEntry(); });
    connect(saveAndCloseButton_, &QPushButton::clicked, this, [this] { saveAndClose(); });
    connect(cancelButton_, &QPushButton::clicked, this, [this] { cancel(); });
}

void MasterListWindow::setDesignedSize(QSize size) {
    // Never smaller than the fields and buttons need in the font of this desktop.
    size = size.expandedTo(content_->sizeHint());
    designedSize_ = size;
    content_->setMinimumSize(size);
    resize(size);
}

QWidget* MasterListWindow::focusTarget() {
    // The keys go to the list at once: arrows choose, Enter edits, Delete deletes.
    return list_;
}

void MasterListWindow::showRows() {
    filling_ = true;
    list_->clear();
    for (int column = 0; column < list_->columnCount(); ++column)
        if (alignRight(static_cast<size_t>(column)))
            list_->headerItem()->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
    for (const std::vector<std::string>& texts : rowTexts()) {
        auto* item = new QTreeWidgetItem(list_);
        for (size_t column = 0; column < texts.size(); ++column) {
            item->setText(static_cast<int>(column), toQt(texts[column]));
            if (alignRight(column))
                item->setTextAlignment(static_cast<int>(column), Qt::AlignRight | Qt::AlignVCenter);
        }
    }
    if (const std::optional<size_t> row = logicSelection()) {
        QTreeWidgetItem* item = list_->topLevelItem(static_cast<int>(*row));
        list_->setCurrentItem(item);
        list_->scrollToItem(item);
    } else {
        list_->setCurrentItem(nullptr);
    }
    filling_ = false;
    fitColumns();
    emit commandStateChanged();
}

void MasterListWindow::fitColumns() {
    // The cell's margins and a little air beside the widest text, so that none touches the next column.
    const int air = 2 * (list_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list_) + 1) + 8;
    int total = 0;
    for (int i = 0; i < list_->columnCount(); ++i) {
        int needed = list_->header()->sectionSizeHint(i) + 8;
        for (int row = 0; row < list_->topLevelItemCount(); ++row)
            needed = std::max(needed, list_->fontMetrics().horizontalAdvance(list_->topLevelItem(row)->text(i)) + air);
        const int width = std::max(columnWidths_[static_cast<size_t>(i)], needed);
        list_->setColumnWidth(i, width);
        total += width;
    }
    // The window is laid out wide enough to show every column whole beside the scroll bar.
    const QMargins margins = content_->layout()->contentsMargins();
    const int listWidth = total + 2 * list_->frameWidth() + list_->verticalScrollBar()->sizeHint().width();
    const int width = listWidth + margins.left() + margins.right();
    if (width > designedSize_.width()) setDesignedSize(QSize(width, designedSize_.height()));
}

void MasterListWindow::after(MasterListCommand result) {
    if (result == MasterListCommand::NothingSelected) {
        QApplication::beep();
        return;
    }
    // A cancelled edit leaves the rows as they were, but the file may have been read again.
    showRows();
}

void MasterListWindow::createEntry() {
    after(runCreate());
    list_->setFocus();
}

void MasterListWindow::editSelected() {
    after(runEdit());
}

void MasterListWindow::deleteSelected() {
    after(runDelete());
}

QMenu* MasterListWindow::createListMenu() {
    auto* menu = new QMenu(toQt(CustomerWindow::kListMenu), this);
    const bool selected = logicSelection().has_value();
    menu->addAction(toQt(CustomerWindow::kOpenEntryCommand), this, [this] { editSelected(); })
        ->setEnabled(selected);
    menu->addAction(toQt(CustomerWindow::kDeleteEntryCommand), this, [this] { deleteSelected(); })
        ->setEnabled(selected);
    return menu;
}

void MasterListWindow::saveAndClose() {
    if (!runSaveAndClose()) return;
    closeWindow();
}

void MasterListWindow::cancel() {
    closeWindow();
}

void MasterListWindow::closeWindow() {
    emit closingByOwnButton();
    // The view sits in a window of the main window; closing that closes the view (and asks).
    if (parentWidget() != nullptr)
        parentWidget()->close();
    else
        close();
}

void MasterListWindow::closeEvent(QCloseEvent* event) {
    if (!closingWithoutQuestions_ && !runMayClose()) {
        event->ignore();
        return;
    }
    DocumentView::closeEvent(event);
}

} // namespace lorvan
