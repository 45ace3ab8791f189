#include "AgendaCommand.h"
#include "DateLocale.h"
#include "MainForm.h"
#include "ProgramFolder.h"
#include "QtSound.h"
#include "SingleInstance.h"
#include "WindowUserInterface.h"

#include <QApplication>
#include <QStandardPaths>

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
    // Minimized to the tray the program has no visible window and must not end.
    QApplication::setQuitOnLastWindowClosed(false);

    const QString folder =
        kelvaro::ProgramFolder(QCoreApplication::applicationDirPath(),
                               QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));

    kelvaro::SharedState state;
    kelvaro::SystemClock clock;
    kelvaro::DateLocale locale;
    kelvaro::QtSound sound;
    kelvaro::WindowUserInterface ui(state, sound);
    kelvaro::SingleInstance instance;
    kelvaro::MainForm form(state, clock, locale, sound, ui);
    ui.setMainForm(&form);
    if (!form.Form_Load(QCoreApplication::arguments(), folder, instance))
        return 0;
    form.show();
    return QApplication::exec();
}
