#pragma once

// The helpers of a value type that the C++20 target writes into its class, and that a companion
// header writes as free functions for a class that exists already: JSON member by member, a
// std::hash over every member, formatters and operator<<.

#include <string>
#include <string_view>
#include <vector>

namespace zandrel {

// A data member as the helpers reach it through an object called value.
struct ValueMember {
  std::string Name;    // the JSON key and the name operator<< shows
  std::string Read;    // after "value.": "x", or a getter's call "getX()"
  std::string Setter;  // empty: from_json reads into value.Name; else the setter's name
  bool Text = false;   // a char array: from_json copies the string in, cut to fit
};

// to_json and from_json, between the guard of nlohmann's header: inside the class as friends
// (indented), or outside as inline functions.
std::string JsonFunctionsText(const std::string& type, const std::vector<ValueMember>& members,
                              bool inClass);

// The std::hash specialisation, combining every member as boost::hash_combine does.
std::string HashSpecialisationText(const std::string& type,
                                   const std::vector<ValueMember>& members);

// fmt's and the standard library's formatters, each behind its guard, printing what operator<<
// prints.
std::string FormattersText(const std::string& type);

// "TYPE{a=1, b=2}", each member written by the function writer (a member without operator<< as
// "?"); head is the function's first line up to its brace.
std::string OutputOperatorText(const std::string& head, const std::string& shown,
                               const std::vector<ValueMember>& members, std::string_view writer);

// A class or struct that exists already, as a header defines it.
struct CompanionField {
  std::string Name;  // empty: a nameless member
  bool Public = false;
  bool Fixed = false;   // const or a reference: nothing can be assigned to it
  bool JsonFit = true;  // not a pointer or an array of arrays, which from_json cannot fill
  bool Text = false;    // a char array, which JSON holds as a string
};

struct CompanionMethod {
  std::string Name;
  int Parameters = 0;
  bool Const = false;
};

struct CompanionClass {
  std::string QualifiedName;  // "ns::Outer::Point"
  std::string Namespace;      // the namespaces around it; empty: the global one
  std::string Shown;          // its own name, as operator<< shows it
  std::vector<CompanionField> Fields;
  std::vector<CompanionMethod> Methods;  // the public ones
  std::string Base;                      // a base class; empty: none
  bool OutputOperator = false;           // an operator<< of its own
  bool Json = false;                     // a to_json of its own
  bool Hash = false;                     // a std::hash specialisation of its own
  bool CustomEquality = false;           // an operator== that is not defaulted
};

struct ClassCompanionKeys {
  bool Json = false;
  bool Hash = false;
  bool Formatter = false;
};

// The members as the helpers reach them, or why one cannot be reached ("Point::x_ is private
// and no accessor of a naming form gives it"). A private member is read through a const getter
// without parameters, and set through a setter of one, named as the C++20 target names them
// (get_x, getX, GetX and set_x, setX, SetX), after the member's name or that name without "m_"
// before it or "_" after it, where a getter may also be that name alone (x_ read by x()).
struct ReachedClass {
  std::vector<ValueMember> Members;
  std::string Refusal;  // empty: every member reached
};
ReachedClass ReachMembers(const CompanionClass& type, const ClassCompanionKeys& keys);

// "#if __has_include(...)" includes of nlohmann/json and of fmt and <format>, for the helpers that
// use them.
std::string OptionalLibraryIncludes(bool json, bool formatter);
// write_member, which an operator<< written here calls for each member: it writes a member that
// has an operator<<, "?" for one that has none, and a null pointer as "nullptr".
std::string_view MemberWriterFunction();

// write_member in a namespace of its own, to stand once before the classes of a companion.
std::string CompanionMemberWriter();

// The helpers for one class, after its header's include and the member writer: operator<< unless it
// has one, and per the keys the JSON functions, the hash (left out, with a warning in notes, where
// operator== is its own and might compare less than every member) and the formatters.
std::string ClassCompanionText(const CompanionClass& type, const std::vector<ValueMember>& members,
                               const ClassCompanionKeys& keys, std::vector<std::string>& notes);

// The standard and optional headers that the helpers of these keys need.
std::string ClassCompanionIncludes(const ClassCompanionKeys& keys);

}  // namespace zandrel
