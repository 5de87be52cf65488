#include "platform/http/URLSession.hpp"

#include <curl/curl.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <exception>
#include <limits>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/async/CancellationError.hpp"
#include "platform/async/CancellationToken.hpp"
#include "platform/async/OneShot.hpp"
#include "platform/foundation/NeverDestroyed.hpp"
#include "platform/http/CloseOnExecSweep.hpp"
#include "platform/http/CurlErrorMapping.hpp"
#include "platform/http/CurlGlobal.hpp"
#include "platform/http/HostResolver.hpp"
#include "platform/http/IdleDeadline.hpp"
#include "platform/http/ReplyHeaderParser.hpp"
#include "platform/http/SocketOpener.hpp"
#include "platform/http/TransferEnd.hpp"
#include "platform/http/URLError.hpp"

namespace corvend::platform {

namespace {

using detail::makeURLError;
using detail::urlErrorCode;
using Reply = std::pair<Data, std::shared_ptr<URLResponse>>;

struct SlistDeleter {
    void operator()(curl_slist* list) const noexcept { curl_slist_free_all(list); }
};
using HeaderList = std::unique_ptr<curl_slist, SlistDeleter>;

struct EasyDeleter {
    void operator()(CURL* easy) const noexcept { detail::CurlGlobal::cleanUpEasy(easy); }
};
using EasyHandle = std::unique_ptr<CURL, EasyDeleter>;

// An easy handle with the header list it was last given. A session's requests mostly send the
// same fields, so the list is built again only when they change.
struct PooledEasy {
    HeaderList headers;
    std::vector<std::pair<std::string, std::string>> fields;  // what `headers` was built from
    // Whether the last request left the method and body options as a new handle has them.
    bool plainGet = true;
    // The connection time-out last set (0: never), set again only when it changes.
    long connectTimeoutMs = 0;
    EasyHandle easy;  // last, so that it goes before the list it may point to
};

// RFC 9110's tchar, as a table: checked for every byte of every field name of every request.
constexpr std::array<bool, 256> kTokenChars = [] {
    std::array<bool, 256> table{};
    for (int c = 'a'; c <= 'z'; ++c) table[static_cast<std::size_t>(c)] = true;
    for (int c = 'A'; c <= 'Z'; ++c) table[static_cast<std::size_t>(c)] = true;
    for (int c = '0'; c <= '9'; ++c) table[static_cast<std::size_t>(c)] = true;
    for (char c : std::string_view("!#$%&'*+-.^_`|~")) {
        table[static_cast<unsigned char>(c)] = true;
    }
    return table;
}();

bool isToken(std::string_view text) noexcept {
    return !text.empty() && std::ranges::all_of(text, [](char c) {
        return kTokenChars[static_cast<unsigned char>(c)];
    });
}

bool hasLineBreakOrNul(std::string_view text) noexcept {
    return std::ranges::any_of(text, [](char c) { return c == '\r' || c == '\n' || c == '\0'; });
}

// Idle easy handles of one session. A handle keeps the options every request of the session
// shares, and is put back with its per-request options as on a new handle, so the next request
// neither creates a handle nor sets the shared options again, and finds nothing of the last one.
// Taken and put back by callers and by the I/O thread.
class EasyPool {
  public:
    explicit EasyPool(const URLSessionConfiguration& configuration);
    ~EasyPool();
    EasyPool(const EasyPool&) = delete;
    EasyPool& operator=(const EasyPool&) = delete;

    PooledEasy take();                     // an idle handle or a new one; throws URLError
    void put(PooledEasy&& idle) noexcept;  // its handle must be out of the multi handle
    long resourceTimeoutMs() const noexcept { return resourceTimeoutMs_; }

  private:
    static constexpr std::size_t kMaximumIdle = 8;

    const detail::TrustedAuthorities authorities_;
    const long resourceTimeoutMs_;
    std::mutex mutex_;
    std::vector<PooledEasy> idle_;  // guarded by mutex_
};

// One request on its way: the easy handle and everything libcurl reads or writes through it.
// Only the I/O thread touches it once it has been handed over.
struct Transfer {
    explicit Transfer(std::shared_ptr<EasyPool> handles)
        : pool(std::move(handles)), handle(pool->take()), easy(handle.easy.get()) {}
    ~Transfer() { pool->put(std::move(handle)); }
    Transfer(const Transfer&) = delete;
    Transfer& operator=(const Transfer&) = delete;

    std::shared_ptr<EasyPool> pool;
    PooledEasy handle;         // taken from `pool`, back to it when the transfer ends
    CURL* easy;                // handle's
    std::optional<Data> body;  // libcurl reads POSTFIELDS in place, so it lives here
    HeaderList addresses;      // the host's, looked up by the kit (CURLOPT_RESOLVE)
    std::array<char, CURL_ERROR_SIZE> errorBuffer{};
    std::optional<URL> url;

