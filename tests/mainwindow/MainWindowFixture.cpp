#include "MainWindowFixture.h"

#include "store/CaptionArrays.h"
#include "store/SharedState.h"
#include "store/SqlStrings.h"

#include <QComboBox>
#include <QTest>
#include <QTreeWidget>

namespace tavtest {

void RecordingRequests::DoStdGrid(const QString &Sql, bool IsGreek, int SortValue, const QString &Caption, int ViewTag,
                                  const QString &Filter)
{
    calls << QStringLiteral("Std|%1|%2|%3|%4|%5|%6").arg(Sql).arg(IsGreek).arg(SortValue).arg(Caption).arg(ViewTag).arg(Filter);
}

void RecordingRequests::DoSimpleGrid(const QString &Sql, int Lang, const QString &Word, int Mode)
{
    calls << QStringLiteral("Simple|%1|%2|%3|%4").arg(Sql).arg(Lang).arg(Word).arg(Mode);
}

void MainWindowFixture::SetUp()
{
    db.MakeWordStore();
    tav::CapsLanguage = QStringLiteral("English");
    tav::GreekFontSize = 14;
    tav::OptNbrWrongs = 30;
    tav::SaveBusy = false;
    tav::SearchLang = 4;
    tav::StartingUp = true; // until the Load below ends it
    tav::SetListWindowRequests(&requests);

    w = std::make_unique<tav::MDI>();
    w->Pause = [] {};
    w->EndProgram = [] {};
    tav::SetLink(w.get());
    w->MDIForm_Load();
    // Shown, so that the tree is laid out and takes mouse clicks.
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    ASSERT_TRUE(w->LoadFailures().isEmpty()) << w->LoadFailures().join(QStringLiteral("; ")).toStdString();
}

void MainWindowFixture::TearDown()
{
    w.reset();
    tav::SetListWindowRequests(nullptr);
    tav::SetLink(nullptr);
    tav::ResetSharedState();
}

void MainWindowFixture::ClickNode(const QString &key)
{
    QTreeWidgetItem *node = w->FindNode(key);
    ASSERT_NE(node, nullptr) << key.toStdString();
    for (QTreeWidgetItem *up = node->parent(); up; up = up->parent())
        up->setExpanded(true);
    w->Control<QTreeWidget>("tv1")->scrollToItem(node);
    // On the caption's start: a long caption runs past the panel's edge.
    const QRect rect = w->Control<QTreeWidget>("tv1")->visualItemRect(node);
    QTest::mouseClick(w->Control<QTreeWidget>("tv1")->viewport(), Qt::LeftButton, {},
                      QPoint(rect.left() + 8, rect.center().y()));
    ASSERT_EQ(w->SelectedNode(), node) << key.toStdString();
}

void MainWindowFixture::ChooseLetter(int place)
{
    w->Control<QComboBox>("cboTree")->setCurrentIndex(place);
    w->cboTree_Click();
}

QString MainWindowFixture::Caption(const QString &key) const
{
    const QTreeWidgetItem *node = w->FindNode(key);
    return node ? node->text(0) : QStringLiteral("<no node>");
}

QVariant MainWindowFixture::Native(const QString &sql) const { return db.Value(sql); }

long long MainWindowFixture::NativeCount(const QString &sql) const { return Native(sql).toLongLong(); }

} // namespace tavtest
