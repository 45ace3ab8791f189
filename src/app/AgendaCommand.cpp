#include "AgendaCommand.h"

#include "Agenda.h"
#include "MessageFile.h"
#include "PathRoutines.h"
#include "Settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <cstdio>

namespace kelvaro {

namespace {

const QString SettingsName = QStringLiteral("Kelvaro.dat");
const QString DefaultMessagesName = QStringLiteral("Kelvaro.rmf");

// The folder the program keeps its files in, found without creating or probing anything: beside
// the executable, or the per-user data folder that an installed program uses instead.
QString programFolder()
{
    const QString beside = QCoreApplication::applicationDirPath();
    const QString perUser = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    for (const QString& folder : {beside, perUser}) {
        if (QFileInfo::exists(QDir(folder).filePath(SettingsName)) ||
            QFileInfo::exists(QDir(folder).filePath(DefaultMessagesName)))
            return folder;
    }
    return beside;
}

// The message file the program itself would open: the one the settings name, or the file of that
// name in the program's folder when it has moved there, or the default file.
QString messageFileOfTheProgram()
{
    const QDir folder(programFolder());
    SharedState settings;
    QString problem;
    const SettingsRead read = readSettingsFile(folder.filePath(SettingsName), settings, &problem);
    if (read == SettingsRead::Corrupted || read == SettingsRead::Unreadable)
        std::fprintf(stderr, "Kelvaro: settings file \"%s\" not used: %s\n",
                     qPrintable(folder.filePath(SettingsName)), qPrintable(problem));
    if (read != SettingsRead::Read || settings.MessageFile.isEmpty())
        return folder.filePath(DefaultMessagesName);
    if (FileExists(settings.MessageFile))
        return settings.MessageFile;
    const QString moved = folder.filePath(FileNameOfStoredPath(settings.MessageFile));
    return FileExists(moved) ? moved : settings.MessageFile;
}

} // namespace

int runAgenda(const QStringList& arguments)
{
    const qsizetype flag = arguments.indexOf(QStringLiteral("--agenda"));
    QString path = flag + 1 < arguments.size() ? arguments.at(flag + 1) : QString();
    if (path.isEmpty())
        path = messageFileOfTheProgram();

    SharedState state;
    state.MessageFile = QFileInfo(path).absoluteFilePath();
    SystemClock clock;
    DateLocale locale;
    ConsoleUserInterface ui;
    StoreContext ctx{state, clock, locale, ui};

    if (!QFileInfo(path).isFile()) {
        std::fprintf(stderr, "Kelvaro: message file \"%s\" not found\n", qPrintable(path));
        return 1;
    }
    const LoadOutcome outcome = ReadMessageFile(ctx, ReadMode::ReadOnly);
    if (outcome == LoadOutcome::Missing || outcome == LoadOutcome::Unreadable)
        return 1;
    for (const QString& line : agendaLines(ctx))
        std::printf("%s\n", line.toLocal8Bit().constData());
    std::fflush(stdout);
    return outcome == LoadOutcome::Loaded ? 0 : 1;
}

} // namespace kelvaro