    Data received;
    std::size_t maximumBodyBytes = 0;
    bool bodyTooLarge = false;  // the write callback refused the body
    detail::ReplyHeaderParser replyHeaders;
    detail::SocketOpener sockets;
    detail::IdleDeadline idle{detail::IdleDeadline::Clock::duration::zero()};

    std::shared_ptr<OneShot<Reply>> outcome = std::make_shared<OneShot<Reply>>();
    bool cancelled = false;  // guarded by Engine::mutex
    bool submitted = false;  // guarded by Engine::mutex
    int sends = 0;           // I/O thread only
    bool read = false;       // GET or HEAD: may go again on a fresh connection, once
    bool sentFresh = false;  // I/O thread only
    bool connected = false;  // I/O thread only

    void fail(URLError error) { outcome->reject(std::make_exception_ptr(std::move(error))); }
};

// libcurl silently sends a request again on a fresh connection when a reused one died before
// any reply byte arrived. The first attempt may well have reached the server (a deposit created
// twice), so a request is sent at most once; the refused resend ends as a lost connection.
int onBeforeSend(void* userdata, char*, char*, int, int) {
    auto& transfer = *static_cast<Transfer*>(userdata);
    transfer.idle.moved();  // connected
    transfer.connected = true;
    return ++transfer.sends == 1 ? CURL_PREREQFUNC_OK : CURL_PREREQFUNC_ABORT;
}

size_t onBody(char* bytes, size_t size, size_t count, void* userdata) {
    auto& transfer = *static_cast<Transfer*>(userdata);
    const size_t length = size * count;
    // Subtraction, as the sum could wrap. A short count makes libcurl abort the transfer.
    if (length > transfer.maximumBodyBytes - transfer.received.size()) {
        transfer.bodyTooLarge = true;
        transfer.received = Data();
        return 0;
    }
    transfer.received.append(std::string_view(bytes, length));
    return length;
}

size_t onHeader(char* bytes, size_t size, size_t count, void* userdata) {
    auto& transfer = *static_cast<Transfer*>(userdata);
    transfer.idle.moved();
    transfer.replyHeaders.consume(std::string_view(bytes, size * count));
    return size * count;
}

template <class T>
void setOption(CURL* easy, CURLoption option, T value) {
    if (const CURLcode result = curl_easy_setopt(easy, option, value); result != CURLE_OK) {
        throw makeURLError(URLError::Code::unknown, curl_easy_strerror(result));
    }
}

void appendHeader(HeaderList& list, const std::string& line) {
    // On failure libcurl leaves the list as it was, so it stays owned.
    curl_slist* grown = curl_slist_append(list.get(), line.c_str());
    if (grown == nullptr) throw std::bad_alloc();
    if (grown != list.get()) {
        (void)list.release();
        list.reset(grown);
    }
}

void validate(const URLRequest& request) {
    // Checked here, not left to libcurl: it also reports an HTTP/0.9 reply as an unsupported
    // protocol, which is the server's fault, not the URL's.
    const std::string& url = request.url().absoluteString();
    // The scheme is stored lower-cased and ends at the first ':'.
    if (!url.starts_with("http://") && !url.starts_with("https://")) {
        throw makeURLError(URLError::Code::unsupportedURL, request.url().scheme());
    }
    if (url.size() > URLSession::kMaximumURLLength) {
        throw makeURLError(
            URLError::Code::badURL,
            "longer than " + std::to_string(URLSession::kMaximumURLLength) + " bytes");
    }
    if (!request.httpMethod().empty() && !isToken(request.httpMethod())) {
        throw URLError(URLError::Code::unknown, "The request method is not a valid HTTP token.");
    }
}

// Checked where a handle's header list is built: a list is kept only for fields that passed.
void validate(const std::vector<std::pair<std::string, std::string>>& fields) {
    for (const auto& [name, value] : fields) {
        // A name that is no token (empty, or with a colon, space or line break) would be split
        // differently by the server, so it is refused like a line break in a value.
        if (!isToken(name)) {
            throw makeURLError(URLError::Code::invalidHeaderValue, "a field name is not a token");
        }
        if (hasLineBreakOrNul(value)) {
            throw makeURLError(URLError::Code::invalidHeaderValue, "field " + name);
        }
    }
}

// `timeout`, or `fallback` when it is not positive, bounded so that milliseconds fit in a long.
URLRequest::Seconds usableTimeout(URLRequest::Seconds timeout, URLRequest::Seconds fallback) {
    if (!(timeout.count() > 0) || !std::isfinite(timeout.count())) timeout = fallback;
    return std::min(timeout, URLRequest::Seconds(2'000'000));
}

long milliseconds(URLRequest::Seconds timeout) {
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(timeout).count();
    return static_cast<long>(std::max<long long>(1, ms));
}

// The configuration's CA file, else the environment's; the CA directory is the environment's.
detail::TrustedAuthorities trustedAuthorities(const URLSessionConfiguration& configuration) {
    auto authorities = detail::CurlGlobal::shared().trustedAuthorities();
    if (!configuration.caBundlePath.empty()) authorities.file = configuration.caBundlePath;
    return authorities;
}

// Sets a CA location option: absent keeps libcurl's default, empty sets none.
void setAuthorities(CURL* easy, CURLoption option, const std::optional<std::string>& location) {
    if (!location) return;
    setOption(easy, option, location->empty() ? nullptr : location->c_str());
}

EasyPool::EasyPool(const URLSessionConfiguration& configuration)
    : authorities_(trustedAuthorities(configuration)),
      resourceTimeoutMs_(
          milliseconds(usableTimeout(configuration.timeoutIntervalForResource,
                                     URLSessionConfiguration().timeoutIntervalForResource))) {
    idle_.reserve(kMaximumIdle);  // so put() never allocates
}

EasyPool::~EasyPool() = default;

PooledEasy EasyPool::take() {
    {
        std::lock_guard lock(mutex_);
        if (!idle_.empty()) {
            PooledEasy idle = std::move(idle_.back());
            idle_.pop_back();
            return idle;
        }
    }
    PooledEasy fresh;
    fresh.easy.reset(curl_easy_init());
    if (!fresh.easy) throw makeURLError(URLError::Code::unknown, "no transfer handle");
    CURL* handle = fresh.easy.get();
    setOption(handle, CURLOPT_PROTOCOLS_STR, "http,https");
    setOption(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    setOption(handle, CURLOPT_FOLLOWLOCATION, 0L);
    setOption(handle, CURLOPT_NOSIGNAL, 1L);
    // A transfer that ends during its name lookup (time-out, cancel, session gone) leaves the
    // resolver thread behind rather than joining it: the lookup may take as long as the system
    // resolver waits, and the driver holds the exit gate and the session's other transfers.
    setOption(handle, CURLOPT_QUICK_EXIT, 1L);
    setOption(handle, CURLOPT_PROXY, "");
    setOption(handle, CURLOPT_NOPROXY, "*");
    setOption(handle, CURLOPT_SSL_VERIFYPEER, 1L);
    setOption(handle, CURLOPT_SSL_VERIFYHOST, 2L);
    setOption(handle, CURLOPT_SSLVERSION, static_cast<long>(CURL_SSLVERSION_TLSv1_2));
    setAuthorities(handle, CURLOPT_CAINFO, authorities_.file);
    setAuthorities(handle, CURLOPT_CAPATH, authorities_.directory);
    setOption(handle, CURLOPT_WRITEFUNCTION, &onBody);
    setOption(handle, CURLOPT_HEADERFUNCTION, &onHeader);
    setOption(handle, CURLOPT_PREREQFUNCTION, &onBeforeSend);
    setOption(handle, CURLOPT_OPENSOCKETFUNCTION, &detail::SocketOpener::open);
    setOption(handle, CURLOPT_XFERINFOFUNCTION, &detail::IdleDeadline::onProgress);
    setOption(handle, CURLOPT_NOPROGRESS, 0L);
    setOption(handle, CURLOPT_TIMEOUT_MS, resourceTimeoutMs_);
    return fresh;
}

void EasyPool::put(PooledEasy&& idle) noexcept {
    CURL* easy = idle.easy.get();
    // Back to a new handle's method, body and size options; no error buffer of an ended
    // transfer. POSTFIELDS selects POST and HTTPGET undoes it, so their order matters. The
    // request's URL, header list, time-outs and the data of its callbacks are set by every
    // request before it starts (the list is the handle's own).
    bool reset = true;
    const auto clear = [&](CURLoption option, auto value) {
        reset = curl_easy_setopt(easy, option, value) == CURLE_OK && reset;
    };
    clear(CURLOPT_ERRORBUFFER, static_cast<char*>(nullptr));
    if (!idle.plainGet) {
        clear(CURLOPT_POSTFIELDS, static_cast<void*>(nullptr));
        clear(CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(-1));
        clear(CURLOPT_CUSTOMREQUEST, static_cast<char*>(nullptr));
        clear(CURLOPT_HTTPGET, 1L);
        idle.plainGet = true;
    }
    clear(CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(0));
    clear(CURLOPT_RESOLVE, static_cast<curl_slist*>(nullptr));
    clear(CURLOPT_FRESH_CONNECT, 0L);
    if (reset) {
        std::lock_guard lock(mutex_);
        if (idle_.size() < kMaximumIdle) {
            idle_.push_back(std::move(idle));
            return;
        }
    }
    const PooledEasy dropped = std::move(idle);  // not kept: freed here
}

std::shared_ptr<Transfer> makeTransfer(const URLRequest& request,
                                       const URLSessionConfiguration& configuration,
                                       const std::shared_ptr<EasyPool>& pool) {
    auto transfer = std::make_shared<Transfer>(pool);
    transfer->url = request.url();
    transfer->maximumBodyBytes = configuration.maximumResponseBodyBytes;
    CURL* easy = transfer->easy;

    setOption(easy, CURLOPT_URL, request.url().absoluteString().c_str());
    setOption(easy, CURLOPT_ERRORBUFFER, transfer->errorBuffer.data());
    setOption(easy, CURLOPT_WRITEDATA, transfer.get());
    setOption(easy, CURLOPT_HEADERDATA, transfer.get());
    setOption(easy, CURLOPT_PREREQDATA, transfer.get());
    setOption(easy, CURLOPT_OPENSOCKETDATA, &transfer->sockets);
    setOption(easy, CURLOPT_XFERINFODATA, &transfer->idle);

    // The request's time-out is an idle one, kept by the driver: a slow but live download is
    // cut only by the session's cap on the whole transfer. Non-positive means the defaults (a
    // minute idle, a week whole).
    const auto timeout = usableTimeout(request.timeoutInterval(), URLRequest::Seconds(60));
    transfer->idle = detail::IdleDeadline(
        std::chrono::duration_cast<detail::IdleDeadline::Clock::duration>(timeout));
    PooledEasy& handle = transfer->handle;
    if (const long ms = milliseconds(timeout); ms != handle.connectTimeoutMs) {
        handle.connectTimeoutMs = 0;  // unknown should the call fail
        setOption(easy, CURLOPT_CONNECTTIMEOUT_MS, ms);
        handle.connectTimeoutMs = ms;
    }

    const std::string method = request.httpMethod().empty() ? "GET" : request.httpMethod();
    // Marked before any of them is set, so that the pool resets them whatever happens next.
    handle.plainGet = method == "GET" && !request.httpBody();
    transfer->read = method == "GET" || method == "HEAD";
    if (method == "HEAD") {
        setOption(easy, CURLOPT_NOBODY, 1L);  // else libcurl waits for the announced body
    } else {
        // An announced length above the cap fails before any body byte is read (the write
        // callback catches a streamed one). Not for HEAD, whose length announces no body.
        setOption(
            easy, CURLOPT_MAXFILESIZE_LARGE,
            static_cast<curl_off_t>(std::min<std::uintmax_t>(
                configuration.maximumResponseBodyBytes, std::numeric_limits<curl_off_t>::max())));
        if (method != "GET") setOption(easy, CURLOPT_CUSTOMREQUEST, method.c_str());
        if (request.httpBody()) {
            transfer->body = request.httpBody();
        } else if (method == "POST" || method == "PUT" || method == "PATCH") {
            transfer->body.emplace();  // an explicit empty body: servers want its length
        }
        if (transfer->body) {
            setOption(easy, CURLOPT_POSTFIELDSIZE_LARGE,
                      static_cast<curl_off_t>(transfer->body->size()));
            setOption(easy, CURLOPT_POSTFIELDS, transfer->body->data());
        }
    }

    // Send the given fields and nothing libcurl would add on its own besides Host and
    // Content-Length: no "Expect: 100-continue", no default Accept or form Content-Type.
    // Fields equal to those the kept list was built from were checked then.
    if (!handle.headers || handle.fields != request.allHTTPHeaderFields()) {
        validate(request.allHTTPHeaderFields());
        auto fields = request.allHTTPHeaderFields();
        HeaderList list;
        for (const auto& [name, value] : fields) {
            // "Name;" is libcurl's way to send a field with an empty value ("Name:" removes it).
            appendHeader(list, value.empty() ? name + ";" : name + ": " + value);
        }
        for (const char* suppressed : {"Expect", "Accept", "Content-Type"}) {
            if (!request.value(suppressed)) appendHeader(list, std::string(suppressed) + ":");
        }
        handle.headers = std::move(list);
        handle.fields = std::move(fields);
    }
    setOption(easy, CURLOPT_HTTPHEADER, handle.headers.get());
    return transfer;
}

// The kit's lookup of `url`'s host (see HostResolver), absent for an IP address.
std::shared_ptr<detail::HostResolver::Answer> lookUpHost(const URL& url) {
    const auto host = url.host();
    if (!host || detail::HostResolver::isAddress(*host)) return nullptr;
    const std::uint16_t port = url.port().value_or(url.scheme() == "https" ? 443 : 80);
    return detail::HostResolver::shared().lookUp(*host, port);
}

}  // namespace

// The multi handle and whoever drives it (one thread at a time, see URLSession). Shared by the
// session, by each data() call in flight and by the I/O thread, so whichever lets go last
// frees it.
struct URLSession::Engine : std::enable_shared_from_this<URLSession::Engine> {
    using Answer = detail::HostResolver::Answer;

