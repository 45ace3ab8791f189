#pragma once

#include "FakeClock.h"
#include "FakeUserInterface.h"
#include "StoreContext.h"

#include <QTemporaryDir>

namespace kelvaro::test {

// A fresh shared state with a fake clock, a fixed locale and a scripted user interface, and a
// temporary folder for the files a test writes.
struct StoreFixture {
    explicit StoreFixture(const QLocale& locale = QLocale(QLocale::Dutch, QLocale::Netherlands),
                          QDate today = QDate(2026, 3, 15))
        : clock(QDateTime(today, QTime(10, 0))), locale(locale)
    {
        state.MessageFile = dir.filePath(QStringLiteral("Kelvaro.rmf"));
        state.AppDir = dir.path() + u'/';
    }

    // Appends a record; field 1 as short-date text, the way records are held after loading.
    void add(QDate date, const QString& title, const QString& repeat = QStringLiteral("ONCE"),
             const Value& advanceDays = qint16(14))
    {
        const int i = ++state.MessageCount;
        state.Messages.row(i).fill(QString());
        state.Messages(i, 1) = locale.shortDate(date);
        state.Messages(i, 2) = title;
        state.Messages(i, 3) = QStringLiteral("Body of ") + title;
        state.Messages(i, 4) = repeat;
        state.Messages(i, 7) = advanceDays;
    }

    QDate dateOf(int record) const { return state.Messages(record, 1).toDate(locale); }
    QString titleOf(int record) const { return state.Messages(record, 2).string(); }
    QDate today() const { return clock.today(); }

    QTemporaryDir dir;
    SharedState state;
    FakeClock clock;
    DateLocale locale;
    FakeUserInterface ui;
    StoreContext ctx{state, clock, locale, ui};
};

} // namespace kelvaro::test
