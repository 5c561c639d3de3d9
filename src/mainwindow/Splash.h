#pragma once
// The start-up window: shown before the word database is opened and closed
// once the main window is shown. It stays above every window of the desktop,
// shows the program's version and the Greek motto, and blinks its loading
// text every 400 ms whenever the event loop gets control (the main window's
// Load pauses three times for that). A question asked while it is shown (a
// dialog of the start-up) hides it, so that the question is not under it.

#include <QWidget>

class QFrame;
class QLabel;
class QTimer;

namespace tav {

class Splash : public QWidget {
    Q_OBJECT

public:
    explicit Splash(QWidget *parent = nullptr);
    ~Splash() override;

    bool ShowAsSplash() const { return m_showAsSplash; }
    void SetShowAsSplash(bool value) { m_showAsSplash = value; }

    // The two captions the loading text blinks between.
    enum class LoadingCaption { LoadingWait, WaitLoading };
    static QString LoadingText(LoadingCaption caption);
    // The caption lblLoading shows: the window keeps it, the label only
    // shows it.
    LoadingCaption Loading() const { return m_loading; }
    QString LoadingLabelText() const;

    void Form_Load();
    void Timer3_Timer();
    void Form_QueryUnload();

    QFrame *Frame1 = nullptr;
    QLabel *imgRam = nullptr;
    QLabel *imgDuk = nullptr;
    QLabel *imgLogo = nullptr;
    QLabel *lblProduct = nullptr;
    QLabel *lblVersion = nullptr;
    QTimer *Timer3 = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *lblLoading = nullptr;
    bool m_showAsSplash = false;
    LoadingCaption m_loading = LoadingCaption::LoadingWait;
    bool m_pointerSet = false;
};

} // namespace tav
