#include "cipherkit.h"

#include <openssl/evp.h>
#include <openssl/rand.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace {

constexpr std::size_t kSalt = 16, kNonce = 12, kTag = 16, kKey = 32;
// The fuzz build lowers the key stretching to reach the decoding paths.
#ifndef CIPHERKIT_ITERATIONS
#define CIPHERKIT_ITERATIONS 100000
#endif
constexpr int kIterations = CIPHERKIT_ITERATIONS;
// Unpadded base64 of this many bytes fills the 255 characters.
constexpr std::size_t kMaxSealed = (kCipherTextSize - 1) * 3 / 4;
constexpr std::size_t kMaxPlain = kMaxSealed - kSalt - kNonce - kTag;
// The key when the caller gives none: it only hides the text from a casual
// reader.
constexpr std::string_view kBuiltinKey = "ndl cipherkit built-in key 7c1e9a4f";
constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

using Bytes = std::basic_string<unsigned char>;
using Ctx = std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)>;

int fail(char *out, const char *text) {
    std::snprintf(out, kCipherTextSize, "%s", text);
    return 1;
}

std::string to_base64(const Bytes &b) {
    std::string s;
    unsigned bits = 0;
    int nbits = 0;
    for (unsigned char c : b) {
        bits = (bits << 8) | c;
        nbits += 8;
        while (nbits >= 6) {
            nbits -= 6;
            s += kAlphabet[(bits >> nbits) & 63];
        }
    }
    if (nbits > 0) s += kAlphabet[(bits << (6 - nbits)) & 63];
    return s;
}

// False on a character outside the alphabet, a dangling character or stray
// low bits: only what to_base64 writes is read back.
bool from_base64(std::string_view s, Bytes &b) {
    unsigned bits = 0;
    int nbits = 0;
    for (char c : s) {
        const char *at = c ? std::strchr(kAlphabet, c) : nullptr;
        if (!at) return false;
        bits = (bits << 6) | static_cast<unsigned>(at - kAlphabet);
        nbits += 6;
        if (nbits >= 8) {
            nbits -= 8;
            b += static_cast<unsigned char>((bits >> nbits) & 0xFF);
        }
    }
    return nbits < 6 && (bits & ((1u << nbits) - 1)) == 0;
}

bool derive(std::string_view key, const unsigned char *salt, unsigned char *out) {
    if (key.empty()) key = kBuiltinKey;
    return PKCS5_PBKDF2_HMAC(key.data(), static_cast<int>(key.size()), salt, kSalt, kIterations, EVP_sha256(),
                             kKey, out) == 1;
}

int seal(const char *in, char *out, std::string_view key) {
    std::size_t n = std::strlen(in);
    if (n > kMaxPlain) {
        char text[96];
        std::snprintf(text, sizeof text, "cipherkit: text too long to encrypt (%zu bytes, at most %zu)", n, kMaxPlain);
        return fail(out, text);
    }
    Bytes sealed(kSalt + kNonce + n + kTag, 0);
    unsigned char *salt = sealed.data(), *nonce = salt + kSalt, *body = nonce + kNonce, *tag = body + n;
    unsigned char k[kKey];
    Ctx ctx(EVP_CIPHER_CTX_new(), &EVP_CIPHER_CTX_free);
    int len = 0;
    bool ok = RAND_bytes(salt, kSalt + kNonce) == 1 && derive(key, salt, k) && ctx &&
              EVP_EncryptInit_ex(ctx.get(), EVP_aes_256_gcm(), nullptr, k, nonce) == 1 &&
              EVP_EncryptUpdate(ctx.get(), body, &len, reinterpret_cast<const unsigned char *>(in),
                                static_cast<int>(n)) == 1 &&
              EVP_EncryptFinal_ex(ctx.get(), body + len, &len) == 1 &&
              EVP_CIPHER_CTX_ctrl(ctx.get(), EVP_CTRL_GCM_GET_TAG, kTag, tag) == 1;
    OPENSSL_cleanse(k, sizeof k);
    if (!ok) return fail(out, "cipherkit: encryption failed");
    std::string text = to_base64(sealed);
    std::memcpy(out, text.c_str(), text.size() + 1);
    return 0;
}

int open_sealed(const char *in, char *out, std::string_view key) {
    const char *refused = "cipherkit: wrong key or damaged text";
    Bytes sealed;
    std::size_t inlen = std::strlen(in);
    if (inlen >= kCipherTextSize || !from_base64({in, inlen}, sealed) || sealed.size() < kSalt + kNonce + kTag)
        return fail(out, refused);
    std::size_t n = sealed.size() - kSalt - kNonce - kTag;
    const unsigned char *salt = sealed.data(), *nonce = salt + kSalt, *body = nonce + kNonce;
    unsigned char *tag = sealed.data() + kSalt + kNonce + n;
    unsigned char plain[kCipherTextSize];
    unsigned char k[kKey];
    Ctx ctx(EVP_CIPHER_CTX_new(), &EVP_CIPHER_CTX_free);
    int len = 0, last = 0;
    bool ok = derive(key, salt, k) && ctx && EVP_DecryptInit_ex(ctx.get(), EVP_aes_256_gcm(), nullptr, k, nonce) == 1 &&
              EVP_DecryptUpdate(ctx.get(), plain, &len, body, static_cast<int>(n)) == 1 &&
              EVP_CIPHER_CTX_ctrl(ctx.get(), EVP_CTRL_GCM_SET_TAG, kTag, tag) == 1 &&
              EVP_DecryptFinal_ex(ctx.get(), plain + len, &last) == 1;
    OPENSSL_cleanse(k, sizeof k);
    // A NUL inside would cut the text: no text that seal wrote holds one.
    if (!ok || std::memchr(plain, 0, n)) {
        OPENSSL_cleanse(plain, sizeof plain);
        return fail(out, refused);
    }
    std::memcpy(out, plain, n);
    out[n] = '\0';
    OPENSSL_cleanse(plain, sizeof plain);
    return 0;
}

}  // namespace

int encrStr(const char *in, char *out) { return seal(in, out, {}); }
int decrStr(const char *in, char *out) { return open_sealed(in, out, {}); }
int encrStrByKey(const char *in, char *out, const char *key) { return seal(in, out, key); }
int decrStrByKey(const char *in, char *out, const char *key) { return open_sealed(in, out, key); }
