#include "Startup.h"

#include "NotesFile.h"
#include "PathRoutines.h"
#include "Settings.h"

#include <QFileInfo>
#include <algorithm>

namespace kelvaro {

namespace {

const QString DefaultMessageFileName = QStringLiteral("Kelvaro.rmf");
const QString CrLf = QStringLiteral("\r\n");

void setRecord(StoreContext& ctx, int record, QDate date, const QString& title, const QString& body,
               const QString& repeat, qint16 advanceDays)
{
    SharedState& s = ctx.state;
    s.Messages(record, Field::Date) = ctx.locale.shortDate(date);
    s.Messages(record, Field::Title) = title;
    s.Messages(record, Field::Body) = body;
    s.Messages(record, Field::Repeat) = repeat;
    s.Messages(record, Field::AdvanceDays) = advanceDays;
}

void fillExamples(StoreContext& ctx)
{
    SharedState& s = ctx.state;
    const QDate today = ctx.clock.today();
    const QString once = QStringLiteral("ONCE");
    const qint16 fortnight = 14;

    setRecord(ctx, 1, today, QStringLiteral("Workgroup meeting"),
              QStringLiteral("Kelvaro helps you to keep track of your appointments. Set an alarm "
                             "if required...") +
                  CrLf + QStringLiteral("(Alarm in a few minutes)"),
              once, fortnight);
    s.Messages(1, Field::AlarmTime) =
        ctx.clock.now().addSecs(5 * 60).toString(QStringLiteral("hh:mm"));
    s.Messages(1, Field::AlarmSound) = s.AlarmSoundFile;

    setRecord(ctx, 2, today.addDays(1), QStringLiteral("Aunt Agatha's birthday"),
              QStringLiteral("It helps you remember birthdays...") + CrLf +
                  QStringLiteral("And even calculates the age of the birthday girl."),
              QStringLiteral("YEARLY"), fortnight);
    s.Messages(2, Field::BirthYear) = qint16(1901);

    setRecord(ctx, 3, today.addDays(2), QStringLiteral("Or use it like a dayplanner..."),
              QStringList{QStringLiteral("- 9:00 board meeting"),
                          QStringLiteral("- 10:00 product evaluation"),
                          QStringLiteral("- 13:00 lunch"),
                          QStringLiteral("- 15:00 make cash withdrawal"),
                          QStringLiteral("- 17:00 meet mr. Tennemark")}
                  .join(CrLf),
              once, fortnight);

    setRecord(ctx, 4, today.addDays(2), QStringLiteral("More messages"),
              QStringLiteral("All messages that are within specified range (standard: 14 days) "
                             "will be displayed.") +
                  CrLf + CrLf +
                  QStringLiteral("Use the << and >> buttons to scroll back and forth through the "
                                 "pages."),
              once, fortnight);

    setRecord(ctx, 5, today.addDays(3), QStringLiteral("The looks"),
              QStringLiteral("Kelvaro is designed for a screen resolution of 800x600 and HiColor "
                             "- the most common settings. If Kelvaro doesn't look right you might "
                             "consider adjusting you system settings or change the text background "
                             "color (Options)."),
              once, fortnight);

    setRecord(ctx, 6, today.addDays(4), QStringLiteral("Minimizing"),
              QStringLiteral("Also make sure to try the minimize button and check out the icon "
                             "clock...") +
                  CrLf + CrLf +
                  QStringLiteral("Drag the icon clock around or double-click the icon to make "
                                 "Kelvaro reappear."),
              once, fortnight);

    s.MessageCount = 6;
    s.CurrentPage = 0;
}

void firstUse(StoreContext& ctx)
{
    SharedState& s = ctx.state;
    UserInterface& ui = ctx.ui;
    s.FirstUse = true;
    ui.showNotice(QStringLiteral("Message file not yet present. Setting up for first use..."));
    s.MessageFile = s.AppDir + DefaultMessageFileName;
    InitMessages(ctx, false, true);
    if (!FileExists(s.NotesFile))
        CreateNotesFile(ctx);

    // From now on the program starts with the desktop session.
    ui.getSystemDirs();
    ui.createStartupShortcut();
    if (ui.messageBox(QStringLiteral("Create shortcut to desktop?"),
                      UserInterface::YesNo | UserInterface::Question) == UserInterface::Answer::Yes)
        ui.createDesktopShortcut();

    if (ui.audioOutputCount() <= 0)
        ui.messageBox(QStringLiteral("No soundcard detected. Alarm sounds cannot be played."),
                      UserInterface::Exclamation, QStringLiteral("Sound Check"));
    // An interface that cannot tell the screen's size gives an invalid one: nothing to warn of.
    const QSize screen = ui.screenSize();
    if (screen.isValid() && (screen.width() < 800 || screen.height() < 600))
        ui.messageBox(QStringLiteral("Your screen resolution is less than 800 x 600 pixels. "
                                     "Kelvaro, like most other applications, looks best at a "
                                     "screen resolution of 800 x 600 pixels and HiColor. "
                                     "Adjusting your screen settings is highly recommended."),
                      UserInterface::Exclamation, QStringLiteral("Screen Resolution Check"));
}

} // namespace

bool AutoLaunchRefused(const QStringList& arguments, const SharedState& state, const QDateTime& now)
{
    const bool startedBySession =
        std::any_of(arguments.cbegin() + std::min<qsizetype>(1, arguments.size()), arguments.cend(),
                    [](const QString& argument) {
                        return argument.contains(QStringLiteral("startup"), Qt::CaseInsensitive);
                    });
    if (!startedBySession || !state.NoRepeatLaunch || !FileExists(state.MessageFile))
        return false;
    // Minute boundaries crossed, as a clock on the wall counts them: 10:14:59 to 10:15:01 is one.
    const qint64 written = QFileInfo(state.MessageFile).lastModified().toSecsSinceEpoch();
    const qint64 minutes = now.toSecsSinceEpoch() / 60 - written / 60;
    // A file dated in the future (a clock set back) says nothing about the last use; refusing on
    // it could keep the program from starting for days.
    return minutes >= 0 && minutes < 15;
}

LoadOutcome LoadMessages(StoreContext& ctx)
{
    SharedState& s = ctx.state;
    if (FileExists(s.MessageFile))
        return ReadMessageFile(ctx);

    QString name = FileNameOfStoredPath(s.MessageFile);
    // Settings without a message file name mean the default file.
    if (name.isEmpty())
        name = DefaultMessageFileName;
    ctx.ui.showNotice(QStringLiteral("Messagefile not found. Looking in current directory..."));
    const QString inProgramFolder = s.AppDir + name;
    if (FileExists(inProgramFolder)) {
        s.MessageFile = inProgramFolder;
        ctx.ui.showNotice(QStringLiteral("Message file found. Loading..."));
        WriteOptions(ctx);
    } else if (name.toLower() == DefaultMessageFileName.toLower()) {
        firstUse(ctx);
    } else {
        ctx.ui.showNotice(u'"' + name + QStringLiteral("\" not found. Creating new..."));
        s.MessageFile = inProgramFolder;
        InitMessages(ctx, false, false);
    }
    return ReadMessageFile(ctx);
}

void InitMessages(StoreContext& ctx, bool AskName, bool WithExamples)
{
    SharedState& s = ctx.state;
    s.Messages.fill(QString());
    if (WithExamples) {
        fillExamples(ctx);
    } else {
        const QString title = QStringLiteral("New message file");
        setRecord(ctx, 1, ctx.clock.today(), title, title, QStringLiteral("ONCE"), 0);
        s.MessageCount = 1;
        ctx.ui.updateBoard();
    }

    if (AskName) {
        s.MessageFile.clear();
        s.PickOpenFile = false;
        s.PickSaveAs = false;
        s.PickNewFile = true;
        s.PickSound = false;
        s.PickAlarmSound = false;
        ctx.ui.showFilePicker();
    } else {
        SaveMessages(ctx);
        WriteOptions(ctx);
    }
}

} // namespace kelvaro
