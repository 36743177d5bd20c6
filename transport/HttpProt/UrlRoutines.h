#pragma once
// Free routines of the HTTP unit for URLs: splitting, occurrence search, URL encoding and
// the hexadecimal helpers they use.

#include <string>

namespace vantorell::transport {

// Splits URL into scheme, user, password, host, port and path. Every output is cleared
// first; Path's previous value is the base of a relative URL ("./x", "../x").
void ParseURL(const std::string& URL, std::string& Proto, std::string& User, std::string& Pass,
              std::string& Host, std::string& Port, std::string& Path);

// Position (from 1) of the N-th occurrence of Sub in Text, counted from the end when N is
// negative; 0 when there are fewer, or for N = 0.
int Posn(const std::string& Sub, const std::string& Text, int N);

// Letters and digits pass; every other byte becomes "%" and two upper-case hex digits.
std::string UrlEncode(const std::string& S);
// Up to the first "&": "%" and two hex digits give that byte, "+" a blank. A "%" without
// two hex digits behind it stays as it is.
std::string UrlDecode(const std::string& S);

// A request target as it may go into a request line: every byte that a target cannot
// hold raw (blanks, controls, bytes above 127, and " # < > [ \ ] ^ ` { | }) becomes "%" and
// two upper-case hex digits; a "%" stays, as the text may be encoded already. Carriage
// returns, line feeds and NULs stay too, so that the request is refused as a whole.
std::string EncodeRequestTarget(const std::string& Target);

bool IsDigit(char Ch);
bool IsXDigit(char Ch);
// The value of a hex digit; 0 for any other character.
int XDigit(char Ch);
// Skips leading blanks, then reads hex digits among the first Len characters.
int htoin(const char* Value, int Len);
int htoi2(const char* Value);

}  // namespace vantorell::transport
