#pragma once

#include "app/main_window.h"

#include <memory>

namespace brindo::bench {

// A window that answers no dialog and prints what it would tell the user.
std::unique_ptr<MainWindow> makeWindow(const QString& nativeLibrary);

// Clicks the row that stands for `row`, scrolled into view; ends the run
// when there is none.
void click(ListBox* list, const QString& row);

// Every layer slot on, through the lists as a person would.
void dressFully(MainWindow& form);

} // namespace brindo::bench
