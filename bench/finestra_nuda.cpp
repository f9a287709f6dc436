// The peer of the application's start in bench_startup: a bare main window with a menu
// bar and a toolbar, of the size the application gives its main window.
#include "platform/Twips.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QToolBar>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow finestra;
    finestra.setWindowTitle(QStringLiteral("Bare"));
    finestra.menuBar()->addMenu(QStringLiteral("File"))->addAction(QStringLiteral("Exit"));
    finestra.addToolBar(QStringLiteral("Tools"))->addAction(QStringLiteral("Go"));
    finestra.resize(ludra::platform::twipsToPx(16000), ludra::platform::twipsToPx(13000));
    finestra.show();
    return app.exec();
}
