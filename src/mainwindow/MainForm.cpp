#include "MainForm.h"

#include "BgrColour.h"
#include "TickTimer.h"
#include "Twips.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <cstdlib>

namespace kelvaro {

namespace {

// The client area, in twips; a menu bar goes above it and does not take from it.
constexpr int ClientWidth = 9570;
constexpr int ClientHeight = 6105;
const QColor WindowGrey(192, 192, 192);

QGroupBox* frame(QWidget* parent, const QString& name, const QString& caption, const QRect& place)
{
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(name);
    box->setGeometry(place);
    return box;
}

QLineEdit* textBox(QWidget* parent, const QString& name, const QRect& place)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setGeometry(place);
    box->setReadOnly(true);
    return box;
}

// A caption as the button shows it: "&&" is an ampersand, a single "&" marks the access key.
QString shownCaption(const QString& caption)
{
    QString shown;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size())
            ++i;
        shown += caption[i];
    }
    return shown;
}

// Breaks a caption into lines at its spaces so that each line fits width; a push button does not
// wrap by itself, and the command buttons are narrower than most of their captions.
QString wrapCaption(const QString& caption, const QFontMetrics& metrics, int width)
{
    QStringList lines;
    for (const QString& word : caption.split(u' ')) {
        if (!lines.isEmpty() &&
            metrics.horizontalAdvance(shownCaption(lines.last() + u' ' + word)) <= width)
            lines.last() += u' ' + word;
        else
            lines << word;
    }
    return lines.join(u'\n');
}

} // namespace

MainForm::MainForm(SharedState& state, const Clock& clock, const DateLocale& locale, Sound& sound,
                   UserInterface& ui, QWidget* parent)
    : QMainWindow(parent), m_state(state), m_clock(clock), m_locale(locale), m_sound(sound),
      m_ui(ui), m_ctx{state, clock, locale, ui},
      // Ending at once means nothing else runs: no close handling, no saving, no destructors.
      m_endProcess([] { std::_Exit(EXIT_SUCCESS); })
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Kelvaro v1.0 Beta"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);

    QFont font = this->font();
    font.setPointSize(8);
    setFont(font);
    QPalette grey = palette();
    grey.setColor(QPalette::Window, WindowGrey);
    grey.setColor(QPalette::Button, WindowGrey);
    setPalette(grey);
    setAutoFillBackground(true);

    const Twips twips(logicalDpiY());
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("Client"));
    client->setFixedSize(twips.size(ClientWidth, ClientHeight));
    setCentralWidget(client);
    // The window follows its client area, menu bar included, and cannot be resized.
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    buildLeftColumn(client, twips);
    buildBoard(client, twips);
    applyTextBackColor();

    Klok = new TickTimer(this);
    Klok->setObjectName(QStringLiteral("Klok"));
    connect(Klok, &TickTimer::tick, this, &MainForm::Klok_Timer);
    Show_Delay = new TickTimer(this);
    Show_Delay->setObjectName(QStringLiteral("Show_Delay"));
    connect(Show_Delay, &TickTimer::tick, this, &MainForm::Show_Delay_Timer);
    Update_Delay = new QTimer(this);
    Update_Delay->setObjectName(QStringLiteral("Update_Delay"));
    Update_Delay->setSingleShot(true);
    Update_Delay->setInterval(1);
    connect(Update_Delay, &QTimer::timeout, this, &MainForm::Update_Delay_Timer);
    Auto_Close_Timer = new QTimer(this);
    Auto_Close_Timer->setObjectName(QStringLiteral("Auto_Close_Timer"));
    Auto_Close_Timer->setSingleShot(true);
    Auto_Close_Timer->setInterval(30000);
    connect(Auto_Close_Timer, &QTimer::timeout, this, &MainForm::Auto_Close_Timer_Timer);
}

MainForm::~MainForm() = default;

