#pragma once
// The rules of the exercises that read a word's type and forms: the word-
// class tag beside a tile, whether a voice's six forms can be asked, and
// which voice a verb round shows.

#include "exercise/rounds/ExerciseRandom.h"

#include <QString>
#include <QStringList>

namespace tav {

// "V" for a verb (WT Like "c*"), "Adj" for "b*", "Adv" for "ad*", "N" for
// another "a*", else "".
QString WordClassTag(const QString &WT);

// True when all six forms are there and none holds one of ".,-!`+~&()[]".
bool VoiceUsable(const QStringList &forms);

enum class Voice { Keep, Active, Passive };

// The voice a verb round shows: a passive class ("cp" and a digit) the
// passive, unless only the active can be asked; another verb the one that
// can be asked, either at random when both can, the active when neither;
// Keep for a word that is no verb.
Voice ChooseVoice(const QString &WT, bool activeUsable, bool passiveUsable, ExerciseRandom &rng);

} // namespace tav
