// The board: four messages a page, paged by the Show_Delay timer and the << and >> buttons.
#include "MainForm.h"
#include "Recurrence.h"
#include "Sound.h"
#include "TickTimer.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace kelvaro {

namespace {

constexpr int SlotsPerPage = 4;

QColor captionColour(LabelColour colour)
{
    switch (colour) {
    case LabelColour::Red:
        return QColor(255, 0, 0);
    case LabelColour::Blue:
        return QColor(0, 0, 255);
    case LabelColour::Black:
        break;
    }
    return QColor(0, 0, 0);
}

} // namespace

void MainForm::RefreshBoard()
{
    QApplication::setOverrideCursor(Qt::BusyCursor);
    BuildShownList(m_ctx);
    Total_Messages->setText(QString::number(m_state.ShownCount));
    m_state.PageCount = static_cast<qint16>((m_state.ShownCount + SlotsPerPage - 1) / SlotsPerPage);
    QApplication::restoreOverrideCursor();
}

void MainForm::RestartScrollTimer()
{
    Show_Delay->restart(m_state.ScrollDelay);
}

void MainForm::UpdateBoard()
{
    m_state.JustLoaded = true;
    Show_Delay->stop();
    RefreshBoard();
    RestartScrollTimer();
    m_state.MessagesChanged = false;
}

void MainForm::restoreNormalPointer()
{
    // Loading the messages leaves the hourglass up; the first page shown ends the wait.
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

void MainForm::Show_Delay_Timer()
{
    restoreNormalPointer();
    SharedState& s = m_state;
    if (s.JustLoaded) {
        if (s.CurrentPage == 0 && s.PageCount == 1)
            s.CurrentPage = 1;
        if (s.CurrentPage >= s.PageCount) {
            Show_Delay->stop();
            s.CurrentPage = 1;
            if (s.AutoClose && isEnabled())
                Auto_Close_Timer->start();
        } else if (!s.AutoScroll) {
            Show_Delay->stop();
            s.CurrentPage = 1;
        } else {
            ++s.CurrentPage;
        }
    }
    PageNumber->setText(QStringLiteral("Page %1 of %2").arg(s.CurrentPage).arg(s.PageCount));
    const int first = SlotsPerPage * (s.CurrentPage - 1) + 1;
    for (int slot = 1; slot <= SlotsPerPage; ++slot)
        fillSlot(slot, first + slot - 1);
    Back->setEnabled(s.CurrentPage > 1);
    Forward->setEnabled(s.CurrentPage < s.PageCount);

    if (s.FirstUse) {
        // Cleared before the box, so that a page turn while it is open cannot greet twice.
        s.FirstUse = false;
        m_ui.messageBox(QStringLiteral("Thank you for trying Kelvaro! In order to give you a good "
                                       "impression of what Kelvaro can do a few example messages "
                                       "have been created.\n\nThe examples can, of course, be "
                                       "easily removed from the message list."),
                        UserInterface::Ok | UserInterface::Information,
                        QStringLiteral("Welcome to Kelvaro!"));
    }
}

void MainForm::fillSlot(int slot, int row)
{
    MessageSlot& controls = Message[slot - 1];
    // Rows beyond the list (page 0, or a page past the end) show as empty rows.
    static const ShownTable::Row emptyRow = [] {
        ShownTable::Row r;
        r.fill(QString());
        return r;
    }();
    const bool inList = row >= 1 && row <= ShownTable::rows;
    const ShownTable::Row& shown = inList ? m_state.Shown.row(row) : emptyRow;

    const QDate today = m_clock.today();
    const DayLabel label = dayLabel(shown, today, m_locale);
    controls.Date->setTitle(label.caption);
    QPalette captionPalette = controls.Date->palette();
    captionPalette.setColor(QPalette::WindowText, captionColour(label.colour));
    captionPalette.setColor(QPalette::Text, captionColour(label.colour));
    controls.Date->setPalette(captionPalette);

    const Value& date = shown[ShownField::Date - 1];
    const bool dueToday = !date.isBlank() && today.daysTo(date.toDate(m_locale)) == 0;
    if (dueToday && !m_state.AlarmShowing && isNormalState())
        PlaySound(m_state, m_sound, m_state.SoundFile);

    controls.Title->setText(shown[ShownField::Title - 1].toText(m_locale));
    controls.Body->setPlainText(shown[ShownField::Body - 1].toText(m_locale));
}

void MainForm::Back_Click()
{
    Show_Delay->stop();
    m_state.AutoClose = false;
    m_state.JustLoaded = false;
    if (m_state.CurrentPage > 1)
        --m_state.CurrentPage;
    else
        m_state.CurrentPage = m_state.PageCount;
    Show_Delay->tickOnce();
}

void MainForm::Forward_Click()
{
    Show_Delay->stop();
    m_state.AutoClose = false;
    m_state.JustLoaded = false;
    if (m_state.CurrentPage < m_state.PageCount)
        ++m_state.CurrentPage;
    else
        m_state.CurrentPage = 1;
    Show_Delay->tickOnce();
}

} // namespace kelvaro
