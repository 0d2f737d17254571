#include <QApplication>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Trovix"));
    QTextStream(stdout) << "Trovix: the editor window and tray icon are not built yet; nothing to start.\n";
    return 0;
}
