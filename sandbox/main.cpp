// wallet-sandbox: serves the sandbox on 127.0.0.1 until SIGINT or SIGTERM.

#include <CLI/CLI.hpp>
#include <csignal>
#include <cstdint>
#include <exception>
#include <iostream>
#include <string>

#include "Sandbox.hpp"

int main(int argc, char** argv) {
    using corvend::sandbox::SandboxOptions;
    CLI::App app{"Local stand-in of the wallet service's REST interface, on 127.0.0.1."};
    // The same options the sandbox's tests check the bound with.
    auto options = SandboxOptions::standalone();
    app.footer(
        "Kept while it runs: the data requests create (deposits, cards, quotes, ...)\n"
        "and, of the requests and error events received, the latest " +
        std::to_string(*options.recordLimit) + " of each.");
    app.add_option("--port", options.port, "Port to listen on; 0 picks a free one")->default_val(0);
    app.add_option("--configuration-token", options.configurationToken,
                   "Bearer token the configuration route accepts")
        ->default_val(options.configurationToken);
    app.add_option("--certificate", options.certificateFile,
                   "Serve https with this PEM certificate (chain)");
    app.add_option("--private-key", options.privateKeyFile, "PEM private key of --certificate");
    CLI11_PARSE(app, argc, argv);

    // Blocked before any thread starts, so every thread inherits the mask and the signals
    // wait for sigwait below instead of killing the process mid-reply.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    try {
        corvend::sandbox::Sandbox sandbox(options);
        sandbox.start();
        std::cout << sandbox.baseURL() << std::endl;
        int received = 0;
        sigwait(&signals, &received);
        sandbox.stop();
    } catch (const std::exception& error) {
        std::cerr << "wallet-sandbox: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
