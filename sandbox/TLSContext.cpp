#include "TLSContext.hpp"

#include <fcntl.h>
#include <openssl/err.h>
#include <openssl/ssl.h>

#include <climits>
#include <stdexcept>

namespace corvend::sandbox {

namespace {

std::runtime_error tlsFailure(const std::string& what) {
    char reason[256] = "";
    ERR_error_string_n(ERR_get_error(), reason, sizeof(reason));
    ERR_clear_error();
    return std::runtime_error(what + ": " + reason);
}

}  // namespace

TLSContext::TLSContext(const std::string& certificateFile, const std::string& privateKeyFile)
    : context_(SSL_CTX_new(TLS_server_method())) {
    if (context_ == nullptr) throw tlsFailure("cannot make a TLS context");
    SSL_CTX_set_min_proto_version(context_, TLS1_2_VERSION);
    // Writes may end part way on a non-blocking socket and go on from a new buffer address.
    SSL_CTX_set_mode(context_, SSL_MODE_ENABLE_PARTIAL_WRITE | SSL_MODE_ACCEPT_MOVING_WRITE_BUFFER);
    if (SSL_CTX_use_certificate_chain_file(context_, certificateFile.c_str()) != 1 ||
        SSL_CTX_use_PrivateKey_file(context_, privateKeyFile.c_str(), SSL_FILETYPE_PEM) != 1 ||
        SSL_CTX_check_private_key(context_) != 1) {
        const auto failure = tlsFailure("cannot load " + certificateFile + " and its key");
        SSL_CTX_free(context_);
        throw failure;
    }
}

TLSContext::~TLSContext() {
    SSL_CTX_free(context_);
}

TLSContext::Connection::Connection(const TLSContext& context, int socket)
    : ssl_(SSL_new(context.context_)) {
    if (ssl_ == nullptr) throw tlsFailure("cannot start a TLS session");
    ::fcntl(socket, F_SETFL, ::fcntl(socket, F_GETFL) | O_NONBLOCK);
    SSL_set_fd(ssl_, socket);
}

TLSContext::Connection::~Connection() {
    SSL_free(ssl_);
}

TLSContext::Connection::Need TLSContext::Connection::needAfter(int result) const {
    switch (SSL_get_error(ssl_, result)) {
        case SSL_ERROR_WANT_READ:
            return Need::read;
        case SSL_ERROR_WANT_WRITE:
            return Need::write;
        default:
            ERR_clear_error();  // the thread's queue is reused by its next connection
            return Need::fail;
    }
}

TLSContext::Connection::Need TLSContext::Connection::accept() {
    const int result = SSL_accept(ssl_);
    return result == 1 ? Need::nothing : needAfter(result);
}

long TLSContext::Connection::read(char* data, std::size_t size, Need& need) {
    const int result = SSL_read(ssl_, data, static_cast<int>(std::min<std::size_t>(size, INT_MAX)));
    if (result > 0) return result;
    if (SSL_get_error(ssl_, result) == SSL_ERROR_ZERO_RETURN) return 0;
    need = needAfter(result);
    return -1;
}

long TLSContext::Connection::write(const char* data, std::size_t size, Need& need) {
    const int result =
        SSL_write(ssl_, data, static_cast<int>(std::min<std::size_t>(size, INT_MAX)));
    if (result > 0) return result;
    need = needAfter(result);
    return -1;
}

bool TLSContext::Connection::hasPending() const {
    return SSL_pending(ssl_) > 0;
}

void TLSContext::Connection::close() {
    SSL_shutdown(ssl_);
    ERR_clear_error();
}

}  // namespace corvend::sandbox
