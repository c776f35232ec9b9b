#pragma once

struct DocumentSet;

// Whether the working set differs from the saved copy in what a save question is about. Compared,
// in order, stopping at the first difference:
//  1. every group of every kind: its channel count, then each channel against the saved channel
//     with the same number (at the same position when the numbers agree, else the first one of
//     the group with that number; none counts as a difference), on Number, Present, Scan,
//     RxDigits, TxCtcss, Spare3, Mode, HiCut, NoiseBlanker, Echo, Plus10k, BusyLockout, Repeater,
//     Public, DtmfBot, DtmfEot and DtmfCall;
//  2. the identity: both model names, firmware version, date, model code, both band classes and
//     the last identity value;
//  3. the options: for every kind and group the group name (as names compare) and the values the
//     option record keeps per group, i.e. its group-valid flag and its entry of the CB, HF or HAM
//     group table; the six general values of 0x18001-0x18006 (selectors A, B, C, the byte setting,
//     "Hf Use Vfo", "Ham Use Vfo"); the sixteen DTMF codes (as names compare); and the three
//     public-channel parameter sets (CB, HF, HAM);
//  4. the twelve RSSI thresholds;
//  5. the roger-beep tone sets.
// Memory channels, the emergency, dual-watch and memory-channel settings and every other option
// take no part.
bool ChangedCheck(const DocumentSet &working, const DocumentSet &saved);
