#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct DocumentSet;

// The starting documents the installation ships in its Init folder, made by the build with our
// own writer. Files starting "0_" serve the wide band (current kind 1, band class 0), files
// starting "1_" every other band text (current kind 2, band class 1); the "_New" files are loaded
// for a new document, the others by Initial Setting, and both hold the same configuration:
//  - the option, group-name, identity and roger-beep defaults of a new document;
//  - CB groups with the channel plans their names stand for: "EU", "DE", "EC" and "U " the
//    standard plan 26.965-27.405 MHz (FM), "PL" and "IN" the standard plan in AM, "UK" the UK
//    plan from 27.60125 MHz in 10 kHz steps up to the top of the CB band (27 channels);
//  - every other named group with a range from initChannelRange(): channels from its lower end
//    in 5 kHz steps (at most 40), or, for the 440 kHz wide ranges, the standard plan moved there;
//  - the VFO groups with one channel at the first frequency of the kind's group 1;
//  - named groups without channels marked not valid; no memory channels.
// Every channel lies inside the band its kind's channels are typed in (CB 26.96500 - 27.86125,
// HF 24.7150 - 30.1050, HAM 28.0000 - 29.7000 MHz), so each one can be typed back as it stands.
std::unique_ptr<DocumentSet> shippedInitDocument(int bandClass, std::string_view date);

// The range in Hz whose channels a named HF or HAM group of the shipped files holds, or none for a
// group left empty. HF groups take the range their group frequency text names (groups 1-10);
// HAM groups 1-9 take the HAM band in 200 kHz slices, 28.000 - 28.195 MHz to 29.600 -
// 29.695 MHz (the texts of the HAM groups name ranges outside the HAM band).
std::optional<std::pair<int, int>> initChannelRange(int kind, int group);

// The standard 40-channel CB plan in Hz, channel 1 first (channels 23-25 are out of order, as
// everywhere).
const std::vector<int> &standardCbPlan();

// The four file names, relative to the Init folder, with their band class.
struct InitFileName
{
    std::string dataFile;
    int bandClass;
};
std::vector<InitFileName> shippedInitFileNames();
