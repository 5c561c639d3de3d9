#pragma once
// The program's start-up and the two small routines that go with it.

#include <QString>

namespace tav {

// Runs the whole start-up: fixes the start-up state, the database path (the
// program folder + "/TavWrd.twl") and the Greek font size, shows the splash,
// opens the shared connection WordDb, loads the settings row, finds the
// auxiliary verb "have", builds every shared SQL string, makes the program's
// folder the working folder, sizes the per-word flag arrays, shows the main
// window and unloads the splash. Returns 0 when the main window is shown.
//
// A database that cannot be opened, or that has no table Options, no row in
// it or no table Main, or that the engine fails on in any step (reading the
// settings, finding "have", counting the words), is reported in one message
// naming the file, the step and the engine's own words; then nothing is
// shown, nothing is written, and the result is 1.
int SubMain(const QString &programFolder);

// HaveID: the first word "have" of type "cA" whose AP is 154; 0 when none.
void FindHaveID();

// Waits 0.6 seconds on a monotonic clock while the event loop runs (clicks,
// repaints and timers are handled meanwhile), without keeping a core busy.
void PauseBriefly();

// The desktop size as width "x" height in decimal pixels ("800x600"), asked
// of the main window link (the store itself links no window code).
QString ScreenResolution();

// The Greek font size for a desktop resolution: 11 for exactly "800x600",
// else 14.
int GreekFontSizeFor(const QString &resolution);

} // namespace tav
