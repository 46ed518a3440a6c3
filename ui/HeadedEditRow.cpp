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

HeadedEditRow::HeadedEditRow(const QString& caption, const std::vector<QLineEdit*>& edits, QWidget* parent)
    : QWidget(parent), caption_(new QLabel(caption, this)), edits_(edits) {
    caption_->setMargin(0);
    caption_->setIndent(0);
    for (QLineEdit* edit : edits_) {
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
    const QFontMetrics metrics = caption_->fontMetrics();
    const QSize captionSize = caption_->sizeHint();
    caption_->setGeometry(0, 0, captionSize.width(), captionSize.height());
    std::vector<int> centres = HeadingCentres(caption_->text(), metrics);
    centres.resize(edits_.size(), centres.empty() ? 0 : centres.back());

    // Every edit as wide as the narrowest gap between two headings allows, less a little air.
    int width = metrics.horizontalAdvance("000") + 8;
    for (std::size_t i = 1; i < centres.size(); ++i)
        width = std::min(width, centres[i] - centres[i - 1] - 3);
    width = std::max(width, metrics.horizontalAdvance("00") + 6);

    const int top = captionSize.height() + 2;
    int right = captionSize.width();
    int height = top;
    for (std::size_t i = 0; i < edits_.size(); ++i) {
        const int editHeight = edits_[i]->sizeHint().height();
        const int left = std::max(0, centres[i] - width / 2);
        edits_[i]->setFixedWidth(width);
        edits_[i]->setGeometry(left, top, width, editHeight);
        right = std::max(right, left + width);
        height = std::max(height, top + editHeight);
    }
    setFixedSize(right, height);
}
