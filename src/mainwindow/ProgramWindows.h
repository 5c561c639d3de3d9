#pragma once
// The window side of the word store's list-window requests: new standard
// list windows (made by the list-window work, installed in MakeStdGrid) and
// the one Sorry window of the main window.

#include "store/ListWindowLink.h"

#include <functional>

namespace tav {

class MDI;

class ProgramWindows : public ListWindowFactory {
public:
    explicit ProgramWindows(MDI &mdi) : m_mdi(mdi) {}

    StdGridWindowLink *NewStdGrid() override;
    void ShowSorry(const QString &Message, const QString &Text, bool GreekFont) override;

    // Makes a new standard list window; none is made while it is empty.
    std::function<StdGridWindowLink *(MDI &)> MakeStdGrid;

private:
    MDI &m_mdi;
};

} // namespace tav
