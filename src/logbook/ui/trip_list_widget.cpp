#include "logbook/ui/trip_list_widget.h"

#include "gui/common/qt_platform.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QStyle>

namespace lorvan {

namespace {

QIcon kindIcon(const TripRow& row, bool valid) {
    QStyle* style = QApplication::style();
    if (!valid) return style->standardIcon(QStyle::SP_MessageBoxWarning);
    if (row.cancelled) return style->standardIcon(QStyle::SP_DialogCancelButton);
    if (row.kind == "G") return style->standardIcon(QStyle::SP_DriveNetIcon);
    if (row.kind == "A") return style->standardIcon(QStyle::SP_DirHomeIcon);
    if (row.kind == "P") return style->standardIcon(QStyle::SP_DialogYesButton);
    return style->standardIcon(QStyle::SP_MessageBoxQuestion);
}

} // namespace

TripListWidget::TripListWidget(QWidget* parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("tripList"));
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHeaderLabels({QStringLiteral("Art"), QStringLiteral("Start"), QStringLiteral("nach"), QStringLiteral("Ort"),
                     QStringLiteral("Kilometerstand"), QStringLiteral("Ankunft")});
    const int widths[] = {50, 120, 170, 220, 100, 120};
    for (int i = 0; i < 6; ++i)
        setColumnWidth(i, widths[i]);
    connect(this, &QTreeWidget::itemDoubleClicked, this, [this] { emit openRequested(selectedRow()); });
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu menu(this);
        menu.addAction(QStringLiteral("Aktuell ausgewählten &Eintrag öffnen..."), this,
                       [this] { emit openRequested(selectedRow()); });
        menu.addAction(QStringLiteral("Aktuell ausgewählten Eintrag &löschen"), this,
                       [this] { emit deleteRequested(selectedRow()); });
        menu.exec(viewport()->mapToGlobal(at));
    });
}

void TripListWidget::setRows(const std::vector<TripRow>& rows, const std::vector<bool>& valid, int selected) {
    clear();
    for (size_t i = 0; i < rows.size(); ++i) {
        const TripRow& row = rows[i];
        auto* item = new QTreeWidgetItem(this, {toQt(row.kind), toQt(row.start), toQt(row.person),
                                                toQt(row.location), toQt(row.kilometres), toQt(row.arrival)});
        item->setIcon(0, kindIcon(row, i >= valid.size() || valid[i]));
        item->setTextAlignment(4, Qt::AlignRight | Qt::AlignVCenter);
    }
    if (selected >= 0 && selected < topLevelItemCount()) setCurrentItem(topLevelItem(selected));
}

int TripListWidget::selectedRow() const {
    QTreeWidgetItem* item = currentItem();
    return item != nullptr && item->isSelected() ? indexOfTopLevelItem(item) : -1;
}

void TripListWidget::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit openRequested(selectedRow());
        return;
    }
    if (event->key() == Qt::Key_Delete) {
        emit deleteRequested(selectedRow());
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

} // namespace lorvan
