#include "ui/HeadedEditRow.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace {

// The centre of each run of non-blank characters of text, in pixels from its start.
std::vector<int> HeadingCentres(const QString& text, const QFontMetrics& metrics) {
    std::vector<int> centres;
    qsizetype i = 0;
    while (i < text.size()) {
        if (text[i].isSpace()) {
            ++i;
            continue;
        }
        const qsizetype start = i;
        while (i < text.size() && !text[i].isSpace())
            ++i;
        const int left = metrics.horizontalAdvance(text.left(start));
        const int right = metrics.horizontalAdvance(text.left(i));
        centres.push_back((left + right) / 2);
    }
    return centres;
}

} // namespace

HeadedEditRow::HeadedEditRow(const QString& text, const std::vector<QLineEdit*>& rowEdits, QWidget* parent)
    : QWidget(parent), caption(new QLabel(text, this)), edits(rowEdits) {
    caption->setMargin(0);
    caption->setIndent(0);
    for (QLineEdit* edit : edits) {
        edit->setParent(this);
        edit->setAlignment(Qt::AlignCenter);
    }
    Arrange();
}

void HeadedEditRow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        Arrange();
    QWidget::changeEvent(event);
}

void HeadedEditRow::Arrange() {
    const QFontMetrics metrics = caption->fontMetrics();
    const QSize captionSize = caption->sizeHint();
    caption->setGeometry(0, 0, captionSize.width(), captionSize.height());
    std::vector<int> centres = HeadingCentres(caption->text(), metrics);
    centres.resize(edits.size(), centres.empty() ? 0 : centres.back());

    // Every edit as wide as the narrowest gap between two headings allows, less a little air.
    int width = metrics.horizontalAdvance("000") + 8;
    for (std::size_t i = 1; i < centres.size(); ++i)
        width = std::min(width, centres[i] - centres[i - 1] - 3);
    width = std::max(width, metrics.horizontalAdvance("00") + 6);

    const int top = captionSize.height() + 2;
    int right = captionSize.width();
    int height = top;
    for (std::size_t i = 0; i < edits.size(); ++i) {
        const int editHeight = edits[i]->sizeHint().height();
        const int left = std::max(0, centres[i] - width / 2);
        edits[i]->setFixedWidth(width);
        edits[i]->setGeometry(left, top, width, editHeight);
        right = std::max(right, left + width);
        height = std::max(height, top + editHeight);
    }
    setFixedSize(right, height);
}
