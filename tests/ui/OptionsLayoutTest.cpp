// The options window as a user sees it: every page laid out without clipped or overlapping
// controls. With BREVANE_PICTURES set to a folder, a picture of each page is saved there.
#include "contracts/Options.h"
#include "contracts/ScriptedPrompt.h"
#include "ui/TOptionEditForm.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The controls a user reads or uses on a page: labels, buttons, boxes and edits (not the
// parts inside an up-down), as they stand on the page.
std::vector<QWidget*> Controls(QWidget& page) {
    std::vector<QWidget*> found;
    for (QWidget* child : page.findChildren<QWidget*>()) {
        if (!child->isVisibleTo(&page) || qobject_cast<QSpinBox*>(child->parentWidget()))
            continue;
        if (qobject_cast<QLabel*>(child) || qobject_cast<QAbstractButton*>(child) ||
            qobject_cast<QLineEdit*>(child) || qobject_cast<QComboBox*>(child) ||
            qobject_cast<QSlider*>(child) || qobject_cast<QSpinBox*>(child))
            found.push_back(child);
    }
    return found;
}

QRect OnPage(QWidget& page, const QWidget* control) {
    return QRect(control->mapTo(&page, QPoint(0, 0)), control->size());
}

TEST(OptionsLayout, EveryPageShowsItsTextsWholeAndNothingOverlaps) {
    for (const char* owner : {"ContractManagerForm", "FrontOffice"}) {
        QWidget main;
        main.setObjectName(owner);
        Options options;
        ScriptedPrompt prompt;
        TOptionEditForm form(options, prompt, main);
        // The CGS page with a group in its edits, the rookie page with a value.
        form.posSelector->setCurrentIndex(1);
        form.UpdateFields();
        form.rCGS->setText("$1,250,000");
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        EXPECT_EQ(form.minimumSize(), form.maximumSize()); // fixed border
        const QRect desktop = form.screen()->availableGeometry();
        // Centred on the desktop and within it.
        EXPECT_LE((form.frameGeometry().center() - desktop.center()).manhattanLength(), 2);
        EXPECT_TRUE(desktop.contains(form.frameGeometry()));

        for (int index = 0; index < form.PageControl1->count(); ++index) {
            form.PageControl1->setCurrentIndex(index);
            QWidget& page = *form.PageControl1->widget(index);
            QTest::qWait(20);
            const std::vector<QWidget*> controls = Controls(page);
            ASSERT_GT(controls.size(), 3u) << page.objectName().toStdString();
            for (QWidget* control : controls) {
                const std::string name =
                    page.objectName().toStdString() + "/" + control->objectName().toStdString() + " " + owner;
                const QRect place = OnPage(page, control);
                EXPECT_TRUE(page.rect().contains(place)) << name;
                if (auto* edit = qobject_cast<QLineEdit*>(control)) {
                    EXPECT_LE(edit->fontMetrics().horizontalAdvance(edit->text()) + 6, edit->width()) << name;
                }
                if (qobject_cast<QLabel*>(control) || qobject_cast<QAbstractButton*>(control)) {
                    EXPECT_GE(control->width(), control->sizeHint().width()) << name;
                    EXPECT_GE(control->height(), control->sizeHint().height()) << name;
                }
                for (QWidget* other : controls) {
                    const bool apart =
                        other != control && !control->isAncestorOf(other) && !other->isAncestorOf(control);
                    EXPECT_FALSE(apart && place.intersects(OnPage(page, other)))
                        << name << " overlaps " << other->objectName().toStdString();
                }
            }
            const QString folder = qEnvironmentVariable("BREVANE_PICTURES");
            if (!folder.isEmpty())
                form.grab().save(folder + "/options-" + owner + "-" + page.objectName() + ".png");
        }
    }
}

} // namespace
