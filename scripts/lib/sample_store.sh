# Builds a sample Wine prefix with a private certificate store: a small chain made with openssl
# (root, intermediate, user certificates with keys), each user certificate stored as its owner
# stores it. Usage: make_sample_store DIR STORE_WRITER
# The sample password of every PKCS#12 file is "demo1234".

make_sample_store() {
  local dir=$1 writer=$2
  local certs="$dir/certs"
  mkdir -p "$certs" "$dir/prefix"
  (
    cd "$certs"
    openssl req -x509 -newkey rsa:2048 -nodes -keyout root.key -out root.pem -days 3650 \
      -subj "/C=TW/O=DOZA Demo/CN=DOZA Demo Root CA" \
      -addext "basicConstraints=critical,CA:TRUE" -addext "keyUsage=critical,keyCertSign,cRLSign" 2>/dev/null
    openssl req -newkey rsa:2048 -nodes -keyout ca.key -out ca.csr -subj "/C=TW/O=DOZA Demo/CN=DOZA Demo User CA" 2>/dev/null
    printf 'basicConstraints=critical,CA:TRUE,pathlen:0\nkeyUsage=critical,keyCertSign,cRLSign\n' > ca.ext
    openssl x509 -req -in ca.csr -CA root.pem -CAkey root.key -CAcreateserial -out ca.pem -days 3650 -extfile ca.ext 2>/dev/null
    printf 'basicConstraints=CA:FALSE\nkeyUsage=critical,digitalSignature,keyEncipherment\n' > user.ext
    local i=0
    for entry in "王小明:12345678" "王大明:87654321" "陳美玲:24681357" "Alice Chen:A1234567"; do
      i=$((i + 1))
      local cn=${entry%%:*} org=${entry##*:}
      openssl req -newkey rsa:2048 -nodes -keyout "user$i.key" -out "user$i.csr" \
        -subj "/C=TW/O=DOZA Demo/serialNumber=$org/CN=$cn" -utf8 2>/dev/null
      openssl x509 -req -in "user$i.csr" -CA ca.pem -CAkey ca.key -CAcreateserial -out "user$i.pem" \
        -days 825 -extfile user.ext 2>/dev/null
      cat ca.pem root.pem > chain.pem
      openssl pkcs12 -export -inkey "user$i.key" -in "user$i.pem" -certfile chain.pem \
        -name "$cn" -passout pass:demo1234 -out "user$i.p12"
      printf '%s\t%s\t%s\n' "$cn" "$org" "$certs/user$i.p12" >> entries.tsv
    done
  )
  local args=()
  while IFS=$'\t' read -r cn org p12; do
    args+=(--cert "$cn" "$org" "$p12")
  done < "$certs/entries.tsv"
  "$writer" "$dir/prefix/user.reg" "${args[@]}"
}
