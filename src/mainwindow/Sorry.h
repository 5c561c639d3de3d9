#pragma once
// The window that reports an empty result: the caller fills tbMSG(0) with the
// message and tbMSG(1) with the searched word and shows it modeless; OK
// closes it.

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace tav {

class Sorry : public QDialog {
    Q_OBJECT

public:
    explicit Sorry(QWidget *parent = nullptr);

    void Form_Load();
    void OKButton_Click();

    QLineEdit *tbMSG[2] = {};
    QPushButton *OKButton = nullptr;
};

} // namespace tav
