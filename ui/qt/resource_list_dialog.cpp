// The modal "Resource List" Qt dialog: shows a ResourceListWindow and forwards its clicks.
#include "ui/qt/resource_list_dialog.h"

#include <QDialog>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>

#include <array>

#include "resources/resource_list.h"

namespace torvex {

namespace {

int Pixels(int twips) { return twips / 15; }

class ResourceListDialog : public QDialog {
public:
    ResourceListDialog(QWidget* parent, ResourceListWindow& window) : QDialog(parent), window_(window) {
        setObjectName("frmResource");
        setWindowTitle(ResourceListWindow::kCaption);
        setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                       Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
        setModal(true);
        const int w = Pixels(ResourceListWindow::kWidthTwips), h = Pixels(ResourceListWindow::kHeightTwips);
        setFixedSize(w, h);

        // The list on the left, the buttons in a column on its right.
        const int margin = 8, buttonW = 96, buttonH = 26, gap = 6;
        list_ = new QTreeWidget(this);
        list_->setObjectName("lvwResource");
        list_->setRootIsDecorated(false);
        list_->setItemsExpandable(false);
        list_->setUniformRowHeights(true);
        list_->setSelectionMode(QAbstractItemView::SingleSelection);
        list_->setSelectionBehavior(QAbstractItemView::SelectRows);
        list_->setGeometry(margin, margin, w - 3 * margin - buttonW, h - 2 * margin);

        static constexpr std::array<ListButton, 5> order = {ListButton::cmdSelect, ListButton::cmdCallup,
                                                            ListButton::cmdRelease, ListButton::cmdAbort,
                                                            ListButton::cmdCancel};
        static constexpr std::array<const char*, 5> names = {"cmdSelect", "cmdCallup", "cmdRelease", "cmdAbort",
                                                             "cmdCancel"};
        int y = margin;
        for (size_t i = 0; i < order.size(); ++i) {
            auto* b = new QPushButton(QString::fromUtf8(ResourceListWindow::Caption(order[i])), this);
            b->setObjectName(names[i]);
            b->setAutoDefault(false);
            b->setGeometry(w - margin - buttonW, y, buttonW, buttonH);
            y += buttonH + gap;
            buttons_[static_cast<size_t>(order[i])] = b;
        }

        connect(list_, &QTreeWidget::itemSelectionChanged, this, [this] {
            if (!rendering_) window_.SetSelectedRow(CurrentRow());
        });
        connect(list_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem*, int) {
            window_.SetSelectedRow(CurrentRow());
            window_.RowClicked();
            Render();
        });
        On(ListButton::cmdSelect, [this] { window_.SelectClicked(); });
        On(ListButton::cmdCallup, [this] { window_.CallUpClicked(); });
        On(ListButton::cmdRelease, [this] { window_.ReleaseClicked(); });
        On(ListButton::cmdAbort, [this] { window_.AbortClicked(); });
        On(ListButton::cmdCancel, [this] { window_.CloseClicked(); });

        const auto& columns = window_.Columns();
        QStringList headers;
        for (const ListColumn& c : columns) headers << QString::fromStdString(c.header);
        list_->setHeaderLabels(headers);
        list_->header()->setStretchLastSection(false);
        for (int c = 0; c < static_cast<int>(columns.size()); ++c) list_->setColumnWidth(c, Pixels(columns[c].widthTwips));
        Render();
    }

private:
    template <typename Fn>
    void On(ListButton b, Fn fn) {
        connect(buttons_[static_cast<size_t>(b)], &QPushButton::clicked, this, [this, fn] {
            fn();
            Render();
            if (window_.CloseRequested()) {
                window_.Closing();
                accept();
            }
        });
    }

    int CurrentRow() const {
        const auto selected = list_->selectedItems();
        return selected.isEmpty() ? -1 : list_->indexOfTopLevelItem(selected.first());
    }

    // Rows and buttons as the logic holds them now.
    void Render() {
        rendering_ = true;
        const auto& rows = window_.Rows();
        while (list_->topLevelItemCount() > static_cast<int>(rows.size())) delete list_->takeTopLevelItem(list_->topLevelItemCount() - 1);
        for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
            QTreeWidgetItem* item = list_->topLevelItem(i);
            if (!item) {
                item = new QTreeWidgetItem;
                list_->addTopLevelItem(item);
            }
            item->setText(0, QString::fromStdString(rows[i].name));
            item->setText(1, QString::fromStdString(rows[i].className));
            item->setText(2, QString::fromStdString(rows[i].available));
        }
        list_->clearSelection();
        if (QTreeWidgetItem* item = list_->topLevelItem(window_.SelectedRow())) item->setSelected(true);
        for (size_t b = 0; b < buttons_.size(); ++b) {
            if (!buttons_[b]) continue;
            buttons_[b]->setVisible(window_.Visible(static_cast<ListButton>(b)));
            buttons_[b]->setEnabled(window_.Enabled(static_cast<ListButton>(b)));
        }
        rendering_ = false;
    }

    ResourceListWindow& window_;
    QTreeWidget* list_ = nullptr;
    std::array<QPushButton*, static_cast<size_t>(ListButton::Count)> buttons_{};
    bool rendering_ = false;
};

}  // namespace

void ShowResourceListDialog(QWidget* parent, ResourceListWindow& window) {
    ResourceListDialog dialog(parent, window);
    // Centred over the main window.
    if (QWidget* top = parent ? parent->window() : nullptr) {
        const QRect main = top->frameGeometry();
        dialog.move((main.width() - dialog.width()) / 2 + main.left(), (main.height() - dialog.height()) / 2 + main.top());
    }
    dialog.exec();
    window.Closing();
}

}  // namespace torvex
