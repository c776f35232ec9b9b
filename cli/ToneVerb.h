#pragma once

#include <string_view>
#include <vector>

// tone FILE.dat --set N --wav OUT.wav: the roger-beep preview of tone set N of a data file pair,
// written as a WAV file (16-bit mono PCM, 44.1 kHz), so that it can be heard and checked without
// the program. 0 on success, 1 when the file cannot be used or the set plays nothing, 2 for wrong
// arguments.
int runTone(int argc, char *argv[], const std::vector<std::string_view> &args);
