// Arbitrary texts given to the decryption, with and without a key (the
// second line), into an output of exactly its 256 bytes; and every text that
// encrypts comes back whole.
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "cipherkit.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    std::string input(reinterpret_cast<const char *>(data), size);
    size_t nl = input.find('\n');
    std::string text = input.substr(0, nl).c_str();
    std::string key = nl == std::string::npos ? std::string() : std::string(input.substr(nl + 1).c_str());
    std::unique_ptr<char[]> out(new char[kCipherTextSize]), back(new char[kCipherTextSize]);

    if (decrStrByKey(text.c_str(), out.get(), key.c_str()) == 0 && std::strlen(out.get()) > 147) __builtin_trap();
    decrStr(text.c_str(), out.get());
    if (encrStrByKey(text.c_str(), out.get(), key.c_str()) == 0) {
        if (std::strlen(out.get()) > 255) __builtin_trap();
        if (decrStrByKey(out.get(), back.get(), key.c_str()) != 0 || text != back.get()) __builtin_trap();
    }
    return 0;
}
