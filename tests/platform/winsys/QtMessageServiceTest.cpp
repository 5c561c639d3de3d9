#include "platform/winsys/QtMessageService.h"
#include "platform/winsys/WindowServices.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

#include <gtest/gtest.h>

using namespace winsys;
using B = QMessageBox;

TEST(MessageBoxLayout, ButtonSetsFollowTheStyleNumber)
{
    EXPECT_EQ(LayoutForStyle(vbOKOnly).buttons, (QVector{B::Ok}));
    EXPECT_EQ(LayoutForStyle(vbOKCancel).buttons, (QVector{B::Ok, B::Cancel}));
    EXPECT_EQ(LayoutForStyle(vbAbortRetryIgnore).buttons, (QVector{B::Abort, B::Retry, B::Ignore}));
    EXPECT_EQ(LayoutForStyle(vbYesNoCancel).buttons, (QVector{B::Yes, B::No, B::Cancel}));
    EXPECT_EQ(LayoutForStyle(vbYesNo).buttons, (QVector{B::Yes, B::No}));
    EXPECT_EQ(LayoutForStyle(vbRetryCancel).buttons, (QVector{B::Retry, B::Cancel}));
    // Icon and default bits do not change the buttons; an unknown set is OK.
    EXPECT_EQ(LayoutForStyle(276).buttons, (QVector{B::Yes, B::No}));
    EXPECT_EQ(LayoutForStyle(6).buttons, (QVector{B::Ok}));
}

TEST(MessageBoxLayout, IconsFollowTheStyleNumber)
{
    EXPECT_EQ(LayoutForStyle(vbOKOnly).icon, B::NoIcon);
    EXPECT_EQ(LayoutForStyle(16).icon, B::Critical);
    EXPECT_EQ(LayoutForStyle(20).icon, B::Critical);
    EXPECT_EQ(LayoutForStyle(33).icon, B::Question);
    EXPECT_EQ(LayoutForStyle(vbExclamation).icon, B::Warning);
    EXPECT_EQ(LayoutForStyle(vbInformation).icon, B::Information);
}

TEST(MessageBoxLayout, DefaultButtonByPosition)
{
    EXPECT_EQ(LayoutForStyle(vbYesNo).defaultButton, B::Yes);
    EXPECT_EQ(LayoutForStyle(276).defaultButton, B::No); // Yes/No, critical, second default
    EXPECT_EQ(LayoutForStyle(vbYesNoCancel | vbDefaultButton3).defaultButton, B::Cancel);
    // A default beyond the last button falls back to the first.
    EXPECT_EQ(LayoutForStyle(vbOKOnly | vbDefaultButton2).defaultButton, B::Ok);
    EXPECT_EQ(LayoutForStyle(vbOKCancel | vbDefaultButton3).defaultButton, B::Ok);
    // The layout agrees with the default answer the stand-in services give.
    for (int style : {0, 1, 2, 3, 4, 5, 16, 20, 33, 276, 256 + 3, 512 + 3, 512 + 2, 256 + 1})
        EXPECT_EQ(ResultForButton(LayoutForStyle(style).defaultButton), DefaultAnswer(style)) << style;
}

// Esc and the close box give the answer that changes nothing; a question
// each of whose answers acts is not answered by them.
TEST(MessageBoxLayout, EscapeGivesTheSafeAnswerAndNoneWhereEveryAnswerActs)
{
    EXPECT_EQ(LayoutForStyle(vbOKOnly).escapeButton, B::Ok);
    EXPECT_EQ(LayoutForStyle(vbOKCancel).escapeButton, B::Cancel);
    EXPECT_EQ(LayoutForStyle(vbYesNoCancel).escapeButton, B::Cancel);
    EXPECT_EQ(LayoutForStyle(vbRetryCancel).escapeButton, B::Cancel);
    EXPECT_EQ(LayoutForStyle(vbYesNo).escapeButton, B::No);
    EXPECT_EQ(LayoutForStyle(vbAbortRetryIgnore).escapeButton, B::Abort);
    EXPECT_FALSE(LayoutForStyle(vbYesNo | vbCritical | NoSafeAnswer).escapeAllowed);
    for (int style : {0, 1, 2, 3, 4, 5, 20, 276})
        EXPECT_EQ(ResultForButton(LayoutForStyle(style).escapeButton), SafeAnswer(style)) << style;
    EXPECT_EQ(SafeAnswer(vbYesNo | NoSafeAnswer), NoAnswer);
}

TEST(MessageBoxLayout, ResultCodes)
{
    EXPECT_EQ(ResultForButton(B::Ok), vbOK);
    EXPECT_EQ(ResultForButton(B::Cancel), vbCancel);
    EXPECT_EQ(ResultForButton(B::Abort), vbAbort);
    EXPECT_EQ(ResultForButton(B::Retry), vbRetry);
    EXPECT_EQ(ResultForButton(B::Ignore), vbIgnore);
    EXPECT_EQ(ResultForButton(B::Yes), vbYes);
    EXPECT_EQ(ResultForButton(B::No), vbNo);
}

// Runs MsgBox through the installed Qt service while `answer` acts on the
// shown box from the event loop.
class ShownMessageBox : public ::testing::Test {
protected:
    void SetUp() override { InstallWindowServices(); }
    void TearDown() override { UninstallWindowServices(); }

