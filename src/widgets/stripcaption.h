// The caption a strip's select button carries ("IN 3", "IN 5-6", "S/PDIF L", "OPT 1-2"), also shown by
// the editor for the strip it edits.
#pragma once

#include "tracks.h"

#include <QString>

// Empty for the master and invalid strips.
QString stripCaption(mixer::StripRef strip);

// A unit source name from the mixer's tables ("OPT A3", "MASTER L") in the user's language: the number
// stays, the rest is looked up as "OPT A%1".
QString sourceName(const QString &english);
