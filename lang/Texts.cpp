#include "lang/Texts.h"
