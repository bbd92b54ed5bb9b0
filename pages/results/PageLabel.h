// PageLabel is shared by every window now; see common/PageLabel.h.
#pragma once

#include "common/PageLabel.h"