void MainForm::buildLeftColumn(QWidget* client, const Twips& twips)
{
    QGroupBox* timeFrame = frame(client, QStringLiteral("TimeFrame"), QStringLiteral("time"),
                                 twips.rect(90, 120, 1215, 615));
    // The column is narrow: a condensed face where the system has one.
    QFont narrow = font();
    narrow.setStretch(QFont::Condensed);
    timeFrame->setFont(narrow);
    The_Time = textBox(timeFrame, QStringLiteral("The_Time"), twips.rect(75, 255, 900, 285));
    The_Time->setAlignment(Qt::AlignCenter);
    auto* timeLabel = new QLabel(QStringLiteral("h"), timeFrame);
    timeLabel->setObjectName(QStringLiteral("TimeLabel"));
    timeLabel->setGeometry(twips.rect(1020, 270, 150, 255));

    QGroupBox* dateFrame = frame(client, QStringLiteral("DateFrame"), QStringLiteral("date"),
                                 twips.rect(90, 735, 1215, 615));
    dateFrame->setFont(narrow);
    Datum_Box = textBox(dateFrame, QStringLiteral("Datum_Box"), twips.rect(60, 255, 1095, 285));
    Datum_Box->setAlignment(Qt::AlignCenter);
    // Neither box is typed into: the date box is also the remembered date of today.
    The_Time->setFocusPolicy(Qt::NoFocus);
    Datum_Box->setFocusPolicy(Qt::NoFocus);

    QGroupBox* buttonFrame =
        frame(client, QStringLiteral("ButtonFrame"), QString(), twips.rect(90, 1320, 1215, 4695));
    buttonFrame->setFont(narrow);
    const QFontMetrics metrics(narrow);
    struct ButtonPlace {
        const char* name;
        const char* caption;
        int top;
    };
    static constexpr ButtonPlace places[] = {
        {"New_Message", "&New Message", 240}, {"Edit_Message", "&List && Edit Messages", 960},
        {"Simple", "&Simple Alarm", 1680},    {"Edit_Notes", "N&otes", 2400},
        {"Options_Button", "O&ptions", 3240}, {"Command4", "&Minimize", 3960},
    };
    for (std::size_t i = 0; i < std::size(places); ++i) {
        const QRect place = twips.rect(120, places[i].top, 975, 615);
        auto* button = new QPushButton(
            wrapCaption(QString::fromLatin1(places[i].caption), metrics, place.width() - 6),
            buttonFrame);
        button->setObjectName(QString::fromLatin1(places[i].name));
        button->setGeometry(place);
        button->installEventFilter(this);
        m_commandButtons[i] = button;
    }
    connect(m_commandButtons[5], &QPushButton::clicked, this, &MainForm::Command4_Click);
    // The other commands open windows that are not part of the program yet; pressing one is
    // still a user action, which keeps the window from minimizing itself.
    for (std::size_t i = 0; i < 5; ++i)
        connect(m_commandButtons[i], &QPushButton::clicked, this,
                [this] { m_state.AutoClose = false; });
}

