#pragma once
// The About window: the program's version and a link that opens a mail to
// the maker in the desktop's mail program (or, without one, shows the address
// in a message to copy it from). Shown modeless from the Help menu;
// OK closes it, and each showing loads it anew.

#include <QDialog>
#include <QUrl>

#include <functional>

class QLabel;
class QPushButton;

namespace tav {

class About : public QDialog {
    Q_OBJECT

public:
    explicit About(QWidget *parent = nullptr);

    void Form_Load();
    void cmdOK_Click();
    void lblMailMe_Click();

    // The maker's contact address behind the mail link.
    static const QString ContactAddress;
    // Opens a URL with the desktop's handler; tests replace it.
    static std::function<bool(const QUrl &)> OpenUrl;

    QLabel *imgLogo = nullptr;
    QLabel *imgDuk = nullptr;
    QLabel *lblVersion = nullptr;
    QLabel *lblMailMe = nullptr;
    QPushButton *cmdOK = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace tav
