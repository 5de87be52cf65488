#pragma once

#include <memory>
#include <string>

struct ssl_ctx_st;
struct ssl_st;

namespace corvend::sandbox {

// The server side of TLS for the sandbox's connections: a certificate chain and its private
// key, loaded once, and the handshake and record I/O of one connection over a non-blocking
// socket. Every wait goes through the caller's `wait` so that stopping the server ends it.
class TLSContext {
  public:
    // Loads the PEM certificate (chain) and key; throws std::runtime_error when they do not load
    // or do not match.
    TLSContext(const std::string& certificateFile, const std::string& privateKeyFile);
    ~TLSContext();

    TLSContext(const TLSContext&) = delete;
    TLSContext& operator=(const TLSContext&) = delete;

    // One connection's TLS session over `socket`, which it makes non-blocking.
    class Connection {
      public:
        // What the record layer needs before it can go on; the caller waits for it.
        enum class Need { nothing, read, write, fail };

        Connection(const TLSContext& context, int socket);
        ~Connection();
        Connection(const Connection&) = delete;
        Connection& operator=(const Connection&) = delete;

        // One step of the handshake: nothing once it is done.
        Need accept();
        // Reads or writes up to `size` bytes; the count, 0 for the peer's close, -1 with `need`
        // set when the caller must wait (read or write) or give up (fail).
        long read(char* data, std::size_t size, Need& need);
        long write(const char* data, std::size_t size, Need& need);
        // Whether decrypted bytes wait to be read.
        bool hasPending() const;
        // Sends the close notification, without waiting for the peer's.
        void close();

      private:
        Need needAfter(int result) const;
        ssl_st* ssl_;
    };

  private:
    ssl_ctx_st* context_;
};

}  // namespace corvend::sandbox
