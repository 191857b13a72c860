// The modal "Resource List" window over the list's logic.
#pragma once

class QWidget;

namespace torvex {

class ResourceListWindow;

// Shows the list modally, centred over parent, and returns when it closes.
void ShowResourceListDialog(QWidget* parent, ResourceListWindow& window);

}  // namespace torvex
