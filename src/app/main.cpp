#include "AgendaCommand.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "--agenda") == 0) {
            // The agenda runs without a display: a core application is enough.
            QCoreApplication app(argc, argv);
            return kelvaro::runAgenda(QCoreApplication::arguments());
        }
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelvaro"));
    QLabel window(QStringLiteral("Kelvaro v1.0 Beta"));
    window.setWindowTitle(QStringLiteral("Kelvaro v1.0 Beta"));
    window.show();
    return QApplication::exec();
}
