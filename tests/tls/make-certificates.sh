#!/usr/bin/env bash
# Makes the test certificates of this folder again (they are committed; run only to replace
# them). The test CA signs the sandbox's certificate for 127.0.0.1 and localhost, and one for
# another host name, and an RSA one for 127.0.0.1 (for servers that offer only RSA key exchange);
# a second CA, trusted by no test, signs a certificate for 127.0.0.1. authorities/ holds the test
# CA as a CA directory (named by its subject hash, as OpenSSL looks certificates up there).
set -euo pipefail
cd "$(dirname "$0")"
days=36500
key() { openssl genpkey -algorithm EC -pkeyopt ec_paramgen_curve:P-256 -out "$1" 2>/dev/null; }
rsakey() { openssl genpkey -algorithm RSA -pkeyopt rsa_keygen_bits:2048 -out "$1" 2>/dev/null; }
ca() {  # name subject
    key "$1-key.pem"
    openssl req -x509 -new -key "$1-key.pem" -subj "/CN=$2" -days $days -sha256 \
        -addext "basicConstraints=critical,CA:TRUE" -addext "keyUsage=critical,keyCertSign,cRLSign" \
        -out "$1.pem"
}
leaf() {  # name ca subjectAltName [key kind]
    "${4:-key}" "$1-key.pem"
    openssl req -new -key "$1-key.pem" -subj "/CN=$1" -out "$1.csr"
    usage=digitalSignature
    [ "${4:-key}" = rsakey ] && usage=digitalSignature,keyEncipherment  # RSA key exchange
    printf 'basicConstraints=CA:FALSE\nkeyUsage=critical,%s\nextendedKeyUsage=serverAuth\nsubjectAltName=%s\n' "$usage" "$3" >"$1.ext"
    openssl x509 -req -in "$1.csr" -CA "$2.pem" -CAkey "$2-key.pem" -CAcreateserial -days $days \
        -sha256 -extfile "$1.ext" -out "$1.pem" 2>/dev/null
    rm -f "$1.csr" "$1.ext" "$2.srl"
}
ca test-ca "Corvend test CA"
ca untrusted-ca "Untrusted test CA"
leaf server test-ca "IP:127.0.0.1,DNS:localhost"
leaf other-host test-ca "DNS:other-host.invalid"
leaf untrusted-server untrusted-ca "IP:127.0.0.1,DNS:localhost"
leaf rsa-server test-ca "IP:127.0.0.1,DNS:localhost" rsakey
rm -rf authorities && mkdir authorities
cp test-ca.pem "authorities/$(openssl x509 -hash -noout -in test-ca.pem).0"
rm -f test-ca-key.pem untrusted-ca-key.pem untrusted-ca.pem
