#pragma once
// The main window as the exercise window sees it (ExerciseHost): its grammar
// panel, its status panels, its client area and its toolbar strip.

#include "exercise/ExerciseHost.h"

namespace tav {

class MDI;

class MdiExerciseHost : public ExerciseHost {
public:
    explicit MdiExerciseHost(MDI &mdi) : m_mdi(mdi) {}

    void SmallFacts(long long ID, const QString &Text, int Kind) override;
    void DeKlino(long Color, long long ID) override;
    void BaseFrase() override;
    void ShowWordID(long long ID) override;
    void SetPanelText(int panel, const QString &text) override;
    QMdiArea *ClientArea() const override;
    void ShowToolbar(bool Shown) override;

private:
    MDI &m_mdi;
};

} // namespace tav
