#include "Sandbox.hpp"

#include <algorithm>
#include <boost/url/parse.hpp>
#include <exception>
#include <stdexcept>

#include "CardRoutes.hpp"
#include "ConfigurationRoutes.hpp"
#include "DepositRoutes.hpp"
#include "DiagnosticsRoutes.hpp"
#include "EventsRoutes.hpp"
#include "FxRoutes.hpp"
#include "HistoryRoutes.hpp"
#include "InstrumentRoutes.hpp"
#include "LoopbackServer.hpp"
#include "ProfileRoutes.hpp"
#include "RouteContext.hpp"
#include "TransferRoutes.hpp"
#include "WithdrawalRoutes.hpp"

namespace corvend::sandbox {

namespace {

std::string relativePath(std::string_view path) {
    if (path.starts_with('/')) path.remove_prefix(1);
    return std::string(path);
}

std::string upperCase(std::string text) {
    std::ranges::transform(text, text.begin(), [](char c) {
        return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    });
    return text;
}

std::optional<std::string> scriptedCorrelationId(const ScriptedReply& script) {
    for (const auto& [name, value] : script.headers) {
        if (equalsIgnoringCase(name, Sandbox::kCorrelationHeader)) return value;
    }
    return std::nullopt;
}

std::string errorCode(int status) {
    switch (status) {
        case 400:
            return "BAD_REQUEST";
        case 404:
            return "NOT_FOUND";
        case 405:
            return "METHOD_NOT_ALLOWED";
        case 413:
            return "PAYLOAD_TOO_LARGE";
        case 414:
            return "URI_TOO_LONG";
        case 416:
            return "RANGE_NOT_SATISFIABLE";
        case 500:
            return "INTERNAL_ERROR";
        default:
            return "HTTP_" + std::to_string(status);
    }
}

}  // namespace

Sandbox::Sandbox(Options options) : options_(std::move(options)) {
    if (options_.certificateFile.empty() != options_.privateKeyFile.empty()) {
        throw std::runtime_error("https needs both a certificate and its private key");
    }
    RouteContext context{routes_, store_, options_};
    addConfigurationRoutes(context);
    addEventsRoutes(context, events_);
    addDiagnosticsRoutes(context);
    addFxRoutes(context);
    addTransferRoutes(context);
    addDepositRoutes(context);
    addWithdrawalRoutes(context);
    addCardRoutes(context);
    addInstrumentRoutes(context);
    addProfileRoutes(context);
    addHistoryRoutes(context);
    server_ = std::make_unique<LoopbackServer>(
        [this](RecordedRequest request) { return dispatch(std::move(request)); },
        [this](int status) { return reject(status); }, options_.maxThreads,
        secure() ? std::make_unique<TLSContext>(options_.certificateFile, options_.privateKeyFile)
                 : nullptr);
    server_->setIdleConnectionLimit(options_.idleConnectionLimit);
}

Sandbox::~Sandbox() {
    stop();
}

void Sandbox::start() {
    std::lock_guard lifecycle(lifecycle_);
    auto bound = server_->start(options_.port);
    std::lock_guard lock(mutex_);
    port_ = bound;
}

void Sandbox::stop() {
    std::lock_guard lifecycle(lifecycle_);
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    server_->stop();
}

std::uint16_t Sandbox::port() const {
    std::lock_guard lock(mutex_);
    return port_;
}

std::string Sandbox::baseURL() const {
    return (secure() ? "https" : "http") + std::string("://127.0.0.1:") + std::to_string(port()) +
           "/";
}

std::vector<RecordedRequest> Sandbox::requests() const {
    return requests_.records();
}

void Sandbox::clearRequests() {
    requests_.clear();
}

bool Sandbox::waitForRequests(std::size_t count, std::chrono::milliseconds timeout) const {
    return requests_.waitForCount(count, timeout);
}

std::optional<std::string> Sandbox::lastCorrelationId() const {
    std::lock_guard lock(mutex_);
    return lastCorrelationId_;
}

void Sandbox::scriptNextReply(std::string method, std::string path, ScriptedReply reply) {
    std::lock_guard lock(mutex_);
    scripts_[{upperCase(std::move(method)), relativePath(path)}].push_back(std::move(reply));
}

void Sandbox::releaseHeld() {
    std::unique_lock lock(mutex_);
    ++releases_;
    held_ = 0;  // at once, not as each wakes: a later wait counts only what it holds
    changed_.notify_all();
    // What the routes run on release change is there once this returns.
    const auto released = lateHeld_;
    changed_.wait(lock, [&] { return stopping_ || lateRun_ >= released; });
}

bool Sandbox::waitForHeld(std::size_t count, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return held_ >= count; });
}

