// Runs the real program's --agenda command on hand-written message files.
#include "Settings.h"

#include <QtTest>

namespace {

QByteArray record(QDate date, const QByteArray& title, const QByteArray& repeat,
                  const QByteArray& birthYear = "", const QByteArray& alarm = "")
{
    return "#" + date.toString(QStringLiteral("yyyy-MM-dd")).toLatin1() + "#\r\n\"" + title +
           "\"\r\n\"body\"\r\n\"" + repeat + "\"\r\n\"" + birthYear + "\"\r\n\"\"\r\n14\r\n\"" +
           alarm + "\"\r\n\"\"\r\n\"\"\r\n";
}

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run agenda(const QStringList& arguments, const QString& lang)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("LC_ALL"));
    env.remove(QStringLiteral("LC_TIME"));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM")); // no display needed
    env.insert(QStringLiteral("LANG"), lang);
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(KELVARO_EXECUTABLE),
                  QStringList{QStringLiteral("--agenda")} + arguments);
    process.waitForFinished(20000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

class TestAgenda : public QObject {
    Q_OBJECT

private slots:
    void printsTheBoard_data();
    void printsTheBoard();
    void printsNoMessagesFound();
    void reportsMissingAndDamagedFiles();
    void readsTheFileTheSettingsName_data();
    void readsTheFileTheSettingsName();
};

void TestAgenda::printsTheBoard_data()
{
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QString>("dateFormat");
    QTest::addRow("Dutch") << "nl_NL.UTF-8"
                           << "dd-MM-yyyy";
    QTest::addRow("German") << "de_DE.UTF-8"
                            << "dd.MM.yyyy";
    QTest::addRow("American, two-digit year widened") << "en_US.UTF-8"
                                                      << "M/d/yyyy";
}

void TestAgenda::printsTheBoard()
{
    QFETCH(QString, lang);
    QFETCH(QString, dateFormat);
    const QDate today = QDate::currentDate();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Diary.rmf"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(record(today.addDays(3), "Dentist", "ONCE") +
               record(today.addYears(-1).addDays(1), "Anna", "YEARLY", "1990") +
               record(today, "Call Bob", "ONCE", "", "14:35") +
               record(today.addDays(-1), "Gone", "ONCE") +
               record(today.addDays(20), "Too far", "ONCE"));
    file.close();
    const QByteArray before = [&] {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();

    const Run run = agenda({path}, lang);
    QCOMPARE(run.exitCode, 0);
    const QLocale locale(lang.section(u'.', 0, 0));
    const auto head = [&](QDate d) {
        return locale.toString(d, QStringLiteral("ddd")) + u' ' + locale.toString(d, dateFormat);
    };
    const QDate birthday = today.addYears(-1).addDays(1).addYears(1);
    const QStringList expected = {
        head(today) + QStringLiteral(" / 14:35 h  (Today)\tCall Bob"),
        head(birthday) +
            QStringLiteral("  (%1)").arg(
                today.daysTo(birthday) == 1
                    ? QStringLiteral("1 day")
                    : QStringLiteral("%1 days").arg(today.daysTo(birthday))) +
            QStringLiteral(" - %1 yrs\tAnna").arg(today.year() - 1990),
        head(today.addDays(3)) + QStringLiteral("  (3 days)\tDentist"),
    };
    QCOMPARE(run.out.split(u'\n', Qt::SkipEmptyParts), expected);
    // Nothing on disk changed: no roll-forward saved, no file created.
    QFile again(path);
    QVERIFY(again.open(QIODevice::ReadOnly));
    QCOMPARE(again.readAll(), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Diary.rmf")});
}

void TestAgenda::printsNoMessagesFound()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Old.rmf"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(record(QDate::currentDate().addDays(-5), "Gone", "ONCE"));
    file.close();
    const Run run = agenda({path}, QStringLiteral("en_GB.UTF-8"));
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QStringLiteral("No messages found...\n"));
}

