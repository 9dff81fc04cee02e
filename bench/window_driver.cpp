#include "window_driver.h"

#include <QTest>
#include <cstdio>
#include <cstdlib>

namespace brindo::bench {

namespace {

// Answers no dialog and prints what the window would tell the user.
class QuietDialogs : public UserDialogs {
public:
    std::optional<QString> askOpenFile(QWidget* /*parent*/,
                                       const FileDialogSettings& /*settings*/) override {
        return std::nullopt;
    }
    std::optional<QString> askSaveFile(QWidget* /*parent*/,
                                       const FileDialogSettings& /*settings*/) override {
        return std::nullopt;
    }
    void tellProblem(QWidget* /*parent*/, const QString& message) override {
        std::fprintf(stderr, "brindo-bench: the window says: %s\n", qPrintable(message));
    }
    void tellNote(QWidget* /*parent*/, const QString& message) override {
        std::fprintf(stderr, "brindo-bench: the window notes: %s\n", qPrintable(message));
    }
};

void pick(MainWindow& form, const char* category, const char* item) {
    click(form.categoryList(), QString::fromLatin1(category));
    click(form.itemList(), QString::fromLatin1(item));
}

} // namespace

std::unique_ptr<MainWindow> makeWindow(const QString& nativeLibrary) {
    return std::make_unique<MainWindow>(nativeLibrary, std::make_unique<QuietDialogs>());
}

void startShown(MainWindow& form) {
    form.start();
    if (!QTest::qWaitForWindowExposed(&form)) {
        std::fprintf(stderr, "brindo-bench: the window was never shown\n");
        std::exit(2);
    }
}

void click(ListBox* list, const QString& row) {
    const int found = list->rowOf(row);
    if (found < 0) {
        std::fprintf(stderr, "brindo-bench: no row \"%s\"\n", qPrintable(row));
        std::exit(2);
    }
    list->scrollToItem(list->item(found));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(found)).center());
}

void dressFully(MainWindow& form) {
    const char* picks[][2] = {
        {"Backgrounds", "01"}, {"Bottoms", "01"},     {"Eyes", "Round"},          {"Eyewear", "01"},
        {"Footwear", "01"},    {"Foregrounds", "01"}, {"Friends and pets", "01"}, {"Hair", "Long"},
        {"Hats", "01"},        {"Interests", "01"},   {"Mouth", "Cheeky"},        {"Other", "01"},
        {"Tops", "01"},
    };
    for (const auto& [category, item] : picks) {
        pick(form, category, item);
    }
}

} // namespace brindo::bench
