#pragma once

namespace vortana::helperprotocol {

// What the program and the record helper agree on: the helper's name beside
// the program, its three commands, the only two files it writes, and the
// limits it enforces. Everything else is refused.
inline constexpr char ProgramName[] = "vortana-record";
inline constexpr char CreateCommand[] = "create";
// Answers on standard output with the pair read under the lock: the score's
// length in UTF-8 bytes in decimal, a line feed, the score, then the name.
inline constexpr char ReadCommand[] = "read";
inline constexpr char StoreCommand[] = "store";
inline constexpr char ScoreFileName[] = "aquizrec6.txt";
inline constexpr char NameFileName[] = "nquizrec6.txt";

// Fits every score a game can reach (a 16-bit count) and every name the name
// box accepts.
inline constexpr int MaxScoreDigits = 5;
inline constexpr int MaxScore = 32767;
inline constexpr int MaxNameCharacters = 250;

// The helper ends with status 0, or with the number of the run-time error it
// met, its Italian text on standard error: 55 when another game held the
// record too long, 76 when the record directory is missing.

} // namespace vortana::helperprotocol
