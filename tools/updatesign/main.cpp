// lyntra-update-sign: makes the release key and signs update documents with it, so that the panel takes
// them. The signature is a detached file beside the document: base64 of the 64 Ed25519 signature bytes
// over the document's exact bytes.
//   lyntra-update-sign key <private.pem> <public.pem>   a new key pair; the private file is for the owner only
//   lyntra-update-sign sign <private.pem> <document>    writes <document>.sig
//   lyntra-update-sign verify <public.pem> <document>   checks <document>.sig; exit status 0 when it holds
#include <openssl/evp.h>
#include <openssl/pem.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

using Key = std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)>;
using Context = std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)>;
using Bytes = std::vector<unsigned char>;

int fail(const std::string &what)
{
    std::fprintf(stderr, "lyntra-update-sign: %s\n", what.c_str());
    return 1;
}

bool readFile(const std::string &path, Bytes *out)
{
    std::ifstream in(path, std::ios::binary);
    out->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return in.good() || in.eof();
}

bool writeFile(const std::string &path, const std::string &text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    return bool(out.flush());
}

Key readKey(const std::string &path, bool isPrivate)
{
    Key key(nullptr, EVP_PKEY_free);
    if (FILE *f = std::fopen(path.c_str(), "rb")) {
        key.reset(isPrivate ? PEM_read_PrivateKey(f, nullptr, nullptr, nullptr)
                            : PEM_read_PUBKEY(f, nullptr, nullptr, nullptr));
        std::fclose(f);
    }
    if (key && EVP_PKEY_id(key.get()) != EVP_PKEY_ED25519)
        key.reset();
    return key;
}

std::string base64(const Bytes &bytes)
{
    std::string text(4 * ((bytes.size() + 2) / 3) + 1, '\0');
    const int n = EVP_EncodeBlock(reinterpret_cast<unsigned char *>(&text[0]), bytes.data(), int(bytes.size()));
    text.resize(size_t(n));
    return text;
}

int makeKey(const std::string &privatePath, const std::string &publicPath)
{
    Key key(EVP_PKEY_Q_keygen(nullptr, nullptr, "ED25519"), EVP_PKEY_free);
    if (!key)
        return fail("cannot make a key");
    const mode_t old = ::umask(077);
    FILE *priv = std::fopen(privatePath.c_str(), "wx");
    ::umask(old);
    if (!priv)
        return fail(privatePath + ": cannot create (it must not exist yet)");
    const bool privOk = PEM_write_PrivateKey(priv, key.get(), nullptr, nullptr, 0, nullptr, nullptr) == 1;
    std::fclose(priv);
    FILE *pub = std::fopen(publicPath.c_str(), "w");
    const bool pubOk = pub && PEM_write_PUBKEY(pub, key.get()) == 1;
    if (pub)
        std::fclose(pub);
    return privOk && pubOk ? 0 : fail("cannot write the key files");
}

int sign(const std::string &keyPath, const std::string &document)
{
    const Key key = readKey(keyPath, true);
    Bytes bytes;
    if (!key)
        return fail(keyPath + ": not an Ed25519 private key");
    if (!readFile(document, &bytes))
        return fail(document + ": cannot read");
    Context ctx(EVP_MD_CTX_new(), EVP_MD_CTX_free);
    Bytes signature(64);
    size_t length = signature.size();
    if (!ctx || EVP_DigestSignInit(ctx.get(), nullptr, nullptr, nullptr, key.get()) != 1 ||
        EVP_DigestSign(ctx.get(), signature.data(), &length, bytes.data(), bytes.size()) != 1 || length != 64)
        return fail("signing failed");
    return writeFile(document + ".sig", base64(signature) + "\n") ? 0 : fail(document + ".sig: cannot write");
}

int verify(const std::string &keyPath, const std::string &document)
{
    const Key key = readKey(keyPath, false);
    Bytes bytes, text, signature(64);
    if (!key)
        return fail(keyPath + ": not an Ed25519 public key");
    if (!readFile(document, &bytes) || !readFile(document + ".sig", &text))
        return fail("cannot read the document or its signature");
    while (!text.empty() && std::strchr(" \t\r\n", text.back()))
        text.pop_back();
    Bytes decoded(text.size());
    const int n = EVP_DecodeBlock(decoded.data(), text.data(), int(text.size()));
    // The decoder counts padding as zero bytes: 64 bytes are 88 characters with two '=' at the end.
    if (n != 66 || text.size() != 88 || text[86] != '=' || text[87] != '=')
        return fail(document + ".sig: not a signature");
    std::memcpy(signature.data(), decoded.data(), 64);
    Context ctx(EVP_MD_CTX_new(), EVP_MD_CTX_free);
    const bool good = ctx && EVP_DigestVerifyInit(ctx.get(), nullptr, nullptr, nullptr, key.get()) == 1 &&
                      EVP_DigestVerify(ctx.get(), signature.data(), 64, bytes.data(), bytes.size()) == 1;
    std::printf("%s: %s\n", document.c_str(), good ? "signature good" : "signature BAD");
    return good ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    const std::string command = argc == 4 ? argv[1] : "";
    if (command == "key")
        return makeKey(argv[2], argv[3]);
    if (command == "sign")
        return sign(argv[2], argv[3]);
    if (command == "verify")
        return verify(argv[2], argv[3]);
    std::fprintf(stderr, "usage: lyntra-update-sign key <private.pem> <public.pem>\n"
                         "       lyntra-update-sign sign <private.pem> <document>\n"
                         "       lyntra-update-sign verify <public.pem> <document>\n");
    return 2;
}
