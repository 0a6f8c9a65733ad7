// Stand-in for the CBuilder framework header: just what generated code names.
#pragma once

#define __fastcall

class AnsiString {
 public:
  AnsiString() = default;
  AnsiString(const char* text) : text_(text) {}
  const char* c_str() const { return text_; }

 private:
  const char* text_ = "";
};

typedef AnsiString String;
