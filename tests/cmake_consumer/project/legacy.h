#pragma once

// A header the project had before Zandrel: its companion adds the names.
namespace legacy {
enum class Mode : unsigned char { Off, Standby = 4, On = 8 };
}
