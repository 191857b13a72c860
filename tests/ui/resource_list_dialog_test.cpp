// The modal "Resource List" dialog: what it shows of the list's logic and the clicks it forwards.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "app/sim.h"
#include "resources/resource_list.h"
#include "support/fake_ui.h"
#include "ui/qt/resource_list_dialog.h"

namespace torvex::test {
namespace {

Resource Crew(const char* name, const char* activity) {
    Resource r;
    r.Name = name;
    r.ClassName = "Hand Crew";
    r.Kind = "Crew      ";
    r.Status = "Active";
    r.Activity = activity;
    return r;
}

TEST(ResourceListDialogTest, ShowsTheListAndForwardsClicks) {
    FakeUi ui;
    FakeClock clock;
    Sim sim(ui, clock);
    sim.roster.Roster = {Resource{}, Crew("Crew 1", "Available"), Crew("Crew 2", "Deployed")};
    sim.roster.ResourceCount = 2;
    sim.roster.RequestedKind = "Crew";
    ResourceListWindow window(sim);
    window.Load();

    QWidget parent;
    parent.setGeometry(100, 80, 800, 600);
    parent.show();

    bool answered = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Resource List");
        EXPECT_EQ(dialog->size(), QSize(439, 227));
        const QRect main = parent.frameGeometry();
        EXPECT_EQ(dialog->pos(), QPoint((main.width() - 439) / 2 + main.left(), (main.height() - 227) / 2 + main.top()));

        auto* tree = dialog->findChild<QTreeWidget*>("lvwResource");
        auto button = [&](const char* name) { return dialog->findChild<QPushButton*>(name); };
        ASSERT_NE(tree, nullptr);
        EXPECT_EQ(tree->headerItem()->text(0), "CREW");
        EXPECT_EQ(tree->headerItem()->text(2), "AVAILABLE AT");
        ASSERT_EQ(tree->topLevelItemCount(), 2);
        EXPECT_EQ(tree->topLevelItem(1)->text(2), "Deployed");
        EXPECT_EQ(button("cmdCallup")->text(), "Call &Up");
        EXPECT_FALSE(button("cmdAbort")->isHidden());
        EXPECT_FALSE(button("cmdAbort")->isEnabled());

        auto clickRow = [&](int row) {
            QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(tree->topLevelItem(row)).center());
        };
        clickRow(1);
        EXPECT_TRUE(button("cmdAbort")->isEnabled());
        EXPECT_FALSE(button("cmdRelease")->isEnabled());
        button("cmdAbort")->click();
        EXPECT_EQ(tree->topLevelItem(1)->text(2), "Aborted");

        clickRow(0);
        EXPECT_TRUE(button("cmdRelease")->isEnabled());
        button("cmdSelect")->click();
        answered = true;
    });
    // Should the checks stop half way, the dialog must still close.
    QTimer::singleShot(5000, [] {
        if (QWidget* m = QApplication::activeModalWidget()) m->close();
    });
    ShowResourceListDialog(&parent, window);

    EXPECT_TRUE(answered);
    EXPECT_EQ(sim.roster.Roster[2].Activity, "Available");
    EXPECT_EQ(sim.roster.SelectedResource, 1);
}

}  // namespace
}  // namespace torvex::test
