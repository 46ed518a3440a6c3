#include "ui/PlainCellDelegate.h"

#include <QApplication>
#include <QPainter>

#include <algorithm>

namespace {

// Models give the alignment as Qt::Alignment or as a plain number.
int Alignment(const QVariant& value) {
    if (value.metaType() == QMetaType::fromType<Qt::Alignment>())
        return static_cast<int>(value.value<Qt::Alignment>());
    return value.isValid() ? value.toInt() : static_cast<int>(Qt::AlignLeft | Qt::AlignVCenter);
}

} // namespace

void PlainCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    const QWidget* widget = option.widget;
    const QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_PanelItemViewRow, &option, painter, widget);
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &option, painter, widget);

    const QPalette::ColorGroup group = !(option.state & QStyle::State_Enabled) ? QPalette::Disabled
                                       : (option.state & QStyle::State_Active) ? QPalette::Normal
                                                                               : QPalette::Inactive;
    QColor colour;
    if (option.state & QStyle::State_Selected) {
        colour = option.palette.color(group, QPalette::HighlightedText);
    } else {
        const QVariant foreground = index.data(Qt::ForegroundRole);
        colour = foreground.canConvert<QColor>() ? foreground.value<QColor>()
                                                 : option.palette.color(group, QPalette::Text);
    }
    // The same margin the standard delegate leaves, so texts stay where they were.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect box = option.rect.adjusted(margin, 0, -margin, 0);
    const int flags = Alignment(index.data(Qt::TextAlignmentRole));
    const QStaticText& text = LaidOut(index.data(Qt::DisplayRole).toString(), box.width(), option);
    const QSize size = text.size().toSize();
    const QRect place = QStyle::alignedRect(option.direction, Qt::Alignment(flags), size, box);
    painter->save();
    painter->setFont(option.font);
    painter->setPen(colour);
    painter->setClipRect(box, Qt::IntersectClip);
    painter->drawStaticText(place.topLeft(), text);
    painter->restore();

    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.state |= QStyle::State_KeyboardFocusChange | QStyle::State_Item;
        focus.backgroundColor = option.palette.color(
            group, option.state & QStyle::State_Selected ? QPalette::Highlight : QPalette::Window);
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    }
}

const QStaticText& PlainCellDelegate::LaidOut(const QString& text, int width,
                                              const QStyleOptionViewItem& option) const {
    if (option.font != laidOutFont) {
        laidOut.clear();
        laidOutFont = option.font;
    }
    // The width rides along as one more character: cheaper than formatting it as a number.
    QString key = text;
    key.append(QChar(static_cast<char16_t>(std::clamp(width, 0, 0xFFFF))));
    if (const QStaticText* known = laidOut.object(key))
        return *known;
    auto* made = new QStaticText(option.fontMetrics.elidedText(text, Qt::ElideRight, width));
    made->setTextFormat(Qt::PlainText);
    made->setPerformanceHint(QStaticText::AggressiveCaching);
    made->prepare(QTransform(), option.font);
    laidOut.insert(key, made);
    return *made;
}