    int Run(const QString &prompt, int style, const QString &title, std::function<void(QMessageBox *)> answer)
    {
        QTimer::singleShot(0, &m_scope, [this, answer] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            m_title = box->windowTitle();
            m_text = box->text();
            m_icon = box->icon();
            m_default = box->standardButton(box->defaultButton());
            answer(box);
            // Close it in any case so that a failing answer cannot hang the test.
            if (box->isVisible())
                QTimer::singleShot(0, box, [box] { box->done(0); });
        });
        return MsgBox(prompt, style, title);
    }

    // The context of the answering timer: it dies with the case.
    QObject m_scope;
    QString m_title, m_text;
    QMessageBox::Icon m_icon = QMessageBox::NoIcon;
    QMessageBox::StandardButton m_default = QMessageBox::NoButton;
};

TEST_F(ShownMessageBox, ShowsTextTitleIconAndDefault)
{
    const int result = Run(QStringLiteral("Delete <b>this</b>?"), 276, QString(), [](QMessageBox *box) {
        box->button(QMessageBox::Yes)->click();
    });
    EXPECT_EQ(result, vbYes);
    EXPECT_EQ(m_title, QStringLiteral("Tavrinel")); // an empty title is the program's
    EXPECT_EQ(m_text, QStringLiteral("Delete <b>this</b>?"));
    EXPECT_EQ(m_icon, QMessageBox::Critical);
    EXPECT_EQ(m_default, QMessageBox::No);
    const auto box = QtMessageService::BuildBox(QStringLiteral("tavrinel@example.org"), vbOKOnly, QString(), nullptr);
    EXPECT_TRUE(box->textInteractionFlags() & Qt::TextSelectableByMouse) << "the text can be copied";
}

TEST_F(ShownMessageBox, EnterChoosesTheDefaultButton)
{
    const int result = Run(QStringLiteral("Sure?"), vbYesNo | vbDefaultButton2, QStringLiteral("Exercise"),
                           [](QMessageBox *box) { QTest::keyClick(box, Qt::Key_Return); });
    EXPECT_EQ(result, vbNo);
    EXPECT_EQ(m_title, QStringLiteral("Exercise"));
}

TEST_F(ShownMessageBox, EscapeAnswersCancelWhereThereIsOne)
{
    EXPECT_EQ(Run(QStringLiteral("Go on?"), vbYesNoCancel, QString(),
                  [](QMessageBox *box) { QTest::keyClick(box, Qt::Key_Escape); }),
              vbCancel);
    EXPECT_EQ(Run(QStringLiteral("Done."), vbOKOnly, QString(),
                  [](QMessageBox *box) { QTest::keyClick(box, Qt::Key_Escape); }),
              vbOK);
}

// Every Yes/No question of the program, as its style asks: Esc and the
// close box answer No, Enter the default (No where Yes deletes or empties).
TEST_F(ShownMessageBox, EveryYesNoQuestionAnswersNoOnEscAndTheCloseBoxAndItsDefaultOnEnter)
{
    const struct {
        const char *question;
        int style;
        int onEnter;
    } questions[] = {
        {"delete a word", vbYesNo | vbCritical | vbDefaultButton2, vbNo},
        {"delete a language", vbYesNo | vbCritical | vbDefaultButton2, vbNo},
        {"flush the store of wrong answers", vbYesNo | vbCritical | vbDefaultButton2, vbNo},
        {"an article without a gender", vbYesNo | vbExclamation | vbDefaultButton2, vbNo},
        {"cancel a print repeat", vbYesNo | vbInformation, vbYes},
    };
    const struct {
        const char *name;
        std::function<void(QMessageBox *)> press;
        bool isEnter;
    } answers[] = {
        {"Esc", [](QMessageBox *box) { QTest::keyClick(box, Qt::Key_Escape); }, false},
        {"close box", [](QMessageBox *box) { box->close(); }, false},
        {"Enter", [](QMessageBox *box) { QTest::keyClick(box, Qt::Key_Return); }, true},
    };
    for (const auto &q : questions) {
        for (const auto &a : answers) {
            SCOPED_TRACE(std::string(q.question) + " x " + a.name);
            bool closed = false;
            const int result = Run(QString::fromLatin1(q.question), q.style, QString(), [&](QMessageBox *box) {
                a.press(box);
                closed = !box->isVisible();
            });
            EXPECT_TRUE(closed) << "the box is answered";
            EXPECT_EQ(result, a.isEnter ? q.onEnter : vbNo);
        }
    }
}

// Yes/No where No empties a store: Esc and the close box leave the box for
// the user to answer; a box closed as the program ends answers nothing.
TEST_F(ShownMessageBox, AQuestionEachOfWhoseAnswersActsWaitsForAButtonUntilTheProgramEnds)
{
    const int style = vbYesNo | vbCritical | NoSafeAnswer;
    for (const auto &press : std::initializer_list<std::function<void(QMessageBox *)>>{
             [](QMessageBox *box) { QTest::keyClick(box, Qt::Key_Escape); },
             [](QMessageBox *box) { box->close(); }}) {
        bool stayed = false;
        const int result = Run(QStringLiteral("Store full?"), style, QString(), [&](QMessageBox *box) {
            press(box);
            stayed = box->isVisible();
            box->button(QMessageBox::Yes)->click();
        });
        EXPECT_TRUE(stayed);
        EXPECT_EQ(result, vbYes);
    }
    const int atEnd = Run(QStringLiteral("Store full?"), style, QString(), [](QMessageBox *box) {
        SetEndingProgram(true);
        box->close();
    });
    SetEndingProgram(false);
    EXPECT_EQ(atEnd, NoAnswer);
}
