#pragma once

#include "app/main_window.h"
#include "support/fake_dialogs.h"
#include "support/temp_library.h"

#include <gtest/gtest.h>
#include <memory>

namespace brindo::test {

// Clicks the row that stands for `name`, whatever it shows, scrolled into view.
void clickRow(ListBox* list, const QString& name, Qt::MouseButton button = Qt::LeftButton);

// A main window on a library the test fills, settings afresh, dialogs answered by the test.
class WindowTest : public testing::Test {
protected:
    TempLibrary library;
    FakeDialogs::Shared dialogs;
    std::unique_ptr<MainWindow> form;

    WindowTest();
    // Starts `form` on the library, or on the folder given.
    void openWindow(const QString& root = {});
    // Another started window on the same library, telling the same dialogs.
    std::unique_ptr<MainWindow> anotherWindow();
    // Triggers the action, its dialogs answered in turn (std::nullopt = Cancel).
    void run(const char* action, std::initializer_list<FakeDialogs::Answer> answers = {});
    // A 2 x 1 library: the one-layer hair "Long", image n coloured (10, 10 n, 50), covering
    // pixel (0, 0), and Tops "01" red and "02" green showing at (1, 0).
    void addHairAndTops();
    // Starts `form` at actual size: a picture this small starts enlarged.
    void openAtActualSize();
    // The file's path in the library folder, with "/" between the names.
    QString path(const QString& name) const { return library.native(name); }
};

} // namespace brindo::test
