#pragma once
// The codes of the category tree's nodes and their two display texts. The
// codes are not stored in the database; XXW, the third language's words,
// reads Opt3rdLang at the time of the call.

#include <QString>

namespace tav {

// The long text a list window captions itself with; "" for an unknown code
// (codes compare exactly, case-sensitive).
QString CategoryText(const QString &code);

// The short text the tree labels its node with before the word count; "" for
// an unknown code.
QString CategoryShortText(const QString &code);

} // namespace tav
