#pragma once

#include "app/main_window.h"

#include <memory>

namespace brindo::bench {

// A window that answers no dialog and prints what it would tell the user.
std::unique_ptr<MainWindow> makeWindow(const QString& nativeLibrary);

// Starts the window and waits until it is on the (offscreen) screen, so that
// a click's repaint really paints: a window never exposed paints nothing.
void startShown(MainWindow& form);

// Clicks the row that stands for `row`, scrolled into view; ends the run
// when there is none.
void click(ListBox* list, const QString& row);

// Every layer slot on, through the lists as a person would.
void dressFully(MainWindow& form);

} // namespace brindo::bench
