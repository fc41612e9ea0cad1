// The Sarvo program: shows the main window; messages go to message boxes.

#include "app/mainwindow.h"
#include "app/messageboxinteractive.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    sarvo::app::MessageBoxInteractive ui;
    sarvo::app::MainWindow window(ui);
    ui.setParentWindow(&window);
    window.show();
    return QApplication::exec();
}
