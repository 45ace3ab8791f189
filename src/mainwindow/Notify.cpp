#include "Notify.h"

#include "WindowRoutines.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace kelvaro {

namespace {

constexpr int NoticeMs = 2000;

// The layout is drawn in twips (1440 to the inch) and placed at the screen's logical resolution.
class TwipScale {
public:
    explicit TwipScale(const QScreen* screen)
        : m_x(screen ? screen->logicalDotsPerInchX() : 96.0),
          m_y(screen ? screen->logicalDotsPerInchY() : 96.0)
    {
    }
    QRect rect(int left, int top, int width, int height) const
    {
        return QRect(x(left), y(top), x(width), y(height));
    }
    int x(int twips) const { return qRound(twips * m_x / 1440.0); }
    int y(int twips) const { return qRound(twips * m_y / 1440.0); }

private:
    qreal m_x;
    qreal m_y;
};

} // namespace

Notify::Notify(QWidget* parent)
    // A tool window has no taskbar entry; without minimize and maximize hints it has neither box.
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_frame1(new QFrame(this)), m_text1(new QLabel(m_frame1)),
      m_fakeButton(new QPushButton(this)), m_timer1(new QTimer(this))
{
    setWindowTitle(QStringLiteral("Kelvaro"));
    setModal(true);
    const TwipScale twips(screen());
    setFixedSize(twips.x(4455), twips.y(945));

    m_frame1->setObjectName(QStringLiteral("Frame1"));
    m_frame1->setFrameShape(QFrame::Box);
    m_frame1->setFrameShadow(QFrame::Sunken);
    m_frame1->setGeometry(twips.rect(120, 0, 4215, 855));

    // A label rather than a text box: it shows no caret, and a long notice wraps instead of
    // being cut off.
    m_text1->setObjectName(QStringLiteral("Text1"));
    m_text1->setAlignment(Qt::AlignCenter);
    m_text1->setWordWrap(true);
    m_text1->setGeometry(twips.rect(120, 240, 3975, 495));

    // Below the client area: never seen, only holds the focus. Pressing it does nothing.
    m_fakeButton->setObjectName(QStringLiteral("FakeButton"));
    m_fakeButton->setAutoDefault(false);
    m_fakeButton->setGeometry(twips.rect(480, 1200, 1935, 375));

    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setSingleShot(true);
    m_timer1->setInterval(NoticeMs);
    connect(m_timer1, &QTimer::timeout, this, &Notify::Timer1_Timer);
    // The two seconds count from the notice's making, whatever its text.
    m_timer1->start();
    m_fakeButton->setFocus();
}

void Notify::setText(const QString& text)
{
    m_text1->setText(text);
}

void Notify::Timer1_Timer()
{
    m_timer1->stop();
    accept();
}

void Notify::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        m_fakeButton->setFocus();
    QDialog::changeEvent(event);
}

void Notify::keyPressEvent(QKeyEvent* event)
{
    // A dialog closes on Escape; a notice waits for its timer like for any other key.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void Notify::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_fakeButton->setFocus();
}

void ShowNotice(const QString& text, QWidget* parent)
{
    // Guarded: the parent may go away while the notice waits, taking the notice with it.
    QPointer<Notify> notice = new Notify(parent);
    notice->setText(text);
    CenterForm(notice);
    notice->exec();
    delete notice;
}

} // namespace kelvaro
