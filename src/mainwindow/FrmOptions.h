#pragma once
// The settings dialog, shown modally from the Tools menu. Page 0 holds the
// exercise settings (the rule for words with several meanings, the largest
// number of stored wrong answers), page 1 the third language (hiding it,
// choosing the one shown, adding and deleting languages), page 3 the two
// maintenance commands (compaction and the gender fill-in).
//
// The rule, the limit and the hiding are collected and stored by Apply or OK;
// choosing, adding and deleting a language act at once. Controls keep their
// names as object names (arrays as "opTreat(1110)").

#include <QDialog>
#include <QString>

#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTabBar;

namespace winsys {
class UpDown;
}

namespace tav {

class frmOptions : public QDialog {
    Q_OBJECT

public:
    explicit frmOptions(QWidget *parent = nullptr);
    ~frmOptions() override;

    // The language being added and its welcome word, kept trimmed.
    QString NewLang() const { return m_newLang; }
    void SetNewLang(const QString &value) { m_newLang = value.trimmed(); }
    QString NewWelCome() const { return m_newWelCome; }
    void SetNewWelCome(const QString &value) { m_newWelCome = value.trimmed(); }

    // Stores the collected changes: the rule, the hiding, the limit.
    void ApplyOKRoutines();

    // Dialog events, callable as the window system would call them.
    void Form_Load();
    void Form_Activate();
    void Form_QueryUnload();
    // The dialog's key-down handler (it sees every key first): Ctrl+Tab and
    // Ctrl+PageDown select the next tab, Ctrl+Shift+Tab and Ctrl+PageUp the
    // previous one, going round; F1 asks for the help (HelpRequested).
    bool Form_KeyDown(int KeyCode, Qt::KeyboardModifiers Shift);
    // The help page of the tab in front.
    QString HelpTopic() const;
    void tbsOptions_Click();
    void opTreat_Click(int Index);
    void lblWrong_Change();
    void chk3rd_Click();
    void cmdApply_Click();
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdKomprimera_Click();
    void cmdGenus_Click();

    // The third-language handlers.
    void FillLanguageLists();
    void ClearLanguageLists();
    void ResetAddLanguage();
    void cboLangs_Click();
    void cboLangs_LostFocus();
    void cmdSelect_Click();
    void cmdAdd_Click();
    void cmdDelete_Click();
    void AddLanguage();
    void DeleteLanguage(const QString &L);

    // The collected values.
    bool rule = false;
    int limit = 0;
    bool hide = false;

    // Called after the rule was stored, so that an open exercise window
    // takes the new value; set by the main window.
    std::function<void(bool)> RuleChanged;
    // F1 was pressed; set by the main window, which shows HelpTopic().
    std::function<void()> HelpRequested;

    // Controls.
    QTabBar *tbsOptions = nullptr;
    QStackedWidget *pages = nullptr;
    QWidget *picOptions[4] = {}; // page 2 is not used
    QGroupBox *fraStore = nullptr;
    QLabel *lblWrong = nullptr;
    winsys::UpDown *UpStore = nullptr;
    QLineEdit *TbFailedInStore = nullptr;
    QLabel *lblex[4] = {};
    QGroupBox *fraMultiple = nullptr;
    QRadioButton *opTreat1110 = nullptr;
    QRadioButton *opTreat1111 = nullptr;
    QGroupBox *Frame2 = nullptr;
    QCheckBox *chk3rd = nullptr;
    QGroupBox *fra3langYttre = nullptr;
    QComboBox *cboLangs = nullptr;
    QPushButton *cmdSelect = nullptr;
    QGroupBox *fra3lang = nullptr;
    QLineEdit *tbAddLang = nullptr;
    QLineEdit *tbWelCome = nullptr;
    QLabel *lblWelcome = nullptr;
    QPushButton *cmdAdd = nullptr;
    QGroupBox *Frame1 = nullptr;
    QComboBox *cboUserAdded = nullptr;
    QPushButton *cmdDelete = nullptr;
    QPushButton *cmdKomprimera = nullptr;
    QPushButton *cmdGenus = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdApply = nullptr;
    QPushButton *cmdCancel = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildPage0();
    void buildPage1();
    void buildPage3();
    void setAccessKeys();
    void watchKeys(QWidget *root);
    void showPage(int tab);

    QString m_newLang;
    QString m_newWelCome;
    bool m_loaded = false;
    QString m_page0Keys; // the access keys page 0 has before its captions

};

} // namespace tav
