#include "ui/StatusPanelStrip.h"

#include <QPainter>

#include <algorithm>
#include <numeric>

namespace {

constexpr int kIndent = 3;

// A panel whose text, when it does not fit, is cut with "..." instead of in the middle of a
// figure.
class StatusPanel : public QLabel {
  public:
    using QLabel::QLabel;

  protected:
    void paintEvent(QPaintEvent* event) override {
        QFrame::paintEvent(event);
        QPainter painter(this);
        const QRect area = contentsRect().adjusted(indent(), 0, 0, 0);
        painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter,
                         fontMetrics().elidedText(text(), Qt::ElideRight, area.width()));
    }
};

} // namespace

const std::array<const char*, StatusPanelStrip::kPanels> StatusPanelStrip::kDesignTexts = {
    "", "Bonus Money Spent:", "Current Payroll:", "Estimated Payroll:", ""};

StatusPanelStrip::StatusPanelStrip(QWidget* parent) : QWidget(parent) {
    setObjectName("StatusPanels");
    // A little smaller than the windows' text, so that payroll figures fit the panels.
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() - 1.5);
    setFont(small);
    for (int i = 0; i < kPanels; ++i) {
        auto* panel = new StatusPanel(kDesignTexts[static_cast<std::size_t>(i)], this);
        panel->setObjectName(QString("StatusPanel%1").arg(i));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setIndent(kIndent);
        panels[static_cast<std::size_t>(i)] = panel;
    }
    Arrange();
}

void StatusPanelStrip::SetText(int panel, const QString& text, const QString& explanation) {
    QLabel* label = panels[static_cast<std::size_t>(panel)];
    label->setText(text);
    label->setToolTip(explanation.isEmpty() || text.isEmpty() ? text : text + "\n" + explanation);
    Arrange();
}

void StatusPanelStrip::SetAlarm(int panel, bool alarm) {
    QLabel* label = panels[static_cast<std::size_t>(panel)];
    QPalette colours = palette();
    if (alarm)
        colours.setColor(QPalette::WindowText, QColor(200, 0, 0));
    label->setPalette(colours);
}

void StatusPanelStrip::ShowDesignTexts() {
    for (int i = 0; i < kPanels - 1; ++i)
        SetText(i, kDesignTexts[static_cast<std::size_t>(i)]);
    SetAlarm(kPanels - 1, false);
}

int StatusPanelStrip::NeededWidth(int panel) const {
    const QLabel* label = panels[static_cast<std::size_t>(panel)];
    if (label->text().isEmpty())
        return 0;
    return label->fontMetrics().horizontalAdvance(label->text()) + label->indent() + 2 * label->frameWidth() +
           kIndent;
}

int StatusPanelStrip::NeededWidth() const {
    int needed = 0;
    for (int i = 0; i < kPanels; ++i)
        needed += NeededWidth(i);
    return needed;
}

QSize StatusPanelStrip::sizeHint() const {
    return {std::accumulate(kWidths.begin(), kWidths.end(), 0), fontMetrics().height() + 6};
}

QSize StatusPanelStrip::minimumSizeHint() const {
    return {0, fontMetrics().height() + 6};
}

void StatusPanelStrip::resizeEvent(QResizeEvent*) {
    Arrange();
}

void StatusPanelStrip::Arrange() {
    // Every text whole first (the last panel's too: it shows the cap space); the room left
    // widens the first four panels towards their designed widths, in order, and the last panel
    // takes the rest.
    std::array<int, kPanels> widths{};
    int used = 0;
    for (int i = 0; i < kPanels; ++i) {
        widths[static_cast<std::size_t>(i)] = NeededWidth(i);
        used += widths[static_cast<std::size_t>(i)];
    }
    int spare = width() - used;
    for (int i = 0; i < kPanels - 1 && spare > 0; ++i) {
        int& w = widths[static_cast<std::size_t>(i)];
        const int grow = std::min(spare, std::max(0, kWidths[static_cast<std::size_t>(i)] - w));
        w += grow;
        spare -= grow;
    }
    // Too narrow for every text: the panels give way from the last (whose whole text is its tool
    // tip), the club's name last of all.
    for (int i = kPanels - 1; i >= 0 && spare < 0; --i) {
        int& w = widths[static_cast<std::size_t>(i)];
        const int keep = i == 0 || i == kPanels - 1 ? 0 : std::min(w, 40);
        const int give = std::min(-spare, w - keep);
        w -= give;
        spare += give;
    }
    widths[kPanels - 1] += std::max(0, spare);
    int x = 0;
    for (int i = 0; i < kPanels; ++i) {
        panels[static_cast<std::size_t>(i)]->setGeometry(x, 0, widths[static_cast<std::size_t>(i)], height());
        x += widths[static_cast<std::size_t>(i)];
    }
}
