// Prepares a program folder for the start-up and idle measurements: a full message file of the
// costliest kind, a settings file that reads cleanly and points at it, and the default sounds, so
// that the program starts straight to its board with no notice or question on the way.
//
//   bench_prepare_folder FOLDER
#include "BenchSupport.h"
#include "DateLocale.h"
#include "MessageFile.h"
#include "Settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdio>

using namespace kelvaro;

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "cannot make %s\n", argv[1]);
        return 1;
    }

    SharedState state;
    SystemClock clock;
    const DateLocale locale;
    bench::QuietUi ui;
    StoreContext ctx{state, clock, locale, ui};
    state.AppDir = folder + u'/';
    state.OptionsFile = defaultOptionsFile(state);
    applyDefaultSettings(state);

    const QDir sounds(QStringLiteral(KELVARO_SOUNDS));
    for (const QString& path : {state.SoundFile, state.AlarmSoundFile}) {
        const QString name = QFileInfo(path).fileName();
        QFile::remove(path);
        if (!QFile::copy(sounds.filePath(name), path)) {
            std::fprintf(stderr, "cannot copy %s\n", qPrintable(sounds.filePath(name)));
            return 1;
        }
    }

    bench::fillWorstCase(state, locale);
    QFile::remove(state.OptionsFile);
    if (!SaveMessages(ctx) || !WriteOptions(ctx)) {
        std::fprintf(stderr, "cannot write the message or settings file in %s\n", argv[1]);
        return 1;
    }
    std::printf("%s: %d messages\n", qPrintable(state.MessageFile), int(state.MessageCount));
    return 0;
}
