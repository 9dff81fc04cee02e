#include "app/list_row_delegate.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <QTextLayout>
#include <QTextOption>
#include <utility>

namespace brindo {

namespace {

// Texts of rows long gone are let go all at once past this many.
constexpr qsizetype kMostKeptTexts = 4096;

// Lays the text out on a line of `width`, as item views do; its natural
// width, or none where it takes more than one line.
std::optional<qreal> layOutOneLine(QTextLayout& layout, int width) {
    layout.beginLayout();
    QTextLine line = layout.createLine();
    std::optional<qreal> natural;
    if (line.isValid()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, 0));
        natural = line.naturalTextWidth();
        if (layout.createLine().isValid()) {
            natural.reset();
        }
    }
    layout.endLayout();
    return natural;
}

QPalette::ColorGroup enabledGroup(const QStyleOptionViewItem& row) {
    return row.state.testFlag(QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
}

QColor textColour(const QStyleOptionViewItem& row) {
    QPalette::ColorGroup group = enabledGroup(row);
    if (group == QPalette::Normal && !row.state.testFlag(QStyle::State_Active)) {
        group = QPalette::Inactive;
    }
    return row.palette.color(group, row.state.testFlag(QStyle::State_Selected)
                                        ? QPalette::HighlightedText
                                        : QPalette::Text);
}

// The frame of the row with the keyboard focus, as the style draws it.
void drawFocusFrame(const QStyleOptionViewItem& row, const QStyle& style, QPainter* painter) {
    QStyleOptionFocusRect frame;
    frame.QStyleOption::operator=(row);
    frame.rect = style.subElementRect(QStyle::SE_ItemViewItemFocusRect, &row, row.widget);
    frame.state |= QStyle::State_KeyboardFocusChange | QStyle::State_Item;
    frame.backgroundColor = row.palette.color(
        enabledGroup(row),
        row.state.testFlag(QStyle::State_Selected) ? QPalette::Highlight : QPalette::Window);
    style.drawPrimitive(QStyle::PE_FrameFocusRect, &frame, painter, row.widget);
}

} // namespace

void ListRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    QStyleOptionViewItem row = option;
    initStyleOption(&row, index);
    const QWidget* widget = row.widget;
    const QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    // Where the selection covers the whole row, the style's text area does not
    // depend on the text, so it can be asked for without the text.
    const bool textAreaKnown = row.showDecorationSelected && !row.text.isEmpty() &&
                               !row.features.testFlag(QStyleOptionViewItem::WrapText) &&
                               !row.state.testFlag(QStyle::State_Editing);
    if (!textAreaKnown) {
        style->drawControl(QStyle::CE_ItemViewItem, &row, painter, widget);
        return;
    }
    QString text = std::exchange(row.text, QString());
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &row, widget)
                           .adjusted(margin, 0, -margin, 0);
    const LaidOutText laid = laidOut(
        {text, area.size(), row.direction, row.displayAlignment, row.textElideMode}, row.font);
    if (!laid.text) {
        row.text = std::move(text);
        style->drawControl(QStyle::CE_ItemViewItem, &row, painter, widget);
        return;
    }
    // The style draws the focus frame over the text: after it, here.
    const bool focus = row.state.testFlag(QStyle::State_HasFocus);
    row.state.setFlag(QStyle::State_HasFocus, false);
    style->drawControl(QStyle::CE_ItemViewItem, &row, painter, widget);
    painter->save();
    painter->setClipRect(row.rect);
    painter->setPen(textColour(row));
    painter->setFont(row.font);
    painter->drawStaticText(QPointF(area.topLeft()) + laid.offset, *laid.text);
    if (focus) {
        row.state.setFlag(QStyle::State_HasFocus);
        drawFocusFrame(row, *style, painter);
    }
    painter->restore();
}

ListRowDelegate::LaidOutText ListRowDelegate::laidOut(const TextKey& key, const QFont& font) const {
    if (font != font_ || texts_.size() >= kMostKeptTexts) {
        texts_.clear();
        font_ = font;
    }
    const auto kept = texts_.constFind(key);
    if (kept != texts_.cend()) {
        return *kept;
    }
    QTextOption options;
    options.setWrapMode(QTextOption::ManualWrap);
    options.setTextDirection(key.direction);
    options.setAlignment(QStyle::visualAlignment(key.direction, key.alignment));
    QTextLayout whole(key.text, font);
    whole.setTextOption(options);
    const int width = key.area.width();
    const std::optional<qreal> natural = layOutOneLine(whole, width);
    LaidOutText laid;
    if (natural) {
        // Placed in the area as the style places it: by the height of its line.
        const QRect placed =
            QStyle::alignedRect(Qt::LayoutDirectionAuto, key.alignment,
                                whole.boundingRect().size().toSize(), QRect(QPoint(), key.area));
        if (placed.top() + whole.lineAt(0).height() > 0) {
            const QString shown = *natural > width
                                      ? QFontMetrics(font).elidedText(key.text, key.elide, width)
                                      : key.text;
            laid.text.emplace(shown);
            laid.text->setTextFormat(Qt::PlainText);
            laid.text->setTextOption(options);
            laid.text->setTextWidth(width);
            laid.text->prepare(QTransform(), font);
            laid.offset = QPointF(0, placed.top());
        }
    }
    texts_.insert(key, laid);
    return laid;
}

} // namespace brindo
