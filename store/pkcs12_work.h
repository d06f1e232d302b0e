#pragma once
// How much key-derivation work a PKCS#12 file asks for, counted before any of it is done.
// Every password-based step of the file (its MAC, each encrypted part, each encrypted key)
// derives a key with an iteration count of the file's own choosing; a file that asks for
// billions would hold the import for hours, in our check and again in the certificate store.

#include <cstdint>
#include <string>

#include <openssl/pkcs12.h>

// Iterations that one file may ask for, summed over all of its key derivations. Files made by
// common tools ask for 2,000 to 600,000 per derivation, three derivations or so in all; five
// million stays well clear of them and costs a few seconds at worst.
inline constexpr int64_t kMaxPkcs12Iterations = 5'000'000;

// The MAC's derivation alone is within the budget (checked before the MAC is computed).
bool MacWorkIsBounded(const PKCS12& p12);

// Every derivation of the file together is within the budget. Encrypted parts are opened with
// the password (each after its own count was checked) to count the keys inside them; a part
// that does not open is counted by its own derivation only. A derivation whose work cannot be
// bounded (scrypt, an unknown key-derivation function, a count that is not a positive integer)
// is over the budget.
bool Pkcs12WorkIsBounded(const PKCS12& p12, const std::string& password);
