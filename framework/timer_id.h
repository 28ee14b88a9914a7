// The id of the main window's one 10 ms timer: its messages carry it.
#pragma once

#include "platform/types.h"

constexpr ce::UINT kTimerId = 15000;
