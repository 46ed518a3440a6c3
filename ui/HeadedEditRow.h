#pragma once

#include <QWidget>

#include <vector>

class QLabel;
class QLineEdit;

// A caption of column headings written as one line of text (headings separated by blanks)
// with a row of edits below it, each edit centred under its heading. The edits follow the
// caption's own spacing, whatever font the caption is drawn in.
class HeadedEditRow : public QWidget {
  public:
    // edits: one per heading of the caption, in order; they become children of this row.
    HeadedEditRow(const QString& caption, const std::vector<QLineEdit*>& edits, QWidget* parent);

    QLabel* Caption() const { return caption; }

  protected:
    void changeEvent(QEvent* event) override;

  private:
    // Places the caption and the edits and fixes the row's size.
    void Arrange();

    QLabel* caption;
    std::vector<QLineEdit*> edits;
};
