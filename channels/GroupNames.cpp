#include "channels/GroupNames.h"

#include "model/RadioImage.h"

void EncodeGroupNames(const GroupNameTable &, RadioImage &) {}

void DecodeGroupNames(const RadioImage &, GroupNameTable &) {}
