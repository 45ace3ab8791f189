#pragma once

#include "FakeSound.h"
#include "MainForm.h"
#include "StoreFixture.h"
#include "TickTimer.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace kelvaro::test {

// A main window over a fresh shared state, with a fake clock (15 March 2026, 10:00), scripted
// boxes, recorded sounds, and an end of the process that only counts.
struct MainFormFixture : StoreFixture {
    MainFormFixture()
    {
        state.SoundFile = QStringLiteral("today.wav");
        form.setEndProcess([this] { ++processEnds; });
        form.setOpenAlarmWindow([this] { alarmsOpened << state.AlarmRow; });
    }

    // count records dated from the day after tomorrow on, one a day, so that none is due today.
    void addEntries(int count)
    {
        for (int i = 0; i < count; ++i)
            add(today().addDays(2 + i), QStringLiteral("Entry %1").arg(i + 1));
    }

    template <typename T> T* child(const QString& name)
    {
        T* widget = form.findChild<T*>(name);
        if (!widget)
            qFatal("no control %s", qPrintable(name));
        return widget;
    }
    QString title(int slot) { return child<QLineEdit>(slotName(slot, "Title"))->text(); }
    QString body(int slot) { return child<QPlainTextEdit>(slotName(slot, "Body"))->toPlainText(); }
    QString caption(int slot) { return child<QGroupBox>(slotName(slot, "Date"))->title(); }
    QColor captionColour(int slot)
    {
        return child<QGroupBox>(slotName(slot, "Date"))->palette().color(QPalette::WindowText);
    }
    QString pageNumber() { return child<QLabel>(QStringLiteral("PageNumber"))->text(); }
    QPushButton* back() { return child<QPushButton>(QStringLiteral("Back")); }
    QPushButton* forward() { return child<QPushButton>(QStringLiteral("Forward")); }
    TickTimer* showDelay() { return child<TickTimer>(QStringLiteral("Show_Delay")); }
    TickTimer* klok() { return child<TickTimer>(QStringLiteral("Klok")); }
    QTimer* updateDelay() { return child<QTimer>(QStringLiteral("Update_Delay")); }
    QTimer* autoClose() { return child<QTimer>(QStringLiteral("Auto_Close_Timer")); }
    QLineEdit* datumBox() { return child<QLineEdit>(QStringLiteral("Datum_Box")); }

    // Lets timers that are due as soon as the event loop is idle tick.
    static void runIdleTicks()
    {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }

    static QString slotName(int slot, const char* part)
    {
        return QStringLiteral("Message%1_%2").arg(slot).arg(QLatin1String(part));
    }

    FakeSound sound;
    MainForm form{state, clock, locale, sound, ui};
    int processEnds = 0;
    QList<int> alarmsOpened;
};

} // namespace kelvaro::test
