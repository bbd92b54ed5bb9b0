// QuestionCatalogue.h for translation units that also include Qt: Qt defines
// `slots` as a keyword macro, which would erase the name of Question::slots.
// The macro is lifted while the catalogue is read and restored afterwards.
#pragma once

#pragma push_macro("slots")
#undef slots
#include "QuestionCatalogue.h"
#pragma pop_macro("slots")
