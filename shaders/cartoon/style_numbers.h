// Numbers as style files hold them, read and written the same way whatever
// C locale the host process runs under (a decimal comma would otherwise
// make styles unreadable on another machine).
#pragma once

#include <string>

// The whole number at the start of `text` after blanks, as atoi reads it;
// 0 when there is none, saturated when it does not fit.
int ParseLeadingInt(const char* text);

// The number at the start of `text` after blanks, as atof reads it in the
// "C" locale; 0 when there is none.
double ParseLeadingDouble(const char* text);

// "%d" and "%f" in the "C" locale.
std::string FormatInt(int value);
std::string FormatDouble(double value);
