// Converting the raw text of a number token to a double.
#pragma once

#include <cstddef>

namespace json {
namespace tokens {

// Reads the `size` bytes at `text` as standard stream extraction of a double does, but
// independent of any locale: the longest prefix of the form [sign] digits [. digits]
// [e|E [sign] digits] is taken, and its length is returned (less than `size` when a byte
// does not fit). A prefix that
// is no complete number ("-", "1e") reads as 0; a value beyond the range of double reads as
// the largest finite double of its sign; one too small to represent reads as zero.
std::size_t ReadNumber(const char* text, std::size_t size, double* value);

}  // namespace tokens
}  // namespace json
