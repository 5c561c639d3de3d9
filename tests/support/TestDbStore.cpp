// The part of TestDb that needs the word store: built into the store's test
// support only, so that tests of the layers below the store link without it.
#include "support/TestDb.h"

#include "store/SharedState.h"
#include "store/SqlStrings.h"
#include "store/StartUp.h"

namespace tavtest {

void TestDb::MakeWordStore() const
{
    tav::WordDb = Open();
    tav::DbPath = m_path;
    tav::Opt3rdLang = QStringLiteral("Swedish");
    tav::Opt2ndScribble = QStringLiteral("English");
    tav::Opt2ndTavrinel = QStringLiteral("English");
    tav::OptBoHide3 = false;
    tav::OptBoChecka = false;
    tav::StartingUp = true;
    tav::FindHaveID();
    tav::BuildSqlStrings();
    tav::BuildLookupPrefixes();
    tav::StartingUp = false;
}

} // namespace tavtest