    explicit Engine(URLSessionConfiguration config)
        : configuration(std::move(config)), handles(std::make_shared<EasyPool>(configuration)) {
        int error = 0;
        {
            // Its wake-up socket pair cannot be opened close-on-exec: marked straight after.
            const detail::CloseOnExecSweep sweep;
            multi = curl_multi_init();
            error = errno;
        }
        if (multi == nullptr) {
            if (auto shortage = detail::SocketOpener::outOfDescriptors(error)) throw *shortage;
            throw makeURLError(URLError::Code::unknown, "no transfer group");
        }
        // libcurl makes the group even when it could not open its wake-up pair, and a group
        // that cannot be woken would hold a cancelled call for its whole time-out. The byte
        // this leaves only ends the first wait early.
        if (curl_multi_wakeup(multi) != CURLM_OK) {
            detail::CurlGlobal::cleanUpMulti(multi);
            if (auto shortage = detail::SocketOpener::outOfDescriptors(error)) throw *shortage;
            throw makeURLError(URLError::Code::unknown, "no wake-up for the transfer group");
        }
        // Keep enough idle connections for the kit's concurrent calls to one service.
        curl_multi_setopt(multi, CURLMOPT_MAXCONNECTS, 32L);
    }

    ~Engine() {
        if (thread.joinable()) thread.detach();  // the I/O thread itself let go last
        detail::CurlGlobal::cleanUpMulti(multi);
    }

    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    enum class Turn { drive, wait };

