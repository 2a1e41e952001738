// The page's key names (KeyboardEvent.key) as the window's keys.
#pragma once

#include <string_view>

#include "desk/keys.h"

// The key of that name; letters in either case; None for every other key.
DeskKey webDeskKey(std::string_view name);