std::vector<boost::json::value> Sandbox::events() const {
    return events_.records();
}

bool Sandbox::waitForEvents(std::size_t count, std::chrono::milliseconds timeout) const {
    return events_.waitForCount(count, timeout);
}

void Sandbox::addRoute(std::string method, std::string_view pattern, RouteHandler handler) {
    routes_.add(std::move(method), pattern, std::move(handler));
}

Reply Sandbox::dispatch(RecordedRequest request) {
    std::optional<ScriptedReply> script;
    std::optional<std::string> ownCorrelationId;
    std::uint64_t holdTicket = 0;
    {
        std::lock_guard lock(mutex_);
        if (auto it = scripts_.find({request.method, relativePath(request.path)});
            it != scripts_.end()) {
            script = std::move(it->second.front());
            it->second.pop_front();
            if (it->second.empty()) scripts_.erase(it);
        }
        if (!script) {
            request.correlationId = correlationIds_.next();
        } else if (script->sendCorrelationId) {
            ownCorrelationId = scriptedCorrelationId(*script);
            request.correlationId = ownCorrelationId ? ownCorrelationId : correlationIds_.next();
        }
        if (request.correlationId) lastCorrelationId_ = request.correlationId;
        // Taken with the record, so a releaseHeld() issued once the request is seen frees it.
        holdTicket = releases_;
        requests_.append(request);
    }

    auto correlationId = request.correlationId;
    Reply reply =
        script ? play(*script, holdTicket, std::move(request)) : route(std::move(request));
    if (correlationId && !ownCorrelationId) {
        reply.headers.emplace(reply.headers.begin(), kCorrelationHeader, *correlationId);
    }
    return reply;
}

Reply Sandbox::play(const ScriptedReply& script, std::uint64_t holdTicket,
                    RecordedRequest request) {
    std::optional<Reply> routed;
    if (script.afterRoute) routed = route(std::move(request));
    const bool late = script.hold && script.routeOnRelease && !script.afterRoute;
    bool lateHeld = false;
    if (script.hold) {
        std::unique_lock lock(mutex_);
        if (!stopping_ && releases_ == holdTicket) {
            ++held_;
            if (late) {
                ++lateHeld_;
                lateHeld = true;
            }
            changed_.notify_all();
        }
        changed_.wait(lock, [&] { return stopping_ || releases_ != holdTicket; });
    }
    if (late) {
        routed = route(std::move(request));
        if (lateHeld) {
            std::lock_guard lock(mutex_);
            ++lateRun_;
        }
        changed_.notify_all();
    }
    if (script.delay > std::chrono::milliseconds::zero()) {
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, script.delay, [&] { return stopping_; });
    }
    if (routed && !script.replaceRouteReply) {
        // The service acted; its reply may still be lost on the way.
        routed->dropConnection = script.dropConnection;
        return std::move(*routed);
    }
    Reply reply;
    reply.status = script.status;
    reply.headers = script.headers;
    reply.body = script.body;
    reply.contentType = script.contentType;
    reply.dropConnection = script.dropConnection;
    return reply;
}

Reply Sandbox::route(RecordedRequest request) {
    auto target = boost::urls::parse_origin_form(request.target);
    if (!target) {
        return Reply::error(400,
                            {.code = "BAD_REQUEST", .message = "The request target is not valid."});
    }
    std::vector<std::string> segments;
    for (auto segment : target->segments()) segments.push_back(std::move(segment));
    // A HEAD request is answered as its GET; the server leaves the body out.
    auto method = request.method == "HEAD" ? std::string("GET") : request.method;
    auto match = routes_.find(method, segments);
    if (!match) {
        return Reply::error(
            404, {.code = "NOT_FOUND",
                  .message = "No route for " + request.method + " " + request.path + "."});
    }
    RouteRequest routeRequest;
    for (auto item : target->params()) routeRequest.query.emplace_back(item.key, item.value);
    routeRequest.pathParameters = std::move(match->pathParameters);
    routeRequest.request = std::move(request);
    try {
        return match->handler(routeRequest);
    } catch (const std::exception& error) {
        return Reply::error(500, {.code = "INTERNAL_ERROR", .message = error.what()});
    }
}

Reply Sandbox::reject(int status) {
    auto id = correlationIds_.next();
    {
        std::lock_guard lock(mutex_);
        lastCorrelationId_ = id;
    }
    auto reply =
        Reply::error(status, {.code = errorCode(status), .message = "The request was refused."});
    reply.headers.emplace_back(kCorrelationHeader, std::move(id));
    return reply;
}

}  // namespace corvend::sandbox
