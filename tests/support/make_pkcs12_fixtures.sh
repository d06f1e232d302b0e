#!/usr/bin/env bash
# Writes the PKCS#12 test files into OUTDIR with the openssl command:
#   root.der, intermediate.der, ee.der       a chain: self-signed root, intermediate, end entity
#   chain-modern.p12                          the chain with the end entity's key, OpenSSL 3 defaults
#   chain-legacy.p12                          the same with -legacy (RC2-40 certificates, 3DES key, SHA-1 MAC)
#   chain-3des.p12                            the same with PBE-SHA1-3DES for both (no legacy provider needed)
#   chain-nomac.p12                           the same without MAC
#   chain-unicode.p12                         the same under a non-ASCII password
#   early.p12, early-root.der, early-ee.der   a root that only has the early extension 2.5.29.10 (CA bit),
#                                             and an end entity whose 2.5.29.10 marks an end entity while
#                                             its 2.5.29.19 says CA: the early extension decides
#   selfsigned.p12, selfsigned.der            a self-signed certificate without basic constraints, with key
#   keyonly.p12                               a key and no certificate
# The password of every file is "secret", except chain-unicode.p12: "密碼é秘".
set -euo pipefail
out=${1:?usage: make_pkcs12_fixtures.sh OUTDIR}
cd "$out"

cat > ext.cnf <<'CNF'
[root]
basicConstraints = critical, CA:TRUE
keyUsage = critical, keyCertSign, cRLSign
subjectKeyIdentifier = hash
[intermediate]
basicConstraints = critical, CA:TRUE, pathlen:0
keyUsage = critical, keyCertSign, cRLSign
subjectKeyIdentifier = hash
authorityKeyIdentifier = keyid
[ee]
basicConstraints = CA:FALSE
keyUsage = critical, digitalSignature
[early_root]
# SEQUENCE { BIT STRING, 6 unused bits, 0x80 (cA) }
2.5.29.10 = DER:30:04:03:02:06:80
[early_ee]
# SEQUENCE { BIT STRING, 6 unused bits, 0x40 (endEntity) }
2.5.29.10 = DER:30:04:03:02:06:40
basicConstraints = CA:TRUE
[plain]
subjectKeyIdentifier = hash
CNF

key() { openssl genpkey -algorithm EC -pkeyopt ec_paramgen_curve:P-256 -out "$1" 2>/dev/null; }
selfsigned() {  # name subject section
  key "$1.key"
  openssl req -new -x509 -key "$1.key" -out "$1.pem" -subj "$2" -days 3650 -config ext.cnf -extensions "$3" \
    -set_serial "0x$(openssl rand -hex 8)"
}
issued() {  # name subject section issuer
  key "$1.key"
  openssl req -new -key "$1.key" -out "$1.csr" -subj "$2" -config ext.cnf
  openssl x509 -req -in "$1.csr" -CA "$4.pem" -CAkey "$4.key" -set_serial "0x$(openssl rand -hex 8)" \
    -out "$1.pem" -days 3650 -extfile ext.cnf -extensions "$3" 2>/dev/null
}

selfsigned root "/CN=Dizored Test Root/O=Dizored Test" root
issued intermediate "/CN=Dizored Test Intermediate/O=Dizored Test" intermediate root
issued ee "/CN=ABC/O=12345678" ee intermediate
selfsigned early-root "/CN=Dizored Early Root" early_root
issued early-ee "/CN=Early EE" early_ee early-root
selfsigned selfsigned "/CN=Self Signed" plain
for name in root intermediate ee early-root early-ee selfsigned; do
  openssl x509 -in "$name.pem" -outform DER -out "$name.der"
done

cat intermediate.pem root.pem > chain.pem
export_chain() {  # output password [options...]
  local output=$1 password=$2; shift 2
  openssl pkcs12 -export -in ee.pem -inkey ee.key -certfile chain.pem -out "$output" -passout "pass:$password" "$@"
}
export_chain chain-modern.p12 secret
export_chain chain-legacy.p12 secret -legacy
export_chain chain-3des.p12 secret -keypbe PBE-SHA1-3DES -certpbe PBE-SHA1-3DES -macalg sha1
export_chain chain-nomac.p12 secret -nomac
export_chain chain-unicode.p12 '密碼é秘'
openssl pkcs12 -export -in early-ee.pem -inkey early-ee.key -certfile early-root.pem -out early.p12 -passout pass:secret
openssl pkcs12 -export -in selfsigned.pem -inkey selfsigned.key -out selfsigned.p12 -passout pass:secret
openssl pkcs12 -export -nocerts -inkey ee.key -out keyonly.p12 -passout pass:secret 2>/dev/null
