// Uses the classes and enumerations that modern_targets_compile_test generates: it fails (status
// 1, and says where) when one of them does not behave as generated code should.
#include <iostream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <type_traits>

#include "Account.h"
#include "Empty.h"
#include "Nameless.h"
#include "Point.h"
#include "Widget.h"

namespace {

int failures = 0;

void Check(bool ok, const char* what) {
  if (ok) return;
  std::cerr << "failed: " << what << "\n";
  ++failures;
}

template <class T>
std::string Written(const T& value) {
  std::ostringstream out;
  out << value;
  return out.str();
}

}  // namespace

// The enumeration's functions are constexpr.
static_assert(to_string(Colour::ZDGreen) == "Green");
static_assert(Colour_from_string("Blue") == Colour::ZDBlue);
static_assert(!Colour_from_string("ZDBlue").has_value());
static_assert(Colour_values.size() == 5);
static_assert(Nameless_values.empty() && !Nameless_from_string("").has_value());
static_assert(std::is_same_v<std::underlying_type_t<Wide>, long long>);
static_assert(std::is_same_v<std::underlying_type_t<Level>, int>);

int main() {
  // Accessors, default member initialisers and the constructor with all variables.
  Point origin;
  Check(origin.getX() == 0 && origin.getY() == 0, "default members");
  Check(origin.getName() == "origin", "initial value");
  Point p(1, 2, "p", Colour::ZDRed, {1, 2});
  Check(p.getX() == 1 && p.getY() == 2 && p.getName() == "p", "constructor");
  p.setName("q");
  p.setY(5);
  Check(p.getName() == "q" && p.getY() == 5, "setters");

  // Defaulted comparisons, in row order.
  Point a(1, 2, "a", Colour::ZDRed, {});
  Point b(1, 3, "a", Colour::ZDRed, {});
  Check(a == Point(1, 2, "a", Colour::ZDRed, {}), "==");
  Check(a != b && a < b && b > a && a <= b, "ordering by the second member");

  // operator<< with every data member, a container element by element.
  Check(Written(a) == "Point{x=1, y=2, name=a, colour=Red, coords={0, 0, 0}, path={}}",
        "Point's operator<<");
  try {
    static_cast<void>(a.area(1, 2));
    Check(false, "a method stub throws");
  } catch (const std::logic_error&) {
  }

  // Private copies: moves only.
  static_assert(!std::is_copy_constructible_v<Account>);
  static_assert(std::is_nothrow_move_constructible_v<Account>);
  static_assert(!std::is_convertible_v<std::string, Account>);  // explicit
  Account account("owner");
  Account moved = std::move(account);
  Check(moved.get_owner() == "owner", "move");
  Check(Written(Account("x")) == "Account{owner=x}", "Account's operator<<");
  static_assert(!std::is_copy_constructible_v<Empty> && std::is_default_constructible_v<Empty>);

  // Enumerations: names, values, the first name of a value, and a value that has no name.
  Check(to_string(Level::High) == "High" && to_string(Level::Also) == "Low", "to_string");
  Check(to_string(static_cast<Level>(99)) == "Invalid", "a value without a name");
  Check(Level_from_string("Mid") == Level::Mid && !Level_from_string("mid"), "Level_from_string");
  Check(static_cast<int>(Level::Mid) == 32 && static_cast<int>(Level::High) == 16, "values");
  Check(Written(Colour::ZDLastUnused) == "LastUnused", "enumeration's operator<<");
  for (const Colour colour : Colour_values)
    Check(Colour_from_string(to_string(colour)) == colour, "round trip");
  Check(static_cast<long long>(Wide::After) == 2147483648LL, "wide values");

  Widget widget;
  Check(widget.GetOn() && widget.GetBig() == 7 && widget.GetLevel() == Level::High, "Widget");
  widget.SetOn(false);
  widget.SetTag(nullptr);
  widget.SetOwned(std::make_unique<int>(3));
  widget.SetCounts({{"a", 1}, {"b", 2}});
  Check(!widget.GetOn() && *widget.GetOwned() == 3, "Widget's setters");
  Check(
      Written(widget).starts_with("Widget{counts={{a, 1}, {b, 2}}, on=0, big=7, tag=nullptr, "
                                  "grid={{0, 0, 0}, {0, 0, 0}}, level=High, wide=Invalid, owned="),
      "Widget's operator<<");
  return failures == 0 ? 0 : 1;
}
