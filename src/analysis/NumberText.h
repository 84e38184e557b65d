#pragma once
// printf's "%Nd" and "%0Nd" for the report builders, which format tens of
// thousands of numbers per report; appending in place keeps that cheap.

#include <string>

namespace veltrix {

// Appends value right-aligned in at least `width` characters, padded with
// blanks ("%4d") or, for zeroPad, with zeros after the sign ("%02d").
void AppendNumber(std::string& out, int value, int width = 0, bool zeroPad = false);

} // namespace veltrix
