#pragma once

enum Plain { Zero, One, Five = 5, Six, Back = -2, Next };

namespace codes {

enum class Hex : unsigned { Low = 0x1, Mask = 0xFF00, Top = 0xFFFFFFFF };

enum class Signed : long long {
  Min = -9223372036854775807LL - 1,
  Minus = -0x10,
  Max = 0x7FFFFFFFFFFFFFFF
};

struct Holder {
  enum Alias : short { First = 3, Same = First, Later, Again = Later + 0, Shift = 1 << 4 };
};

}  // namespace codes
