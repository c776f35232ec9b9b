#pragma once

class RadioImage;
struct SettingsRecord;

// Image steps of the broadcast (weather) channel table.
void EncodeBroadcast(const SettingsRecord &settings, RadioImage &image);
void DecodeBroadcast(const RadioImage &image, SettingsRecord &settings);
