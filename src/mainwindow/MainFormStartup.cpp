// Coming up and going down: the load sequence and the exit sequence of the main window.
#include "ListMaintenance.h"
#include "MainForm.h"
#include "Settings.h"
#include "SingleInstance.h"
#include "Startup.h"
#include "TickTimer.h"
#include "Twips.h"
#include "WindowRoutines.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLineEdit>
#include <QTimer>

namespace kelvaro {

bool MainForm::Form_Load(const QStringList& arguments, const QString& programFolder,
                         SingleInstance& instance)
{
    if (!instance.tryAcquire()) {
        m_ui.showNotice(SecondInstanceNotice.toString());
        Delay(2000);
        return false;
    }
    CenterForm(this);

    SharedState& s = m_state;
    s.AppDir = programFolder + u'/';
    s.OptionsFile = s.AppDir + QStringLiteral("Kelvaro.dat");
    s.NotesFile = programFolder + QStringLiteral("/Notes.dat");
    s.TextBackColor = 0xFFFFFF;
    s.SaveBlocked = false;
    ReadOptions(m_ctx);

    if (AutoLaunchRefused(arguments, s, m_clock.now())) {
        m_ui.showNotice(AutoLaunchAbortNotice.toString());
        return false;
    }
    if (s.MinimizeMode != u"ICON")
        IconUpdate(true);
    s.FirstUse = false;
    s.AlarmShowing = false;

    const QDateTime now = m_clock.now();
    The_Time->setText(now.time().toString(QStringLiteral("hh:mm:ss")));
    // Activation does this too, but a window started behind another one is not activated.
    Datum_Box->setText(m_locale.shortDate(now.date()));
    applyTextBackColor();
    Klok->start(1000);

    LoadMessages(m_ctx);
    s.JustLoaded = true;
    Update_Delay->start();
    positionWindow();
    return true;
}

void MainForm::positionWindow()
{
    CenterForm(this);
    if (m_state.MainLeft == 0 && m_state.MainTop == 0)
        return;
    const Twips twips(logicalDpiY());
    move(twips.toPixels(m_state.MainLeft), twips.toPixels(m_state.MainTop));
}

void MainForm::IconUpdate(bool show)
{
    // The tray icon is not part of the program yet; it is added and removed here.
    Q_UNUSED(show);
}

void MainForm::closeEvent(QCloseEvent* event)
{
    event->accept();
    Form_Unload();
}

void MainForm::Form_Unload()
{
    UnloadAllForms(this);
    if (windowState() & Qt::WindowMinimized)
        setWindowState(windowState() & ~Qt::WindowMinimized);
    if (m_state.RemoveOutdatedOption)
        RemoveOutdated(m_ctx);

    ReadOptions(m_ctx);
    const Twips twips(logicalDpiY());
    // pos(), not x(): for a window placed before it was first shown, x() leaves out the frame.
    m_state.MainLeft = twips.fromPixels(pos().x());
    m_state.MainTop = twips.fromPixels(pos().y());
    WriteOptions(m_ctx);

    hide();
    IconUpdate(false);
    // The program lives on without windows once the tray icon is there, so it ends explicitly.
    QCoreApplication::quit();
}

} // namespace kelvaro