    // Queues `transfer`. Returns Turn::drive when the caller is to drive the multi handle itself
    // (nobody else does), Turn::wait when it is to wait for its outcome.
    Turn submit(const std::shared_ptr<Transfer>& transfer) {
        {
            std::lock_guard lock(mutex);
            if (stopping) {
                transfer->fail(
                    makeURLError(URLError::Code::cancelled, "the session was invalidated"));
                return Turn::wait;
            }
            if (transfer->cancelled) return Turn::wait;
            transfer->submitted = true;
            incoming.push_back(transfer);
            if (!driving) {
                driving = true;
                return Turn::drive;
            }
        }
        curl_multi_wakeup(multi);
        return Turn::wait;
    }

    // Withdraws `transfer`: a queued one is never started, a running one is removed.
    void cancel(const std::shared_ptr<Transfer>& transfer) {
        {
            std::lock_guard lock(mutex);
            transfer->cancelled = true;
            if (!transfer->submitted) return;
            if (auto queued = std::ranges::find(incoming, transfer); queued != incoming.end()) {
                incoming.erase(queued);
                return;
            }
            if (stopping) return;
            withdrawn.push_back(transfer);
        }
        curl_multi_wakeup(multi);
    }

    // Drives on the calling thread until `outcome` is settled, then lets go of the multi handle.
    void driveUntil(const OneShot<Reply>& outcome) {
        drive([&] { return outcome.isSettled(); });
        release();
    }

