// Stand-in for the wx string header: a String type and nothing else.
#pragma once

class wxString {
 public:
  wxString() = default;
  wxString(const char* text) : text_(text) {}

 private:
  const char* text_ = "";
};

typedef wxString String;
