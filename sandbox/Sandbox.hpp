#pragma once

#include <boost/json/value.hpp>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "CorrelationIdGenerator.hpp"
#include "MemoryStore.hpp"
#include "RecordLog.hpp"
#include "RecordedRequest.hpp"
#include "Reply.hpp"
#include "RouteTable.hpp"
#include "SandboxOptions.hpp"
#include "ScriptedReply.hpp"

namespace corvend::sandbox {

class LoopbackServer;

// A local stand-in of the wallet service's REST interface on 127.0.0.1, for tests and demos.
// It records the requests it receives (every one, or the latest `recordLimit`), can be scripted to
// answer with faults, and answers its own errors with the service's error document. Every reply
// carries "x-internal-correlation-id" with a fresh identifier unless a script says otherwise.
//
// Every member is safe to call from any thread. Not copyable or movable.
class Sandbox {
  public:
    using Options = SandboxOptions;

    static constexpr const char* kCorrelationHeader = "x-internal-correlation-id";

    // Throws std::runtime_error when the options name a certificate without its key (or the
    // other way round), or files that do not load.
    explicit Sandbox(Options options = {});

    // Stops serving (see `stop()`).
    ~Sandbox();

    Sandbox(const Sandbox&) = delete;
    Sandbox& operator=(const Sandbox&) = delete;

    // Binds 127.0.0.1 on the configured port (0 = ephemeral) and returns once connections are
    // accepted. Throws std::runtime_error when it cannot bind, std::logic_error when called
    // twice or after `stop()`.
    void start();

    // Releases every held or delayed reply, lets replies in progress finish, closes every
    // connection and returns when no serving thread is left. Idempotent; a stopped sandbox
    // cannot start again.
    void stop();

    // The bound port; 0 before `start()`.
    std::uint16_t port() const;

    // "http://127.0.0.1:<port>/", or "https://..." when serving over TLS.
    std::string baseURL() const;

    // Whether it serves https (the options name a certificate and key).
    bool secure() const { return !options_.certificateFile.empty(); }

    // Copies of the requests received since the start or the last `clearRequests()`, in
    // arrival order: every one, or with a `recordLimit` only that many of the latest.
    // Requests refused as malformed before routing are not recorded.
    std::vector<RecordedRequest> requests() const;

    // Drops the recorded requests and starts their count again from zero.
    void clearRequests();

    // Blocks until at least `count` requests were received since the start or the last
    // `clearRequests()`, or `timeout` passes; returns whether they were. Requests dropped
    // under a `recordLimit` still count, so `requests()` may then hold fewer than `count`. A
    // request counts as soon as it is received, before it is answered.
    bool waitForRequests(std::size_t count, std::chrono::milliseconds timeout) const;

    // The correlation identifier of the latest reply, if any reply carried one.
    std::optional<std::string> lastCorrelationId() const;

    // Makes the next request for `method` and the decoded `path` (relative to the base URL; a
    // leading '/' is ignored) get `reply` instead of the route's answer. One shot; replies
    // scripted for the same method and path are used in the order scripted. Works for paths
    // that have no route.
    void scriptNextReply(std::string method, std::string path, ScriptedReply reply);

    // Sends every reply currently held by a script with `hold` set; returns once the routes of
    // those with `routeOnRelease` have run.
    void releaseHeld();

    // Blocks until at least `count` replies are held by a script with `hold` set (a route that
    // runs first has then run) or `timeout` passes; returns whether they were.
    bool waitForHeld(std::size_t count, std::chrono::milliseconds timeout) const;

    // Copies of the error events received, in arrival order: every one, or with a
    // `recordLimit` only that many of the latest.
    std::vector<boost::json::value> events() const;

    // Blocks until at least `count` events were received or `timeout` passes; returns whether
    // they were. Events dropped under a `recordLimit` still count.
    bool waitForEvents(std::size_t count, std::chrono::milliseconds timeout) const;

    // Adds (or replaces) a route; see `RouteTable::add`.
    void addRoute(std::string method, std::string_view pattern, RouteHandler handler);

    // The in-memory data the routes serve.
    MemoryStore& store() { return store_; }

  private:
    using ScriptKey = std::pair<std::string, std::string>;

    Reply dispatch(RecordedRequest request);
    // The scripted reply, or the route's own one for `request` when the script says so.
    Reply play(const ScriptedReply& script, std::uint64_t holdTicket, RecordedRequest request);
    Reply route(RecordedRequest request);
    Reply reject(int status);

    const Options options_;
    MemoryStore store_;
    RouteTable routes_;
    CorrelationIdGenerator correlationIds_;
    RecordLog<RecordedRequest> requests_{options_.recordLimit};
    RecordLog<boost::json::value> events_{options_.recordLimit};

    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::map<ScriptKey, std::deque<ScriptedReply>> scripts_;
    std::optional<std::string> lastCorrelationId_;
    std::uint64_t releases_ = 0;
    std::size_t held_ = 0;  // replies waiting for the next release
    // Routes run on release: held so far, and run so far.
    std::uint64_t lateHeld_ = 0;
    std::uint64_t lateRun_ = 0;
    bool stopping_ = false;
    std::uint16_t port_ = 0;

    // Serializes start() and stop().
    std::mutex lifecycle_;
    // Declared last: destroyed first, so no serving thread outlives the state above.
    std::unique_ptr<LoopbackServer> server_;
};

}  // namespace corvend::sandbox