    // Waits for the addresses of `transfer`'s host and hands them to libcurl. Throws as the
    // call is to end: its time-out passed, the lookup failed, the session went (a cancel settles
    // `answer` itself).
    void awaitAddresses(Transfer& transfer, const std::shared_ptr<Answer>& answer,
                        URLRequest::Seconds timeout) {
        if (!answer->isSettled()) {
            {
                std::lock_guard lock(mutex);
                if (stopping) {
                    throw makeURLError(URLError::Code::cancelled, "the session was invalidated");
                }
                naming.push_back(answer);
            }
            const auto waited = std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                std::chrono::milliseconds(milliseconds(timeout)));
            const bool settled = answer->waitUntil(std::chrono::steady_clock::now() + waited);
            {
                std::lock_guard lock(mutex);
                std::erase_if(naming, [&](const auto& weak) {
                    const auto other = weak.lock();
                    return !other || other == answer;
                });
            }
            if (!settled) {
                // Worded as any time-out before a connection: the limit met is the same.
                throw makeURLError(URLError::Code::timedOut,
                                   "no connection made within its time-out (the name's look-up "
                                   "did not end)");
            }
        }
        appendHeader(transfer.addresses, answer->wait());
        setOption(transfer.easy, CURLOPT_RESOLVE, transfer.addresses.get());
    }

