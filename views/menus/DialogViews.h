#pragma once

#include "views/CSuperView.h"

// Takes every child view out of `view` and deletes it, so that a dialog's
// views can be built for other items.
void RemoveAllViews(CSuperView& view);
