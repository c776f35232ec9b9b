#pragma once

struct DocumentSet;

// Whether the working set holds an edit that the last save or load does not: true when saving it
// would write a data file or a channel file other than the saved copy's, byte for byte. Every
// record a save writes takes part (channels, memory channels, identity, options, group names,
// DTMF codes, the emergency, dual-watch and memory-channel settings, tone sets, thresholds), so
// no edit can be dropped without the save question.
bool ChangedCheck(const DocumentSet &working, const DocumentSet &saved);
