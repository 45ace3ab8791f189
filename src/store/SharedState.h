#pragma once

#include "Table.h"

#include <QDate>
#include <QString>

namespace kelvaro {

// The state every window shares: the message table, the display list, the counters, the values
// windows hand to each other and the settings. One instance lives for the whole program (a test
// makes its own); windows receive it by reference.
struct SharedState {
    MessageTable Messages;
    qint16 MessageCount = 0;
    ShownTable Shown;
    qint16 ShownCount = 0;

    qint16 CurrentMessage = 0;
    bool NewMessage = false;
    bool AlarmToday = false;
    quint8 AlarmRow = 0;
    bool AlarmShowing = false;
    QDate EditDate;
    QString EditAlarmTime;
    bool MessagesChanged = false;
    bool JustLoaded = false;
    qint16 CurrentPage = 0;
    qint16 PageCount = 0;
    bool FirstUse = false;
    bool SaveBlocked = false;

    QString MessageFile;
    QString OptionsFile;
    QString NotesFile;
    QString AppDir; // the program's folder with a trailing separator
    QString StartupDir;
    QString DesktopDir;
    QString ProgramsDir;
    // A message file that could not be read and of which no copy could be kept: never saved over.
    QString ProtectedFile;

    bool PickOpenFile = false;
    bool PickSaveAs = false;
    bool PickNewFile = false;
    bool PickSound = false;
    bool PickAlarmSound = false;

    // Settings, kept in the settings file.
    bool AutoScroll = true;
    bool RemoveOutdatedOption = true;
    bool AutoClose = false;
    bool ConfirmRemoval = true;
    qint32 TextBackColor = 0xE0E0E0;
    QString MinimizeMode = QStringLiteral("ICON AND TASKBAR");
    bool ClockOnTop = false;
    bool NoRepeatLaunch = false;
    quint8 DefaultAdvanceDays = 14;
    QString DefaultRepeat = QStringLiteral("ONCE");
    QString SoundFile;
    QString AlarmSoundFile;
    bool NoSound = false;
    bool SoundOnce = false;
    bool UseSpeaker = false;
    // Positions in twips and the page delay in milliseconds. Held wider than 16 bits so that a
    // large screen or a delay over 32 seconds fits; the file holds plain decimal numbers either
    // way.
    qint32 MainLeft = 0;
    qint32 MainTop = 0;
    qint32 ClockLeft = 32000;
    qint32 ClockTop = 32000;
    qint32 ScrollDelay = 20000;
};

} // namespace kelvaro
