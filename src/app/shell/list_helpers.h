#pragma once

class QComboBox;
class QListWidget;

namespace i40::app {

// Selects entry `index` when the list has it, else entry `fallback` (when that exists).
void SelectListItem(QComboBox* list, int index, int fallback = 0);
void SelectListItem(QListWidget* list, int index, int fallback = 0);

}  // namespace i40::app
