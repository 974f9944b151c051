#pragma once
// A listing file holds two lines, each ended with CR LF like every output
// file line: this heading (which ends with its own two line ends) and then the
// listing text exactly as the interpreter gave it.
inline constexpr char kListingHeading[] = "// Preprocessor listing\r\n\r\n";