    // Ends every transfer with URLError::cancelled and joins the I/O thread.
    void shutdown() {
        std::thread io;
        std::vector<std::weak_ptr<Answer>> unnamed;
        {
            std::lock_guard lock(mutex);
            stopping = true;
            io = std::move(thread);
            unnamed.swap(naming);
        }
        for (const auto& weak : unnamed) {
            if (const auto answer = weak.lock()) {
                answer->reject(std::make_exception_ptr(
                    makeURLError(URLError::Code::cancelled, "the session was invalidated")));
            }
        }
        wanted.notify_all();
        curl_multi_wakeup(multi);
        if (!io.joinable()) return;
        if (io.get_id() == std::this_thread::get_id()) {
            io.detach();
        } else {
            io.join();
        }
    }

    // libcurl reports a reply's header line above its limit as running out of memory. Before any
    // body byte that is taken for the line, unless memory for such a line cannot be had.
    static bool overlongHeaderLine(const Transfer& transfer, CURLcode result) {
        if (result != CURLE_OUT_OF_MEMORY || !transfer.received.empty()) return false;
        void* line = ::operator new(2 * CURL_MAX_HTTP_HEADER, std::nothrow);
        ::operator delete(line);
        return line != nullptr;
    }

    // Ends the transfers in which no byte moved for their idle time-out; returns the time until
    // the next of them may end or is to look at its send queue, at most `longest`.
    std::chrono::milliseconds endIdleTransfers(std::chrono::milliseconds longest) {
        const auto now = detail::IdleDeadline::Clock::now();
        auto next = now + longest;
        for (auto at = active.begin(); at != active.end();) {
            auto& idle = at->second->idle;
            // An upload's send queue is looked at before the transfer is taken for idle.
            const auto due = idle.check(at->first, now);
            if (idle.when() > now) {
                next = std::min(next, due);
                ++at;
                continue;
            }
            // Read before the removal, which may close the connection.
            const std::string words = timeOutWords(*at->second, true, now);
            const auto transfer = std::move(at->second);
            at = active.erase(at);
            curl_multi_remove_handle(multi, transfer->easy);
            transfer->fail(makeURLError(URLError::Code::timedOut, words));
        }
        return std::chrono::ceil<std::chrono::milliseconds>(next - now);
    }

    // What a time-out of `transfer` says: the limit it met. `idle` when the kit's idle deadline
    // passed, libcurl's timer otherwise.
    static std::string timeOutWords(Transfer& transfer, bool idle,
                                    detail::IdleDeadline::Clock::time_point now) {
        const long cap = transfer.pool->resourceTimeoutMs();
        const auto capWords = [cap] {
            return "the whole transfer outlasted its cap of " +
                   (cap % 1000 == 0 ? std::to_string(cap / 1000) + " s"
                                    : std::to_string(cap) + " ms");
        };
        if (!transfer.connected) {
            // libcurl's connect time-out is the request's; the cap ends a connect first when it
            // is no longer.
            return cap <= transfer.handle.connectTimeoutMs
                       ? capWords()
                       : "no connection made within its time-out";
        }
        // Once connected, libcurl's only timer is the session's cap on the whole transfer.
        if (!idle) return capWords();
        return transfer.idle.partReceived(transfer.easy, now)
                   ? "no whole header line for its time-out"
                   : "no byte moved for its time-out";
    }

    // libcurl gives each of a name's addresses a share of the connect time-out, but having
    // given up on one it tries the next only when next driven, and sets no timer for that: left
    // to its timers, the driver would try the next address only once the whole time-out passed.
    static constexpr std::chrono::milliseconds kConnectingRound{50};

    bool connecting() const {
        return std::ranges::any_of(active,
                                   [](const auto& item) { return !item.second->connected; });
    }

    static detail::TransferEnd endOf(const Transfer& transfer, CURLcode result) {
        return detail::TransferEnd::of(transfer.easy, result, transfer.sends, transfer.read,
                                       transfer.sentFresh);
    }

