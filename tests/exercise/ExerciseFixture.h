#pragma once
// The exercise window in a main window, on the exercises' private copy of the
// fresh database (see rounds/ExerciseStoreFixture.h).

#include "exercise/Exercise.h"
#include "mainwindow/MDI.h"
#include "mainwindow/MdiExerciseHost.h"
#include "rounds/ExerciseStoreFixture.h"
#include "support/ExerciseProbe.h"

#include <memory>

namespace tavtest {

// The exercise fixture with a main window and the exercise window in it,
// activated.
class ExerciseWindowFixture : public ExerciseStoreFixture {
protected:
    void SetUp() override
    {
        ExerciseStoreFixture::SetUp();
        mdi = std::make_unique<tav::MDI>();
        host = std::make_unique<tav::MdiExerciseHost>(*mdi);
        tav::SetLink(mdi.get());
    }
    void TearDown() override
    {
        mdi.reset();
        ExerciseStoreFixture::TearDown();
    }
    void Open()
    {
        ex = new tav::Exercise(*host);
        mdi->AddChild(*ex);
        ex->Form_Activate();
    }
    // The open window's controls and state, which it keeps to itself.
    tav::ExerciseProbe probe() const { return tav::ExerciseProbe(*ex); }

    std::unique_ptr<tav::MDI> mdi;
    std::unique_ptr<tav::MdiExerciseHost> host; // the main window as the exercise window sees it
    tav::Exercise *ex = nullptr;
};

} // namespace tavtest
