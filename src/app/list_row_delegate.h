#pragma once

#include <QFont>
#include <QHash>
#include <QStaticText>
#include <QStyledItemDelegate>
#include <optional>

namespace brindo {

// Paints list rows exactly as the style does, but lays out each row's text
// once instead of on every paint: a click repaints the two rows whose
// selection changed, and laying out their text twice a paint was a large
// part of the click. Rows are left to the style where its layout of the text
// depends on the text's size.
class ListRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    // A row's text as drawn: laid out, elided where it does not fit, and
    // where it starts relative to the row's text area.
    struct LaidOutText {
        std::optional<QStaticText> text; // none: left to the style
        QPointF offset;
    };
    struct TextKey {
        QString text;
        QSize area;
        Qt::LayoutDirection direction = Qt::LeftToRight;
        Qt::Alignment alignment;
        Qt::TextElideMode elide = Qt::ElideRight;

        bool operator==(const TextKey& other) const = default;
    };
    friend size_t qHash(const TextKey& key, size_t seed) {
        return qHashMulti(seed, key.text, key.area.width(), key.area.height(),
                          static_cast<int>(key.direction), key.alignment.toInt(),
                          static_cast<int>(key.elide));
    }

    LaidOutText laidOut(const TextKey& key, const QFont& font) const;

    mutable QFont font_; // the font the kept layouts were made with
    mutable QHash<TextKey, LaidOutText> texts_;
};

} // namespace brindo
