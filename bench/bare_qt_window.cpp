// The reference of the start-up benchmark: Qt Widgets showing one empty
// window, nothing of the program.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(1055, 450);
    window.show();
    return app.exec();
}
