#pragma once

#include <string>

struct DocumentSet;

// The whole document as JSON, in a layout that stays stable (keys in a fixed order, two-space
// indents):
//   { "format": "orx740-document", "formatVersion": 1,
//     "identity": {...}, "currentKind": ..., "currentGroups": {...},
//     "kinds": [ { "kind": "CB", "groups": [ { "group": 1, "name": "..", "valid": true,
//                  "channelCount": n, "channels": [ { "channel": 1, "Frequency": "..", ... } ] } ]
//                  } ],
//     "memoryChannels": [ { "channel": n, ... } ],
//     "options": [ { "label": "..", "control": "Combo1(0)", "value": n, "shown": ".." } ],
//     "bluetoothDeviceName": "..", "toneSets": [...], "dtmfCodes": [...],
//     "emergency": [...], "dualWatch": [...], "memorySettings": [...], "broadcast": {...} }
// Channel fields use the column names of the CSV export.
std::string documentToJson(const DocumentSet &document);

// A JSON string literal (quotes included); bytes outside printable ASCII are escaped as \u00XX
// unless they form UTF-8.
std::string jsonString(const std::string &text);
