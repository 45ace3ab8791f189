#pragma once

#include "StoreContext.h"

#include <QMainWindow>
#include <array>
#include <functional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace kelvaro {

class SingleInstance;
class Sound;
class TickTimer;
class Twips;

// The main window: the clock and date, the command buttons and the board of four messages a
// page. Its timers drive everything that happens without the user: the clock (Klok), the page
// turns (Show_Delay), the deferred rebuild (Update_Delay) and the auto-minimize
// (Auto_Close_Timer).
//
// Controls and timers carry the program's names as object names ("Message1_Title", "Show_Delay"),
// so tests find them with findChild().
class MainForm final : public QMainWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainForm)
public:
    MainForm(SharedState& state, const Clock& clock, const DateLocale& locale, Sound& sound,
             UserInterface& ui, QWidget* parent = nullptr);
    ~MainForm() override;

    // The load sequence: single instance, files, settings, the refused auto-launch, clock,
    // messages and position. False when the program must end instead of showing the window.
    // programFolder holds the settings, notes and default message file; instance is taken for
    // the life of the program.
    bool Form_Load(const QStringList& arguments, const QString& programFolder,
                   SingleInstance& instance);
    // The exit sequence: other windows closed, outdated messages removed, position saved.
    void Form_Unload();

    // Rebuilds the board after the records changed: display list, counts, and the page timer
    // restarted from the current page.
    void UpdateBoard();
    void RefreshBoard();
    void RestartScrollTimer();

    // Adds (true) or removes (false) the tray icon.
    void IconUpdate(bool show);

    // Ends the process at once, without saving: the clock calls it when the date jumped.
    // Tests put a recorder in its place.
    void setEndProcess(std::function<void()> endProcess);
    // Opens the alarm window for Shown row AlarmRow and returns when it has closed.
    void setOpenAlarmWindow(std::function<void()> openAlarmWindow);

    bool FormActive = false;

public slots:
    void Show_Delay_Timer();
    void Back_Click();
    void Forward_Click();
    void Klok_Timer();
    void Update_Delay_Timer();
    void Auto_Close_Timer_Timer();
    void Command4_Click();
    void Form_Activate();
    void Form_Deactivate();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct MessageSlot {
        QGroupBox* Date = nullptr;
        QLineEdit* Title = nullptr;
        QPlainTextEdit* Body = nullptr;
    };

    void buildLeftColumn(QWidget* client, const Twips& twips);
    void buildBoard(QWidget* client, const Twips& twips);
    void fillSlot(int slot, int row);
    void applyTextBackColor();
    void restoreNormalPointer();
    bool isNormalState() const;
    bool clockIconShown() const;
    void checkAlarms(const QDateTime& now);
    void positionWindow();

    SharedState& m_state;
    const Clock& m_clock;
    const DateLocale& m_locale;
    Sound& m_sound;
    UserInterface& m_ui;
    StoreContext m_ctx;
    std::function<void()> m_endProcess;
    std::function<void()> m_openAlarmWindow;

    QLineEdit* The_Time = nullptr;
    QLineEdit* Datum_Box = nullptr;
    std::array<QPushButton*, 6> m_commandButtons{};
    std::array<MessageSlot, 4> Message{};
    QLabel* PageNumber = nullptr;
    QPushButton* Back = nullptr;
    QPushButton* Forward = nullptr;
    QLineEdit* Total_Messages = nullptr;

    TickTimer* Klok = nullptr;
    TickTimer* Show_Delay = nullptr;
    QTimer* Update_Delay = nullptr;
    QTimer* Auto_Close_Timer = nullptr;
};

} // namespace kelvaro
