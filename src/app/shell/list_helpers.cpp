#include "shell/list_helpers.h"

#include <QComboBox>
#include <QListWidget>

namespace i40::app {
namespace {

int EntryToSelect(int count, int index, int fallback) {
  if (index >= 0 && index < count) return index;
  return fallback >= 0 && fallback < count ? fallback : -1;
}

}  // namespace

void SelectListItem(QComboBox* list, int index, int fallback) {
  list->setCurrentIndex(EntryToSelect(list->count(), index, fallback));
}

void SelectListItem(QListWidget* list, int index, int fallback) {
  list->setCurrentRow(EntryToSelect(list->count(), index, fallback));
}

}  // namespace i40::app
