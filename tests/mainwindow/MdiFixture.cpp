#include "MdiFixture.h"

#include "ExerciseStandIn.h"

#include "store/CaptionArrays.h"
#include "store/SharedState.h"

#include "grids/GridStd.h"
#include "platform/flexgrid/FlexGrid.h"


namespace tavtest {

QList<QPair<int, QString>> StandardCaps()
{
    return {{1185, QStringLiteral("Closing Tavrinel")},
            {1186, QStringLiteral("Ready")},
            {1187, QStringLiteral(", please wait...")},
            {1211, QStringLiteral("words")},
            {1212, QStringLiteral(" words")},
            {1172, QStringLiteral("Sorry, nothing was found for:")},
            {1079, QStringLiteral("Greek")},
            {1292, QStringLiteral("a")},
            {1315, QStringLiteral("w")},
            {1335, QStringLiteral("Store of wrong answers")},
            {1339, QStringLiteral("last of the options")},
            {1400, QStringLiteral("not in any array")}};
}

void MdiFixture::SetUp()
{
    ASSERT_TRUE(dir.isValid());
    quiet = std::make_unique<winsys::ScriptedMessages>();
    tav::ResetSharedState();
    tav::CapsLanguage = QStringLiteral("English");
    tav::GreekFontSize = 14;
    tav::OptNbrWrongs = 30;
    tav::OptBoChecka = true;
    tav::Opt3rdLang = QStringLiteral("Swedish");
    tav::OptBoHide3 = false;
    tav::StartingUp = true;
    tav::MainLoading = false;
}

void MdiFixture::TearDown()
{
    mdi.reset();
    quiet.reset();
    tav::ResetSharedState();
    db.reset();
}

void MdiFixture::MakeDb(const QList<QPair<int, QString>> &caps, int words, int wrongs)
{
    db = dao::DBEngine::CreateDatabase(dir.filePath(QStringLiteral("TavWrd.twl")));
    db->ExecNative(QStringLiteral("CREATE TABLE LangCaps ([Index] INTEGER, English TEXT, Swedish TEXT)"));
    for (const auto &cap : caps)
        db->ExecNative(QStringLiteral("INSERT INTO LangCaps VALUES (?, ?, 'sv')"), {cap.first, cap.second});
    db->ExecNative(QStringLiteral("CREATE TABLE Main (ID INTEGER, Greek TEXT, English TEXT)"));
    for (int i = 1; i <= words; ++i)
        db->ExecNative(QStringLiteral("INSERT INTO Main VALUES (?, 'lovgoV', 'word')"), {i});
    db->ExecNative(QStringLiteral("CREATE TABLE WrongIDs (ID INTEGER, MadeDate TEXT)"));
    for (int i = 1; i <= wrongs; ++i)
        db->ExecNative(QStringLiteral("INSERT INTO WrongIDs VALUES (?, '2024-01-01')"), {i});
    tav::WordDb = db;
}

tav::MDI &MdiFixture::NewMdi()
{
    mdi.reset();
    mdi = std::make_unique<tav::MDI>();
    tav::SetLink(mdi.get());
    mdi->Pause = [this] { ++pauses; };
    mdi->EndProgram = [this] { ++ended; };
    mdi->Exercises = tav::StandInExerciseRoutines();
    return *mdi;
}

QWidget *MdiFixture::AddForm(const QString &name, const QString &caption, bool withGrid)
{
    if (withGrid) {
        // A list window whose grid is filled by hand, added as the list
        // windows add themselves. It reads its headings' texts from the
        // word database: a test without one gets the small one.
        if (!tav::WordDb)
            MakeDb(StandardCaps(), 3, 0);
        auto *list = new tav::GridStd;
        list->setObjectName(name);
        list->setWindowTitle(caption);
        flexgrid::FlexGrid *grid = list->Grid();
        grid->SetCols(3);
        grid->SetRows(3);
        grid->SetFixedRows(1);
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                grid->SetTextMatrix(r, c, QStringLiteral("r%1c%2").arg(r).arg(c));
        mdi->AddChild(*list);
        return list;
    }
    auto *form = new QWidget;
    form->setObjectName(name);
    form->setWindowTitle(caption);
    mdi->AddChild(form);
    return form;
}

} // namespace tavtest
