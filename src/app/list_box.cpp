#include "app/list_box.h"

#include <QMouseEvent>

namespace brindo {

ListBox::ListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
    connect(this, &QListWidget::itemSelectionChanged, this, [this] {
        if (selectedRow() >= 0) {
            emit clicked();
        }
    });
}

int ListBox::selectedRow() const {
    for (int row = 0; row < count(); ++row) {
        if (item(row)->isSelected()) {
            return row;
        }
    }
    return -1;
}

QStringList ListBox::rows() const {
    QStringList texts;
    for (int row = 0; row < count(); ++row) {
        texts.append(item(row)->text());
    }
    return texts;
}

void ListBox::setRows(const QStringList& rows) {
    clear();
    addItems(rows);
}

void ListBox::mousePressEvent(QMouseEvent* event) {
    const int before = selectedRow();
    QListWidget::mousePressEvent(event);
    // A click on the row that is already selected changes no selection, yet
    // it is a click all the same.
    const QListWidgetItem* hit = itemAt(event->position().toPoint());
    if (before >= 0 && selectedRow() == before && hit == item(before)) {
        emit clicked();
    }
}

QItemSelectionModel::SelectionFlags ListBox::selectionCommand(const QModelIndex& index,
                                                              const QEvent* event) const {
    // The selected row stays selected: no control-click takes it away.
    const auto command = QListWidget::selectionCommand(index, event);
    if (command.testFlag(QItemSelectionModel::Deselect)) {
        return QItemSelectionModel::NoUpdate;
    }
    return command;
}

} // namespace brindo
