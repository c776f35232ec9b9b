#pragma once

#include <QString>

struct ToneSet;

// Writes the preview of a set to a WAV file (16-bit mono PCM, 44.1 kHz), completely or not at
// all: on false a file that was there before is left as it was.
bool saveToneSetWav(const QString &path, const ToneSet &set);
