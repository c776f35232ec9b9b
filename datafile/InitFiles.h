#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct DocumentSet;

// The starting documents the installation ships in its Init folder, made by the build with our
// own writer. Files starting "0_" serve the wide band (current kind 1, band class 0), files
// starting "1_" every other band text (current kind 2, band class 1); the "_New" files are loaded
// for a new document, the others by Initial Setting, and both hold the same configuration:
//  - the option, group-name, identity and roger-beep defaults of a new document;
//  - CB groups with the 40-channel plans their names stand for: "EU", "DE", "EC" and "U " the
//    standard plan 26.965-27.405 MHz (FM), "PL" the same 5 kHz lower (AM), "IN" the standard plan
//    in AM, "UK" the UK plan 27.60125-27.99125 MHz in 10 kHz steps (FM);
//  - every other named group with a frequency range: channels from its lower end in 5 kHz steps
//    (at most 40), or, for the 440 kHz wide ranges, the standard plan moved to the range;
//  - the VFO groups with one channel at the first frequency of the kind's group 1;
//  - named groups without channels marked not valid; no memory channels.
std::unique_ptr<DocumentSet> shippedInitDocument(int bandClass, std::string_view date);

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
