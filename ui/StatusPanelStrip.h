#pragma once

#include <QLabel>
#include <QWidget>

#include <array>

// The five panels of the main window's status bar: the club's name, its bonus money spent,
// current and estimated payroll, and a last panel that shows the status bar's progress text
// ("Reading League File...", "Data Loaded") until the club's cap space takes its place. Each of the first
// four is as wide as its text needs and grows towards its designed width (75, 175, 175, 200) when the bar has
// room; the last takes the rest. Only when the bar is too narrow for every text are the figures cut, with
// "..." (their whole text is the tool tip); the club's name is cut last.
class StatusPanelStrip : public QWidget {
  public:
    static constexpr int kPanels = 5;
    static constexpr std::array<int, kPanels> kWidths = {75, 175, 175, 200, 50};
    static const std::array<const char*, kPanels> kDesignTexts;

    explicit StatusPanelStrip(QWidget* parent);

    std::array<QLabel*, kPanels> panels{};

    // A panel's text (and tool tip: the whole text, then what it counts); the panels are
    // arranged again for it.
    void SetText(int panel, const QString& text, const QString& explanation = {});
    // A panel's text in red (a figure below zero) or in the usual colour.
    void SetAlarm(int panel, bool alarm);
    // The panels' design texts again, as before a league was opened.
    void ShowDesignTexts();
    // The width each panel needs to show its whole text, and all of them together.
    int NeededWidth(int panel) const;
    int NeededWidth() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void Arrange();
};