    static void complete(Transfer& transfer, CURLcode result) {
        if (endOf(transfer, result).closedBeforeReply()) {
            transfer.fail(makeURLError(URLError::Code::networkConnectionLost,
                                       "the connection closed before any reply"));
            return;
        }
        if (transfer.bodyTooLarge) {
            transfer.fail(
                makeURLError(URLError::Code::dataLengthExceedsMaximum,
                             "over " + std::to_string(transfer.maximumBodyBytes) + " bytes"));
            return;
        }
        if (result != CURLE_OK) {
            if (auto shortage = transfer.sockets.failure()) return transfer.fail(*shortage);
            if (result == CURLE_OPERATION_TIMEDOUT) {
                return transfer.fail(makeURLError(
                    URLError::Code::timedOut,
                    timeOutWords(transfer, false, detail::IdleDeadline::Clock::now())));
            }
            if (overlongHeaderLine(transfer, result)) {
                return transfer.fail(makeURLError(
                    URLError::Code::cannotParseResponse,
                    "a header line over " + std::to_string(CURL_MAX_HTTP_HEADER) + " bytes"));
            }
            const std::string_view buffer(transfer.errorBuffer.data());
            const std::string_view detail = buffer.empty() ? curl_easy_strerror(result) : buffer;
            transfer.fail(makeURLError(urlErrorCode(result, detail), detail));
            return;
        }
        long status = 0;
        curl_easy_getinfo(transfer.easy, CURLINFO_RESPONSE_CODE, &status);
        auto response = detail::makeFoldedHTTPURLResponse(
            std::move(*transfer.url), static_cast<int>(status), transfer.replyHeaders.takeFields());
        transfer.outcome->resolve(Reply(std::move(transfer.received), std::move(response)));
    }

    const URLSessionConfiguration configuration;
    // Shared with each transfer, which puts its handle back when it ends.
    const std::shared_ptr<EasyPool> handles;
    CURLM* multi = nullptr;

    std::mutex mutex;
    std::condition_variable wanted;                    // the I/O thread waits for a hand-off
    std::thread thread;                                // guarded by mutex
    bool stopping = false;                             // guarded by mutex
    bool driving = false;                              // guarded by mutex
    bool handedOff = false;                            // guarded by mutex
    std::deque<std::shared_ptr<Transfer>> incoming;    // guarded by mutex
    std::vector<std::shared_ptr<Transfer>> withdrawn;  // guarded by mutex
    std::vector<std::weak_ptr<Answer>> naming;         // calls waiting on a lookup; by mutex
    // Transfers in the multi handle: touched only by the thread that drives.
    std::unordered_map<CURL*, std::shared_ptr<Transfer>> active;
    // The driver's batches of transfers to add and to remove, kept so that each round and each
    // request does not allocate them anew. Touched only by the thread that drives.
    std::vector<std::shared_ptr<Transfer>> driverAdds;
    std::vector<std::shared_ptr<Transfer>> driverRemoves;
    // Transfers the driver held when the process began to end. Touched only by the thread that
    // drives.
    std::vector<std::shared_ptr<Transfer>> keptAtExit;

  private:
    // One driver at a time runs this loop; `done` is checked after each round of work.
    template <class Done>
    void drive(Done&& done) {
        auto& adds = driverAdds;
        auto& removes = driverRemoves;
        std::chrono::milliseconds wait{};
        for (;;) {
            {
                std::lock_guard lock(mutex);
                if (stopping) break;
                adds.assign(std::make_move_iterator(incoming.begin()),
                            std::make_move_iterator(incoming.end()));
                incoming.clear();
                removes.swap(withdrawn);
            }
            {
                const auto pass = detail::CurlGlobal::enter();
                if (!pass) {
                    abandonAtExit();
                    return;
                }
                for (auto& transfer : adds) {
                    CURL* easy = transfer->easy;
                    if (const CURLMcode added = curl_multi_add_handle(multi, easy);
                        added != CURLM_OK) {
                        transfer->fail(
                            makeURLError(URLError::Code::unknown, curl_multi_strerror(added)));
                        continue;
                    }
                    active.emplace(easy, std::move(transfer));
                }
                adds.clear();
                for (auto& transfer : removes) {
                    if (active.erase(transfer->easy) != 0) {
                        curl_multi_remove_handle(multi, transfer->easy);
                    }
                }
                removes.clear();

                int running = 0;
                curl_multi_perform(multi, &running);
                int queuedMessages = 0;
                while (CURLMsg* message = curl_multi_info_read(multi, &queuedMessages)) {
                    if (message->msg != CURLMSG_DONE) continue;
                    auto found = active.find(message->easy_handle);
                    if (found == active.end()) continue;
                    auto transfer = std::move(found->second);
                    active.erase(found);
                    const CURLcode result = message->data.result;  // read before removal frees it
                    curl_multi_remove_handle(multi, transfer->easy);
                    if (sendAgainFresh(*transfer, result)) {
                        active.emplace(transfer->easy, std::move(transfer));
                        continue;
                    }
                    complete(*transfer, result);
                }
                wait = endIdleTransfers(connecting() ? kConnectingRound : std::chrono::seconds(60));
            }
            if (done()) return;
            // libcurl shortens the wait to its own timers; a wake-up ends it for new work.
            curl_multi_poll(multi, nullptr, 0, static_cast<int>(wait.count()), nullptr);
        }
        // The session is going away: end everything this driver holds.
        const auto pass = detail::CurlGlobal::enter();
        if (!pass) return abandonAtExit();
        for (auto& [easy, transfer] : active) {
            curl_multi_remove_handle(multi, easy);
            transfer->fail(makeURLError(URLError::Code::cancelled, "the session was invalidated"));
        }
        active.clear();
        std::lock_guard lock(mutex);
        for (auto& transfer : incoming) {
            transfer->fail(makeURLError(URLError::Code::cancelled, "the session was invalidated"));
        }
        incoming.clear();
        withdrawn.clear();
    }

