// The clock and the timers around it: time and date, midnight, the minimized rate, alarms,
// the deferred rebuild, auto-minimize and what activation does.
#include "ClockIconText.h"
#include "MainForm.h"
#include "TickTimer.h"

#include <QLineEdit>
#include <QTimer>

namespace kelvaro {

namespace {

constexpr int EverySecond = 1000;
constexpr int EveryMinute = 60000;

// An alarm time as the table holds it ("9:05", "09:05", "09:05:00"), to the minute.
QTime alarmMinute(const QString& text)
{
    for (const QString& format : {QStringLiteral("H:mm"), QStringLiteral("H:mm:ss")}) {
        const QTime t = QTime::fromString(text.trimmed(), format);
        if (t.isValid())
            return QTime(t.hour(), t.minute());
    }
    return {};
}

} // namespace

void MainForm::Klok_Timer()
{
    const QDateTime now = m_clock.now();
    The_Time->setText(now.time().toString(QStringLiteral("hh:mm:ss")));

    const QString today = m_locale.shortDate(now.date());
    // Read leniently: a date written before the system's date format changed still reads, and
    // then differs from today by more than one day. Read only when it is not today's text: that
    // is nearly always there, and the tick comes every second.
    const QString datumText = Datum_Box->text();
    const QDate shown = datumText != today ? m_locale.parseTypedDate(datumText) : QDate();
    if (shown.isValid()) {
        if (m_locale.shortDate(shown.addDays(1)) == today) {
            Datum_Box->setText(today);
            m_state.AutoClose = false;
            UpdateBoard();
        } else {
            m_state.SaveBlocked = true;
            m_ui.messageBox(QStringLiteral("Attention! Dateformat or date changed unexpectedly. "
                                           "Cannot adjust without exiting first. Kelvaro will be "
                                           "closed to avoid possible loss of data or of data "
                                           "integrity."),
                            UserInterface::Ok | UserInterface::Exclamation);
            m_endProcess();
            return;
        }
    }

    if (clockIconShown()) {
        // A once-a-minute tick that drifted off the minute: tick every second until the next
        // minute boundary brings the slow rate back.
        if (Klok->interval() > EverySecond && now.time().second() != 0)
            Klok->restart(EverySecond);
        // The clock icon window takes iconTimeText() and iconDateText() here once it exists.
    }

    if (!isNormalState() && now.time().second() == 0 && Klok->interval() != EveryMinute)
        Klok->setInterval(EveryMinute);

    if (m_state.AlarmToday && !m_state.AlarmShowing)
        checkAlarms(now);
}

bool MainForm::clockIconShown() const
{
    // Minimizing to the desktop clock icon is not part of the program yet.
    return false;
}

void MainForm::checkAlarms(const QDateTime& now)
{
    const QTime minute(now.time().hour(), now.time().minute());
    for (int i = 1; i <= m_state.ShownCount && i <= ShownTable::rows; ++i) {
        if (m_state.Shown(i, ShownField::Date).isBlank())
            break;
        const Value& alarm = m_state.Shown(i, ShownField::AlarmTime);
        if (alarm.isBlank())
            continue;
        const QTime due = alarmMinute(alarm.toText(m_locale));
        if (due.isValid() && minute >= due) {
            m_state.AlarmRow = static_cast<quint8>(i);
            if (m_openAlarmWindow)
                m_openAlarmWindow();
            return;
        }
    }
}

void MainForm::Update_Delay_Timer()
{
    UpdateBoard();
    Update_Delay->stop();
}

void MainForm::Auto_Close_Timer_Timer()
{
    if (m_state.AutoClose)
        setWindowState((windowState() & ~Qt::WindowActive) | Qt::WindowMinimized);
    Auto_Close_Timer->stop();
}

void MainForm::Form_Activate()
{
    applyTextBackColor();
    Datum_Box->setText(m_locale.shortDate(m_clock.today()));
    FormActive = true;
    if (m_state.MessagesChanged)
        Update_Delay->start();
}

void MainForm::Form_Deactivate()
{
    FormActive = false;
}

} // namespace kelvaro
