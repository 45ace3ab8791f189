#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;
class QTimer;

namespace kelvaro {

// A short status message that needs no answer and closes itself two seconds after it was made.
// It has nothing to press: the keyboard focus waits on FakeButton, out of sight below the text,
// so Enter and Space change nothing.
//
// The controls carry the program's names as object names ("Text1", "Timer1", "FakeButton").
class Notify final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Notify)
public:
    explicit Notify(QWidget* parent = nullptr);

    void setText(const QString& text);

public slots:
    void Timer1_Timer();

protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QFrame* m_frame1;
    QLabel* m_text1;
    QPushButton* m_fakeButton;
    QTimer* m_timer1;
};

// Shows text in a notice centred on the screen and returns when it has closed itself.
void ShowNotice(const QString& text, QWidget* parent = nullptr);

} // namespace kelvaro