    // A server may close a kept connection just as a request goes out on it, and libcurl's check
    // before reuse takes a TLS connection whose close_notify waits unread for a live one. A read
    // then goes once more, on a connection of its own.
    bool sendAgainFresh(Transfer& transfer, CURLcode result) {
        if (!endOf(transfer, result).goesAgainFresh()) return false;
        if (curl_easy_setopt(transfer.easy, CURLOPT_FRESH_CONNECT, 1L) != CURLE_OK ||
            curl_multi_add_handle(multi, transfer.easy) != CURLM_OK) {
            return false;
        }
        // Its callbacks run only when this thread next drives the multi handle.
        transfer.sentFresh = true;
        transfer.sends = 0;
        transfer.connected = false;
        transfer.errorBuffer.front() = '\0';
        return true;
    }

    // The process is ending: ends this driver's transfers without another libcurl call. None is
    // freed: those in the multi handle stay there (taking them out could shut their connections
    // down), and the others are kept with them, so that the process ends as it found them.
    void abandonAtExit() {
        const auto ending = [](Transfer& transfer) {
            transfer.fail(makeURLError(URLError::Code::cancelled, "the process is ending"));
        };
        for (auto& [easy, transfer] : active) ending(*transfer);
        const auto keep = [this, &ending](auto& transfers) {
            for (auto& transfer : transfers) {
                ending(*transfer);
                keptAtExit.push_back(std::move(transfer));
            }
            transfers.clear();
        };
        keep(driverAdds);
        keep(driverRemoves);
        std::lock_guard lock(mutex);
        keep(incoming);
        keep(withdrawn);
    }

    // Lets go of the multi handle; transfers still running go to the I/O thread.
    void release() {
        std::lock_guard lock(mutex);
        driving = false;
        if (stopping || (active.empty() && incoming.empty() && withdrawn.empty())) return;
        handedOff = true;
        if (!thread.joinable()) {
            thread = std::thread([self = shared_from_this()] { self->serve(); });
        }
        wanted.notify_one();
    }

    // The I/O thread: drives whatever a leaving driver handed over, until it is all done.
    void serve() {
        for (;;) {
            {
                std::unique_lock lock(mutex);
                wanted.wait(lock, [&] { return stopping || (handedOff && !driving); });
                if (stopping) break;
                handedOff = false;
                driving = true;
            }
            drive([&] {
                std::lock_guard lock(mutex);
                return active.empty() && incoming.empty() && withdrawn.empty();
            });
            std::lock_guard lock(mutex);
            driving = false;
            // A request that arrived just as this driver finished found it driving.
            if (!incoming.empty() && !stopping) handedOff = true;
        }
    }
};

std::shared_ptr<URLSession> URLSession::make(URLSessionConfiguration configuration) {
    detail::CurlGlobal::shared();
    std::shared_ptr<URLSession> session(new URLSession());
    session->engine_ = std::make_shared<Engine>(std::move(configuration));
    return session;
}

URLSession::~URLSession() {
    if (engine_) engine_->shutdown();
}

std::pair<Data, std::shared_ptr<URLResponse>> URLSession::data(const URLRequest& request) {
    checkCancellation();
    validate(request);
    const std::shared_ptr<Engine> engine = engine_;
    auto transfer = makeTransfer(request, engine->configuration, engine->handles);
    const auto outcome = transfer->outcome;
    const auto addresses = lookUpHost(request.url());

    // First wins: a cancel settles the wait at once; the driver drops the handle.
    auto registration =
        onCancel([outcome, addresses, engine, weak = std::weak_ptr<Transfer>(transfer)] {
            outcome->reject(std::make_exception_ptr(CancellationError()));
            if (addresses) addresses->reject(std::make_exception_ptr(CancellationError()));
            if (auto running = weak.lock()) engine->cancel(running);
        });
    if (addresses) {
        engine->awaitAddresses(*transfer, addresses,
                               usableTimeout(request.timeoutInterval(), URLRequest::Seconds(60)));
    }
    const auto turn = engine->submit(transfer);
    // Past this point the driver owns the easy handle and frees it.
    transfer.reset();
    if (turn == Engine::Turn::drive) engine->driveUntil(*outcome);
    return outcome->wait();
}

}  // namespace corvend::platform
