#pragma once

#include <QListWidget>
#include <optional>

namespace brindo {

// A single-selection list that reports a click the way list boxes do: once for
// a left click on a row, also on the row already selected, and once for a
// selection moved with the keyboard. Other buttons, clicks beside the rows,
// and filling or clearing the list report nothing and keep the selection.
// Each row stands for a name (the file or folder that picks and documents
// use) and shows a text of its own, the name the library gives it, with
// control characters made visible; rows() and the selection answer the names
// themselves, type-ahead matches the shown texts.
class ListBox : public QListWidget {
    Q_OBJECT

public:
    explicit ListBox(QWidget* parent = nullptr);

    // Index of the selected row, or -1.
    int selectedRow() const;
    // The name in the selected row.
    std::optional<QString> selectedName() const;
    QStringList rows() const;
    // The name in a row; empty for a row that does not exist.
    QString nameAt(int row) const;
    QStringList shownRows() const;
    // The row that stands for `name`, or -1.
    int rowOf(const QString& name) const;
    // Rows that show their names.
    void setRows(const QStringList& rows);
    // Rows that show `shown`, one text for each name.
    void setRows(const QStringList& rows, const QStringList& shown);
    // The same rows again where names or texts changed, keeping the selected
    // name selected without reporting a click.
    void updateRows(const QStringList& rows, const QStringList& shown);
    // Selects a row (-1: none) without reporting a click, and shows it.
    void selectQuietly(int row);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;

private:
    // Whether the list deals with the mouse event: a left-button event on a row.
    bool picksWith(const QMouseEvent* event) const;
};

} // namespace brindo
