#include "app/form1.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brindo Creator"));
    QApplication::setDesktopFileName(QStringLiteral("brindo"));
    brindo::Form1 form(QCoreApplication::applicationDirPath());
    form.Form_Load();
    return QApplication::exec();
}
