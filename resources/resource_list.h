// The "Resource List" window's logic: its rows, availability texts and buttons, without any toolkit.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace torvex {

struct Sim;
struct Resource;

enum class ListButton { cmdSelect, cmdCancel, cmdAbort, cmdCallup, cmdRelease, Count };

struct ResourceRow {
    std::string name;       // the row's text
    std::string className;  // column 2
    std::string available;  // column 3
};

struct ListColumn {
    std::string header;
    int widthTwips = 0;
};

// The text of the "AVAILABLE AT" column for a roster entry.
std::string AvailabilityText(const Sim& sim, const Resource& r);

// One opening of the list. Build it with Load(); the window (Qt or a test) renders from the
// accessors and forwards clicks to the handlers. The roster changes at once on every button.
class ResourceListWindow {
public:
    static constexpr const char* kCaption = "Resource List";
    static constexpr int kWidthTwips = 6585;
    static constexpr int kHeightTwips = 3405;
    static constexpr const char* kMustSelect = "You must select an available resource.";

    explicit ResourceListWindow(Sim& sim) : sim_(sim) {}

    // Opening: empties everything and lists the requested kind's resources in roster order.
    void Load();

    const std::array<ListColumn, 3>& Columns() const { return columns_; }
    const std::vector<ResourceRow>& Rows() const { return rows_; }
    int SelectedRow() const { return selected_; }  // -1 when no row is selected
    bool Enabled(ListButton b) const { return buttons_[static_cast<size_t>(b)].enabled; }
    bool Visible(ListButton b) const { return buttons_[static_cast<size_t>(b)].visible; }
    static const char* Caption(ListButton b);  // with "&" before the access key
    const std::string& SelectedName() const { return selectedName_; }
    // Set by Select and Close: the window should close now.
    bool CloseRequested() const { return closeRequested_; }

    // The list view's selection changed (keyboard or mouse); -1 clears it.
    void SetSelectedRow(int row);
    // lvwResource click: the button table for the selected row.
    void RowClicked();
    void ClickRow(int row) {
        SetSelectedRow(row);
        RowClicked();
    }

    void SelectClicked();
    void CallUpClicked();
    void ReleaseClicked();
    void AbortClicked();
    void CloseClicked() { closeRequested_ = true; }
    // Closing by any way: hands the selection to SelectedResource. Safe to call more than once.
    void Closing();

    // Roster index of the first entry whose trimmed Name equals the trimmed text; 0 for none.
    int FindResource(std::string_view name) const;
    // Row index by trimmed name, -1 for none.
    int FindRow(std::string_view name) const;

private:
    struct ButtonState {
        bool enabled = true;
        bool visible = true;
    };
    ButtonState& Button(ListButton b) { return buttons_[static_cast<size_t>(b)]; }
    bool Usable(ListButton b) const { return Enabled(b) && Visible(b); }

    Sim& sim_;
    std::array<ListColumn, 3> columns_{};
    std::vector<ResourceRow> rows_;
    int selected_ = -1;
    std::array<ButtonState, static_cast<size_t>(ListButton::Count)> buttons_{};
    std::string selectedName_;
    bool closeRequested_ = false;
};

}  // namespace torvex