void MainForm::buildBoard(QWidget* client, const Twips& twips)
{
    static constexpr QPoint slotPlaces[] = {{1410, 120}, {5520, 120}, {1410, 2760}, {5520, 2760}};
    for (int s = 0; s < 4; ++s) {
        const QString n = QString::number(s + 1);
        MessageSlot& slot = Message[s];
        slot.Date = frame(client, QStringLiteral("Message%1_Date").arg(n), QString(),
                          twips.rect(slotPlaces[s].x(), slotPlaces[s].y(), 3975, 2550));
        slot.Title = textBox(slot.Date, QStringLiteral("Message%1_Title").arg(n),
                             twips.rect(120, 360, 3735, 420));
        QFont bold = slot.Title->font();
        bold.setBold(true);
        slot.Title->setFont(bold);
        slot.Body = new QPlainTextEdit(slot.Date);
        slot.Body->setObjectName(QStringLiteral("Message%1_Body").arg(n));
        slot.Body->setGeometry(twips.rect(120, 840, 3735, 1575));
        slot.Body->setReadOnly(true);
    }
    Message[0].Body->setPlainText(QStringLiteral("Initializing..."));

    QGroupBox* pageFrame =
        frame(client, QStringLiteral("PageFrame"), QString(), twips.rect(1410, 5400, 3975, 615));
    PageNumber = new QLabel(QStringLiteral("Page 0 of 0"), pageFrame);
    PageNumber->setObjectName(QStringLiteral("PageNumber"));
    PageNumber->setGeometry(twips.rect(120, 240, 1935, 255));
    Back = new QPushButton(QStringLiteral("<<"), pageFrame);
    Back->setObjectName(QStringLiteral("Back"));
    Back->setGeometry(twips.rect(2445, 165, 660, 345));
    Forward = new QPushButton(QStringLiteral(">>"), pageFrame);
    Forward->setObjectName(QStringLiteral("Forward"));
    Forward->setGeometry(twips.rect(3195, 165, 660, 345));
    for (QPushButton* button : {Back, Forward})
        button->installEventFilter(this);
    connect(Back, &QPushButton::clicked, this, &MainForm::Back_Click);
    connect(Forward, &QPushButton::clicked, this, &MainForm::Forward_Click);

    QGroupBox* countFrame =
        frame(client, QStringLiteral("CountFrame"), QString(), twips.rect(5520, 5400, 3975, 615));
    auto* label1 = new QLabel(QStringLiteral("Messages:"), countFrame);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setGeometry(twips.rect(2040, 240, 1335, 285));
    label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Total_Messages =
        textBox(countFrame, QStringLiteral("Total_Messages"), twips.rect(3480, 240, 375, 285));
    Total_Messages->setText(QStringLiteral("0"));
    Total_Messages->setFocusPolicy(Qt::NoFocus);
}

void MainForm::setEndProcess(std::function<void()> endProcess)
{
    m_endProcess = std::move(endProcess);
}

void MainForm::setOpenAlarmWindow(std::function<void()> openAlarmWindow)
{
    m_openAlarmWindow = std::move(openAlarmWindow);
}

void MainForm::applyTextBackColor()
{
    const QColor back = colourFromBgr(m_state.TextBackColor);
    QList<QWidget*> boxes{The_Time, Datum_Box, Total_Messages};
    for (const MessageSlot& slot : Message)
        boxes << slot.Title << slot.Body;
    for (QWidget* box : boxes) {
        QPalette p = box->palette();
        p.setColor(QPalette::Base, back);
        // Set, not inherited: a slot's frame colours its caption red or blue.
        p.setColor(QPalette::Text, Qt::black);
        box->setPalette(p);
    }
}

void MainForm::Command4_Click()
{
    setWindowState((windowState() & ~Qt::WindowActive) | Qt::WindowMinimized);
}

bool MainForm::isNormalState() const
{
    return !(windowState() & Qt::WindowMinimized);
}

void MainForm::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow())
            Form_Activate();
        else
            Form_Deactivate();
    } else if (event->type() == QEvent::WindowStateChange && isNormalState()) {
        // Back from minimized: the clock shows seconds again, starting now.
        Klok->restart(1000);
    }
    QMainWindow::changeEvent(event);
}

void MainForm::mousePressEvent(QMouseEvent* event)
{
    m_state.AutoClose = false;
    QMainWindow::mousePressEvent(event);
}

bool MainForm::eventFilter(QObject* watched, QEvent* event)
{
    // Focus follows the mouse over the buttons while the window is the active one.
    if (event->type() == QEvent::Enter && FormActive) {
        if (auto* button = qobject_cast<QPushButton*>(watched))
            button->setFocus(Qt::MouseFocusReason);
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace kelvaro