void TestAgenda::reportsMissingAndDamagedFiles()
{
    QTemporaryDir dir;
    const Run missing = agenda({dir.filePath(QStringLiteral("none.rmf"))}, QStringLiteral("C"));
    QCOMPARE(missing.exitCode, 1);
    QVERIFY(missing.out.isEmpty());
    QVERIFY2(missing.err.contains(QStringLiteral("none.rmf")), qPrintable(missing.err));

    const QString damaged = dir.filePath(QStringLiteral("cut.rmf"));
    QFile file(damaged);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(record(QDate::currentDate(), "Kept", "ONCE") + "#2026-01-01#\r\n");
    file.close();
    const Run cut = agenda({damaged}, QStringLiteral("C"));
    QCOMPARE(cut.exitCode, 1);
    QVERIFY2(cut.err.contains(QStringLiteral("damaged at line 12")), qPrintable(cut.err));
    QVERIFY(cut.out.contains(QStringLiteral("Kept")));
    // Reading only: no copy kept aside, nothing created.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("cut.rmf")});
}

void TestAgenda::readsTheFileTheSettingsName_data()
{
    QTest::addColumn<QString>("named");     // the message file the settings name ("" = no settings)
    QTest::addColumn<QStringList>("files"); // message files that exist, "%p" = the program folder
    QTest::addColumn<QString>("shown");     // title printed, "" = the command fails

    QTest::addRow("a file elsewhere") << "%o/Diary.rmf" << QStringList{"%o/Diary.rmf"} << "Diary";
    QTest::addRow("no settings, the default file")
        << "" << QStringList{"%p/Kelvaro.rmf"} << "Kelvaro";
    QTest::addRow("moved into the program folder")
        << "%o/gone/Diary.rmf" << QStringList{"%p/Diary.rmf"} << "Diary";
    QTest::addRow("named file missing everywhere")
        << "%o/gone/Diary.rmf" << QStringList{"%p/Kelvaro.rmf"} << "";
    QTest::addRow("nothing at all") << "" << QStringList{} << "";
}

void TestAgenda::readsTheFileTheSettingsName()
{
    QFETCH(QString, named);
    QFETCH(QStringList, files);
    QFETCH(QString, shown);
    QTemporaryDir program;
    QTemporaryDir other;
    const auto place = [&](QString path) {
        return path.replace(QStringLiteral("%p"), program.path())
            .replace(QStringLiteral("%o"), other.path());
    };
    // The program reads the files beside its own executable, so it runs from a copy.
    const QString executable = program.filePath(QStringLiteral("Kelvaro"));
    QVERIFY(QFile::copy(QStringLiteral(KELVARO_EXECUTABLE), executable));
    if (!named.isEmpty()) {
        kelvaro::SharedState settings;
        settings.AppDir = program.path() + u'/';
        kelvaro::applyDefaultSettings(settings);
        settings.MessageFile = place(named);
        QFile file(program.filePath(QStringLiteral("Kelvaro.dat")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(kelvaro::formatSettings(settings, QDate(2026, 1, 1)).toUtf8());
    }
    for (const QString& path : files) {
        QFile file(place(path));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(record(QDate::currentDate(), QFileInfo(path).baseName().toUtf8(), "ONCE"));
    }
    const QStringList before = QDir(program.path()).entryList(QDir::Files);

    QProcess process;
    // A home of its own, so that no per-user data folder of this machine's user is read.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), other.path());
    env.remove(QStringLiteral("XDG_DATA_HOME"));
    process.setProcessEnvironment(env);
    process.start(executable, {QStringLiteral("--agenda")});
    QVERIFY(process.waitForFinished(20000));
    const QString out = QString::fromUtf8(process.readAllStandardOutput());
    if (shown.isEmpty()) {
        QCOMPARE(process.exitCode(), 1);
        QVERIFY(out.isEmpty());
        QVERIFY(process.readAllStandardError().contains("not found"));
    } else {
        QCOMPARE(process.exitCode(), 0);
        QVERIFY2(out.endsWith(u'\t' + shown + u'\n'), qPrintable(out));
    }
    // Nothing was created or changed in the program's folder.
    QCOMPARE(QDir(program.path()).entryList(QDir::Files), before);
}

QTEST_GUILESS_MAIN(TestAgenda)
#include "tst_agenda.moc"
