#include "app/list_box.h"

#include "app/list_row_delegate.h"
#include "files/message_text.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>

namespace brindo {

namespace {

// The name a row stands for; its text shows the library's name for it, fit
// for the screen.
constexpr int kNameRole = Qt::UserRole;

bool isMoveKey(int key) {
    return key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Home || key == Qt::Key_End ||
           key == Qt::Key_PageUp || key == Qt::Key_PageDown;
}

} // namespace

ListBox::ListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
    setUniformItemSizes(true);
    setItemDelegate(new ListRowDelegate(this));
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

std::optional<QString> ListBox::selectedName() const {
    const int row = selectedRow();
    if (row < 0) {
        return std::nullopt;
    }
    return item(row)->data(kNameRole).toString();
}

QStringList ListBox::rows() const {
    QStringList names;
    names.reserve(count());
    for (int row = 0; row < count(); ++row) {
        names.append(item(row)->data(kNameRole).toString());
    }
    return names;
}

QString ListBox::nameAt(int row) const {
    const QListWidgetItem* found = item(row);
    return found != nullptr ? found->data(kNameRole).toString() : QString();
}

QStringList ListBox::shownRows() const {
    QStringList texts;
    texts.reserve(count());
    for (int row = 0; row < count(); ++row) {
        texts.append(item(row)->text());
    }
    return texts;
}

int ListBox::rowOf(const QString& name) const {
    for (int row = 0; row < count(); ++row) {
        if (item(row)->data(kNameRole).toString() == name) {
            return row;
        }
    }
    return -1;
}

void ListBox::setRows(const QStringList& rows) {
    setRows(rows, rows);
}

void ListBox::setRows(const QStringList& rows, const QStringList& shown) {
    clear();
    for (qsizetype index = 0; index < rows.size(); ++index) {
        // Given its data before it joins the list, so that the view hears of
        // each row once.
        auto* row = new QListWidgetItem(fitForMessage(shown.value(index, rows.at(index))));
        row->setData(kNameRole, rows.at(index));
        addItem(row);
    }
}

void ListBox::updateRows(const QStringList& rows, const QStringList& shown) {
    QStringList fitted;
    for (const QString& text : shown) {
        fitted.append(fitForMessage(text));
    }
    if (rows == this->rows() && fitted == shownRows()) {
        return;
    }
    const std::optional<QString> selected = selectedName();
    const int top = indexAt(QPoint(0, 0)).row();
    {
        const QSignalBlocker quiet(this);
        setRows(rows, shown);
    }
    if (top > 0 && top < count()) {
        scrollToItem(item(top), QAbstractItemView::PositionAtTop);
    }
    selectQuietly(selected ? rowOf(*selected) : -1);
}

void ListBox::selectQuietly(int row) {
    const QSignalBlocker quiet(this);
    if (row < 0 || row >= count()) {
        clearSelection();
        selectionModel()->clearCurrentIndex();
        return;
    }
    setCurrentRow(row);
    scrollToItem(item(row));
}

bool ListBox::picksWith(const QMouseEvent* event) const {
    const bool left = event->type() == QEvent::MouseMove ? event->buttons() == Qt::LeftButton
                                                         : event->button() == Qt::LeftButton;
    return left && itemAt(event->position().toPoint()) != nullptr;
}

void ListBox::mousePressEvent(QMouseEvent* event) {
    if (!picksWith(event)) {
        setFocus(Qt::MouseFocusReason);
        event->accept();
        return;
    }
    const int before = selectedRow();
    QListWidget::mousePressEvent(event);
    // A click on the row that is already selected changes no selection, yet
    // it is a click all the same.
    if (before >= 0 && selectedRow() == before &&
        itemAt(event->position().toPoint()) == item(before)) {
        emit clicked();
    }
}

// Dragging with the left button moves the selection over the rows, and
// leaves it where it was beside them.
void ListBox::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() != Qt::NoButton && !picksWith(event)) {
        event->accept();
        return;
    }
    QListWidget::mouseMoveEvent(event);
}

void ListBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    QListWidget::mouseReleaseEvent(event);
}

void ListBox::mouseDoubleClickEvent(QMouseEvent* event) {
    if (!picksWith(event)) {
        event->accept();
        return;
    }
    QListWidget::mouseDoubleClickEvent(event);
}

// The keyboard focus rests on the first row before any is selected; the
// first move selects a row rather than moving on from that one.
void ListBox::keyPressEvent(QKeyEvent* event) {
    if (selectedRow() < 0 && isMoveKey(event->key())) {
        selectionModel()->clearCurrentIndex();
    }
    QListWidget::keyPressEvent(event);
}

QModelIndex ListBox::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    if (!currentIndex().isValid() && count() > 0) {
        return indexFromItem(item(action == MoveEnd ? count() - 1 : 0));
    }
    return QListWidget::moveCursor(action, modifiers);
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
