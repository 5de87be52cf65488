#pragma once

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <utility>

#include "CorvendWallet/CorvendWallet.hpp"
#include "examples/wallet-cli/CommandTable.hpp"
#include "examples/wallet-cli/CommandWords.hpp"
#include "examples/wallet-cli/FailureOutcome.hpp"

namespace corvend::cli {

// The completion of a command's kit call: prints the value through `describe` to `out` and
// ends `succeeded`, or prints "<label> failed: <error>" (errorText) to `err` and ends `failed`.
// Keeps `owner` (the commands object whose streams these are) alive until it has run.
template <class T>
std::function<void(Result<T>)> resultPrinter(std::shared_ptr<const void> owner, std::ostream& out,
                                             std::ostream& err, std::string label,
                                             CommandTable::Done done,
                                             std::function<std::string(const T&)> describe) {
    return [owner = std::move(owner), &out, &err, label = std::move(label), done = std::move(done),
            describe = std::move(describe)](Result<T> result) {
        if (!result) {
            err << label << " failed: " << errorText(result.error()) << std::endl;
            done(failureOutcome(result.error()));
            return;
        }
        out << describe(*result) << std::endl;
        done(Outcome::succeeded);
    };
}

}  // namespace corvend::cli
