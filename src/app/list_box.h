#pragma once

#include <QListWidget>

namespace brindo {

// A single-selection list that reports a click the way list boxes do: once for
// a mouse click, also on the row already selected, and once for a selection
// moved with the keyboard. Filling or clearing the list reports nothing.
class ListBox : public QListWidget {
    Q_OBJECT

public:
    explicit ListBox(QWidget* parent = nullptr);

    // Index of the selected row, or -1.
    int selectedRow() const;
    QStringList rows() const;
    void setRows(const QStringList& rows);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
};

} // namespace brindo
