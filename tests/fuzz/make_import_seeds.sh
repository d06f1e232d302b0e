#!/usr/bin/env bash
# Writes the seed inputs of the import fuzzer into the folder beside this script:
# [mode 0][password length][password][PKCS#12 file], small files with EC keys.
#   modern     an end entity and its key, PBES2 with AES and a SHA-256 MAC, one iteration each (fast)
#   legacy     the same, 2048 iterations, -legacy (RC2-40 certificates, 3DES key, SHA-1 MAC)
#   nomac      the same, 2048 iterations, without MAC
#   chain      an end entity, its issuing root and the end entity's key
#   keyonly    a key and no certificate
#   costly     key and certificates at 2,500,001 iterations each, MAC at 1: over the work budget,
#              refused before the expensive work (a costly MAC would slow every mutant)
#   wrongpass  the modern file with another password
#   raw        mode 1: the modern file stored without encryption
set -euo pipefail
out=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/corpus/import
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

key() { openssl genpkey -algorithm EC -pkeyopt ec_paramgen_curve:P-256 -out "$1" 2>/dev/null; }
key root.key
openssl req -new -x509 -key root.key -out root.pem -subj /CN=R -days 3650 \
  -addext basicConstraints=critical,CA:TRUE 2>/dev/null
key ee.key
openssl req -new -key ee.key -subj /CN=E -out ee.csr 2>/dev/null
openssl x509 -req -in ee.csr -CA root.pem -CAkey root.key -set_serial 2 -days 3650 -out ee.pem 2>/dev/null

p12() {  # output [options...]
  local output=$1; shift
  openssl pkcs12 -export -in ee.pem -inkey ee.key -passout pass:secret -out "$output" "$@"
}
p12 modern.p12 -noiter -nomaciter
p12 legacy.p12 -legacy
p12 nomac.p12 -nomac
p12 chain.p12 -certfile root.pem
p12 costly.p12 -iter 2500001 -nomaciter
openssl pkcs12 -export -nocerts -inkey ee.key -passout pass:secret -out keyonly.p12

seed() {  # name mode password file
  { printf "\\x$(printf %02x "$2")\\x$(printf %02x "${#3}")%s" "$3"; cat "$4"; } > "$out/$1"
}
for name in modern legacy nomac chain keyonly costly; do seed "$name" 0 secret "$name.p12"; done
seed wrongpass 0 Secret modern.p12
seed raw 1 secret modern.p12
