#!/usr/bin/python3
"""Writes the ten ready-made RPC test credentials as a C++ table.

Each set is made the way the node's own rpcauth script makes one: a random
salt of hexadecimal digits, a base64url password, and the hash
HMAC-SHA256(key = salt, message = password) in hexadecimal, written as
"user:salt$hash" for the node's rpcauth= option.

The "random" bytes are derived from a fixed phrase, so running this again
gives the same table: anyone can check how the sets were made. They are
published with the program and therefore for testing only.

    /usr/bin/python3 scripts/make_rpcauth_presets.py > src/core/confgen/rpc_test_presets.cpp
"""
import base64
import hashlib
import hmac

USERS = [
    "ALPHA_TESTER", "BRAVO_TESTER", "CHARLIE_TESTER", "DELTA_TESTER", "ECHO_TESTER",
    "FOXTROT_TESTER", "GOLF_TESTER", "HOTEL_TESTER", "INDIA_TESTER", "JULIETT_TESTER",
]
# Salts of 32 hexadecimal digits, as the node's script makes them, and two
# shorter ones: the node takes any salt, and the table shows that.
SALT_DIGITS = [32, 32, 32, 30, 32, 32, 31, 32, 32, 32]
# One password one character shorter than the others.
SHORT_PASSWORD = 5


def derived(label, n, size):
    return hashlib.sha256(f"SYNCWARD RPC TEST CREDENTIALS {label} {n}".encode()).digest()[:size]


def preset(n, user):
    salt = derived("SALT", n, 16).hex()[: SALT_DIGITS[n]]
    password = base64.urlsafe_b64encode(derived("PASSWORD", n, 32)).decode()
    if n == SHORT_PASSWORD:
        password = password[1:]
    digest = hmac.new(salt.encode(), password.encode(), hashlib.sha256).hexdigest()
    return user, password, f"{user}:{salt}${digest}"


def main():
    print("// Written by scripts/make_rpcauth_presets.py; run it again rather than editing.")
    print('#include "core/confgen/rpc_credentials.h"')
    print()
    print("namespace syncward {")
    print()
    print("const std::array<RpcCredentials, 10> rpcTestPresets = {{")
    for n, user in enumerate(USERS):
        user, password, auth = preset(n, user)
        print(f'    {{"{user}", "{password}",')
        print(f'     "{auth}"}},')
    print("}};")
    print()
    print("}  // namespace syncward")


if __name__ == "__main__":
    main()
