// cipherkit: the string cipher behind the encrypt tool. Each function writes
// a NUL-terminated text into OUT, which holds kCipherTextSize bytes: the
// result, or an error text. They answer 0 on success and 1 on failure.
//
// Encryption is AES-256-GCM under a key derived by PBKDF2-HMAC-SHA256 from
// the key text (a built-in key text when none, or an empty one, is given)
// and a random salt; the output is salt, nonce, ciphertext and tag in base64
// without padding: one printable word of at most 255 characters.
#ifndef NDL_CIPHERKIT_H
#define NDL_CIPHERKIT_H

constexpr int kCipherTextSize = 256;

extern "C" {
int encrStr(const char *in, char *out);
int decrStr(const char *in, char *out);
int encrStrByKey(const char *in, char *out, const char *key);
int decrStrByKey(const char *in, char *out, const char *key);
}

#endif
