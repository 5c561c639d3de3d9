#pragma once
// The word-list requests of the main window: the Show button under the
// category tree (MDI.cmdShow_Click) and the search box (MDI.tbSearch_KeyPress)
// turn what the user chose into an SQL text, a filter and a caption, and hand
// them to a list window: GridStd.DoStdGrid for Greek headwords and inflected
// forms, GridSimple.DoSimpleGrid for English and third-language words.
//
// The routines here only build the request; ListRequests is what the list
// windows offer, installed by the program (tests install a recorder).
// Text the user typed goes into the SQL as a quoted value: a quote in it is
// searched for like any other character.

#include <QString>

namespace tav {

// The two calls the list windows take. Each request opens a new list window,
// or, when nothing is found, writes the empty-result text into the main
// window's boxes tbFind(0) and tbFind(1).
class ListRequests {
public:
    virtual ~ListRequests() = default;
    // Sql's rows, after Filter when it is not empty, in a new standard list
    // window. IsGreek: captioned from the tree's category and letter, else
    // from Caption. ViewTag: 2 words with the article column, 5 verbs and
    // adjectives without it, 33 inflected forms.
    virtual void DoStdGrid(const QString &Sql, bool IsGreek, int SortValue, const QString &Caption, int ViewTag,
                           const QString &Filter) = 0;
    // Sql's rows in a new simple list window; Lang 1 English, 2 the third
    // language; Word captions the list; Mode is the grid's Tag.
    virtual void DoSimpleGrid(const QString &Sql, int Lang, const QString &Word, int Mode) = 0;
};

// The installed list windows. A debug build stops when none were installed;
// a release build then opens nothing.
ListRequests &ListWindowRequests();
void SetListWindowRequests(ListRequests *requests);
// True while list windows other than the silent default are installed.
bool ListWindowRequestsInstalled();

// One request, as built.
struct ListRequest {
    enum class Route { None, StdGrid, SimpleGrid };
    Route route = Route::None;
    QString Sql;
    // DoStdGrid
    bool IsGreek = true;
    int SortValue = 0;
    QString Caption;
    int ViewTag = 0;
    QString Filter;
    // DoSimpleGrid
    int Lang = 0;
    QString Word;
    int Mode = 2;
};

// Hands the request to the list windows; Route::None does nothing.
void SendListRequest(const ListRequest &request, ListRequests &lists = ListWindowRequests());

// The request of the Show button for the tree node Key with its Caption.
// LetterPicked and Letter are the initial-letter filter (Letter is the text
// of cboTree). Greek lists take SqlMain/SqlMain2/SqlMainGenus while the third
// language is hidden, else SqlLang3/SqlLang3Genus. "Root", "Info" and keys
// that are no category give Route::None.
ListRequest ShowRequest(const QString &Key, const QString &Caption, bool LetterPicked, const QString &Letter);

// The filter of a Greek category node, with or without a letter ("" for the
// letter means none).
QString ShowFilter(const QString &Key, const QString &Letter);

// The request of the search box for the text t: inflected forms (opForm(1)
// chosen) whatever the language, else headwords of SearchLang (4 Greek,
// 5 English, 6 the third language; any other value: Route::None). An empty t
// gives Route::None. t is searched as typed, with its own wildcards.
ListRequest SearchRequest(const QString &t, bool InflectedForms, int SearchLang);

// The Like pattern for a text the user typed: a "[" that no "]" closes
// matches itself (as "[[]") instead of making the pattern invalid.
QString LiteralBrackets(const QString &t);

} // namespace tav
